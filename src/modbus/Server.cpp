#include "modbus/Server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <modbus/modbus.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <pthread.h>
#include <sys/eventfd.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

#include "modbus/RegisterMap.h"

namespace kivo::modbus {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kHeader = 7;  // MBAP header, unit id included
constexpr int kMaxLength = 254;  // MBAP length field: unit id and PDU
constexpr std::size_t kReadChunk = 4096;
// Unanswered bytes a client may have sent ahead; more is a flood left in
// the kernel's buffers until the client reads its answers.
constexpr std::size_t kMaxBuffered = 16384;

int Word(const std::uint8_t* p) { return p[0] << 8 | p[1]; }

struct Pending {
    std::uint64_t client = 0;
    Write write;
    Exception result = kNoException;
};

struct Client {
    int fd = -1;
    std::uint64_t id = 0;
    std::vector<std::uint8_t> buffer;
    // The write the cycle has not answered yet, kept for its answer.
    std::vector<std::uint8_t> request;
    bool waiting = false;
    Clock::time_point since;
    // When the unfinished frame in the buffer began.
    Clock::time_point frameSince;
};

// A peer gone without a word (a PLC switched off, a cable pulled) is found
// by the system's probes within about 25 s, and its place freed.
void KeepAlive(int fd) {
    const int on = 1, idle = 10, interval = 5, probes = 3;
    setsockopt(fd, SOL_SOCKET, SO_KEEPALIVE, &on, sizeof on);
    setsockopt(fd, IPPROTO_TCP, TCP_KEEPIDLE, &idle, sizeof idle);
    setsockopt(fd, IPPROTO_TCP, TCP_KEEPINTVL, &interval, sizeof interval);
    setsockopt(fd, IPPROTO_TCP, TCP_KEEPCNT, &probes, sizeof probes);
}

}  // namespace

class Server::Impl {
public:
    Impl(ServerOptions options, modbus_t* ctx, modbus_mapping_t* mapping, int listen, int wake)
        : options_(std::move(options)), ctx_(ctx), mapping_(mapping), listen_(listen), wake_(wake) {}

    ~Impl() {
        stop_ = true;
        Wake();
        if (thread_.joinable()) thread_.join();
        for (Client& c : clients_) close(c.fd);
        close(listen_);
        close(wake_);
        modbus_set_socket(ctx_, -1);
        modbus_free(ctx_);
        modbus_mapping_free(mapping_);
    }

    void Run() { thread_ = std::thread([this] { Serve(); }); }

    int Exchange(Project& p) {
        std::vector<Pending> taken;
        {
            std::lock_guard lock(mutex_);
            taken.swap(queue_);
        }
        for (Pending& w : taken) w.result = Apply(p, w.write);
        Publish(p, scratch_);
        {
            std::lock_guard lock(mutex_);
            std::swap(image_, scratch_);
            for (Pending& w : taken) done_.push_back(std::move(w));
        }
        if (!taken.empty()) Wake();
        return static_cast<int>(taken.size());
    }

    ServerStats stats() const {
        std::lock_guard lock(mutex_);
        return stats_;
    }

    ServerOptions options_;

private:
    void Wake() {
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t n = write(wake_, &one, sizeof one);
    }

    void Serve() {
        // Signals are for the program's own threads; the cycle comes before
        // the answers when the two compete for a processor.
        sigset_t all;
        sigfillset(&all);
        pthread_sigmask(SIG_BLOCK, &all, nullptr);
        setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), 10);

        std::vector<pollfd> fds;
        while (!stop_) {
            fds.clear();
            fds.push_back({wake_, POLLIN, 0});
            fds.push_back({listen_, POLLIN, 0});
            int timeout = -1;
            const auto now = Clock::now();
            for (const Client& c : clients_) {
                // A client waiting for its write is not read further.
                fds.push_back({c.fd, static_cast<short>(c.waiting ? 0 : POLLIN), 0});
                if (c.waiting) Until(c.since + std::chrono::milliseconds(kWriteTimeoutMs), now, timeout);
                else if (!c.buffer.empty())
                    Until(c.frameSince + std::chrono::milliseconds(options_.frameTimeoutMs), now, timeout);
            }
            if (poll(fds.data(), fds.size(), timeout) < 0 && errno != EINTR) break;
            if (stop_) break;
            if (fds[0].revents & POLLIN) {
                std::uint64_t count = 0;
                [[maybe_unused]] const ssize_t n = read(wake_, &count, sizeof count);
            }
            AnswerDone();
            AnswerLate();
            DropStalled();
            // Found again by socket: the answers above may have closed some.
            for (std::size_t i = 2; i < fds.size(); ++i) {
                if (!fds[i].revents) continue;
                if (Client* c = Find(fds[i].fd)) Receive(*c);
            }
            if (fds[1].revents & POLLIN) Accept();
            RemoveClosed();
        }
    }

    // Lowers the poll's timeout (ms, -1 for none) to reach the deadline.
    static void Until(Clock::time_point deadline, Clock::time_point now, int& timeout) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now);
        const int ms = static_cast<int>(std::max<long long>(left.count() + 1, 0));
        timeout = timeout < 0 ? ms : std::min(timeout, ms);
    }

    // Clients whose unfinished frame is older than the options allow.
    void DropStalled() {
        const auto now = Clock::now();
        for (Client& c : clients_)
            if (c.fd >= 0 && !c.waiting && !c.buffer.empty() &&
                now - c.frameSince >= std::chrono::milliseconds(options_.frameTimeoutMs))
                Close(c, true);
    }

    Client* Find(int fd) {
        for (Client& c : clients_)
            if (c.fd == fd) return &c;
        return nullptr;
    }

    void Accept() {
        for (;;) {
            const int fd = accept4(listen_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
            if (fd < 0) return;
            std::lock_guard lock(mutex_);
            if (static_cast<int>(clients_.size()) >= options_.maxClients) {
                ++stats_.refused;
                close(fd);
                continue;
            }
            const int one = 1;
            setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
            KeepAlive(fd);
            Client c;
            c.fd = fd;
            c.id = ++lastId_;
            clients_.push_back(std::move(c));
            ++stats_.accepted;
            stats_.clients = static_cast<int>(clients_.size());
        }
    }

    // Reads what arrived and answers the whole frames.
    void Receive(Client& c) {
        std::uint8_t chunk[kReadChunk];
        while (c.buffer.size() < kMaxBuffered) {
            const ssize_t n = recv(c.fd, chunk, sizeof chunk, 0);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;
            if (n <= 0) {
                // Gone; the middle of a frame is left unanswered.
                Close(c, false);
                return;
            }
            if (c.buffer.empty()) c.frameSince = Clock::now();
            c.buffer.insert(c.buffer.end(), chunk, chunk + n);
            if (!Handle(c)) {
                Close(c, true);
                return;
            }
        }
    }

    // Answers the whole frames of the buffer until a write waits for the
    // cycle; false on a malformed frame or an answer that cannot be sent.
    bool Handle(Client& c) {
        std::size_t used = 0;
        bool ok = true;
        while (!c.waiting && c.buffer.size() - used >= kHeader) {
            const std::uint8_t* f = c.buffer.data() + used;
            const int length = Word(f + 4);
            // A stream that is not Modbus TCP cannot be resynchronised.
            if (Word(f + 2) != 0 || length < 2 || length > kMaxLength) {
                ok = false;
                break;
            }
            const std::size_t size = 6 + static_cast<std::size_t>(length);
            if (c.buffer.size() - used < size) break;
            if (!Request(c, f, static_cast<int>(size))) {
                ok = false;
                break;
            }
            used += size;
        }
        c.buffer.erase(c.buffer.begin(), c.buffer.begin() + static_cast<std::ptrdiff_t>(used));
        // What is left is the start of the next frame, begun now.
        if (used > 0) c.frameSince = Clock::now();
        return ok;
    }

    bool Request(Client& c, const std::uint8_t* f, int size) {
        const int function = f[kHeader];
        const int length = size - 6;
        // Address and quantity (or value), where the frame holds them.
        const int start = length >= 6 ? Word(f + kHeader + 1) : 0;
        const int quantity = length >= 6 ? Word(f + kHeader + 3) : 0;
        switch (function) {
            case MODBUS_FC_READ_COILS:
            case MODBUS_FC_READ_DISCRETE_INPUTS:
            case MODBUS_FC_READ_HOLDING_REGISTERS:
            case MODBUS_FC_READ_INPUT_REGISTERS: {
                const bool bits = function <= MODBUS_FC_READ_DISCRETE_INPUTS;
                if (length != 6 || quantity < 1 || quantity > (bits ? MODBUS_MAX_READ_BITS : MODBUS_MAX_READ_REGISTERS))
                    return Answer(c, f, size, kIllegalValue);
                if (const Exception e = CheckRead(bits, start, quantity)) return Answer(c, f, size, e);
                {
                    std::lock_guard lock(mutex_);
                    for (int a = start; a < start + quantity; ++a) {
                        const auto i = static_cast<std::size_t>(a);
                        if (bits)
                            mapping_->tab_bits[i] = mapping_->tab_input_bits[i] = image_.coils[i];
                        else
                            mapping_->tab_registers[i] = mapping_->tab_input_registers[i] = image_.registers[i];
                    }
                }
                return Answer(c, f, size, kNoException);
            }
            case MODBUS_FC_WRITE_SINGLE_COIL:
            case MODBUS_FC_WRITE_SINGLE_REGISTER: {
                const bool bits = function == MODBUS_FC_WRITE_SINGLE_COIL;
                if (length != 6 || (bits && quantity != 0xFF00 && quantity != 0)) return Answer(c, f, size, kIllegalValue);
                Write w{bits, start, {static_cast<std::uint16_t>(bits ? quantity != 0 : quantity)}};
                return Queue(c, f, size, std::move(w));
            }
            case MODBUS_FC_WRITE_MULTIPLE_COILS:
            case MODBUS_FC_WRITE_MULTIPLE_REGISTERS: {
                const bool bits = function == MODBUS_FC_WRITE_MULTIPLE_COILS;
                const int bytes = length >= 7 ? f[kHeader + 5] : -1;
                const bool valid = bits ? quantity >= 1 && quantity <= MODBUS_MAX_WRITE_BITS && bytes == (quantity + 7) / 8
                                        : quantity >= 1 && quantity <= MODBUS_MAX_WRITE_REGISTERS && bytes == 2 * quantity;
                if (!valid || length != 7 + bytes) return Answer(c, f, size, kIllegalValue);
                const std::uint8_t* data = f + kHeader + 6;
                Write w{bits, start, {}};
                for (int i = 0; i < quantity; ++i)
                    w.values.push_back(bits ? (data[i / 8] >> (i % 8)) & 1 : static_cast<std::uint16_t>(Word(data + 2 * i)));
                return Queue(c, f, size, std::move(w));
            }
            default: return Answer(c, f, size, kIllegalFunction);
        }
    }

    bool Queue(Client& c, const std::uint8_t* f, int size, Write w) {
        if (const Exception e = CheckWrite(w.coils, w.start, static_cast<int>(w.values.size())))
            return Answer(c, f, size, e);
        c.request.assign(f, f + size);
        c.waiting = true;
        c.since = Clock::now();
        std::lock_guard lock(mutex_);
        queue_.push_back({c.id, std::move(w), kNoException});
        return true;
    }

    // The answer: the values or the write's echo from libmodbus, or the
    // exception. False when it cannot be sent whole.
    bool Answer(Client& c, const std::uint8_t* f, int size, Exception e) {
        modbus_set_socket(ctx_, c.fd);
        const int rc = e == kNoException ? modbus_reply(ctx_, f, size, mapping_) : modbus_reply_exception(ctx_, f, e);
        std::lock_guard lock(mutex_);
        ++stats_.requests;
        if (e != kNoException) ++stats_.exceptions;
        return rc > 0;
    }

    // The writes the cycle has taken.
    void AnswerDone() {
        std::vector<Pending> done;
        {
            std::lock_guard lock(mutex_);
            done.swap(done_);
        }
        for (const Pending& w : done) {
            auto it = std::find_if(clients_.begin(), clients_.end(), [&](const Client& c) { return c.id == w.client; });
            if (it != clients_.end() && it->waiting) Resume(*it, w.result);
        }
    }

    // Writes the cycle did not take in time: taken back and answered busy.
    void AnswerLate() {
        const auto now = Clock::now();
        for (Client& c : clients_) {
            if (!c.waiting || now - c.since < std::chrono::milliseconds(kWriteTimeoutMs)) continue;
            bool withdrawn = false;
            {
                std::lock_guard lock(mutex_);
                auto it = std::find_if(queue_.begin(), queue_.end(), [&](const Pending& w) { return w.client == c.id; });
                if (it != queue_.end()) {
                    queue_.erase(it);
                    withdrawn = true;
                }
            }
            if (withdrawn) Resume(c, kBusy);
        }
    }

    // Answers the client's write and goes on with what it sent since.
    void Resume(Client& c, Exception e) {
        c.waiting = false;
        const std::vector<std::uint8_t> request = std::move(c.request);
        c.request.clear();
        if (!Answer(c, request.data(), static_cast<int>(request.size()), e) || !Handle(c)) Close(c, true);
    }

    // dropped: the server ends the connection, not the client.
    void Close(Client& c, bool dropped) {
        if (c.fd < 0) return;
        {
            // Counted before the client can see the end.
            std::lock_guard lock(mutex_);
            if (dropped) ++stats_.dropped;
            const std::uint64_t id = c.id;
            std::erase_if(queue_, [id](const Pending& w) { return w.client == id; });
        }
        close(c.fd);
        c.fd = -1;
    }

    void RemoveClosed() {
        std::lock_guard lock(mutex_);
        std::erase_if(clients_, [](const Client& c) { return c.fd < 0; });
        stats_.clients = static_cast<int>(clients_.size());
    }

    modbus_t* ctx_;
    modbus_mapping_t* mapping_;
    int listen_;
    int wake_;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::vector<Client> clients_;  // the server's thread only
    std::uint64_t lastId_ = 0;
    Image scratch_;  // the cycle's thread only

    mutable std::mutex mutex_;  // guards what follows
    Image image_;
    std::vector<Pending> queue_;
    std::vector<Pending> done_;
    ServerStats stats_;
};

bool ParseAddress(const std::string& text, ServerOptions& options) {
    const std::size_t colon = text.rfind(':');
    if (colon == std::string::npos) return false;
    const std::string host = text.substr(0, colon);
    in_addr address{};
    if (inet_pton(AF_INET, host.c_str(), &address) != 1) return false;
    int port = -1;
    const char* first = text.data() + colon + 1;
    const char* last = text.data() + text.size();
    const auto r = std::from_chars(first, last, port);
    if (first == last || r.ec != std::errc{} || r.ptr != last || port < 0 || port > 65535) return false;
    options.host = host;
    options.port = port;
    return true;
}

std::unique_ptr<Server> Server::Start(const ServerOptions& options, bool english, std::string& error) {
    const std::string where = options.host + ":" + std::to_string(options.port);
    in_addr address{};
    // libmodbus listens everywhere for any address that begins with 0: only
    // 0.0.0.0 itself asks for that.
    if (inet_pton(AF_INET, options.host.c_str(), &address) != 1 ||
        (options.host[0] == '0' && address.s_addr != htonl(INADDR_ANY))) {
        error = english ? "'" + options.host + "' is not an IPv4 address"
                        : "'" + options.host + "' não é um endereço IPv4";
        return nullptr;
    }
    if (options.port < 0 || options.port > 65535 || options.maxClients < 1 || options.maxClients > kMaxClientsLimit) {
        error = english ? "the port must be 0..65535 and the clients 1.." + std::to_string(kMaxClientsLimit)
                        : "a porta deve estar entre 0 e 65535 e os clientes entre 1 e " + std::to_string(kMaxClientsLimit);
        return nullptr;
    }
    modbus_t* ctx = modbus_new_tcp(options.host.c_str(), options.port);
    modbus_mapping_t* mapping =
        modbus_mapping_new_start_address(0, kCoilEnd, 0, kCoilEnd, 0, kRegisterEnd, 0, kRegisterEnd);
    const int listen = ctx && mapping ? modbus_tcp_listen(ctx, options.maxClients) : -1;
    const int failure = errno;
    const int wake = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (listen < 0 || wake < 0) {
        error = (english ? "cannot listen on " : "não foi possível escutar em ") + where + ": " + std::strerror(failure);
        if (listen >= 0) close(listen);
        if (wake >= 0) close(wake);
        if (ctx) modbus_free(ctx);
        if (mapping) modbus_mapping_free(mapping);
        return nullptr;
    }
    fcntl(listen, F_SETFL, fcntl(listen, F_GETFL) | O_NONBLOCK);
    fcntl(listen, F_SETFD, FD_CLOEXEC);
    auto impl = std::make_unique<Impl>(options, ctx, mapping, listen, wake);
    sockaddr_in bound{};
    socklen_t length = sizeof bound;
    if (getsockname(listen, reinterpret_cast<sockaddr*>(&bound), &length) == 0) impl->options_.port = ntohs(bound.sin_port);
    impl->Run();
    return std::unique_ptr<Server>(new Server(std::move(impl)));
}

Server::Server(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
Server::~Server() = default;

int Server::Exchange(Project& p) { return impl_->Exchange(p); }
int Server::port() const { return impl_->options_.port; }
const std::string& Server::host() const { return impl_->options_.host; }
ServerStats Server::stats() const { return impl_->stats(); }

}  // namespace kivo::modbus
