// The server on 127.0.0.1 with real clients (libmodbus and raw sockets):
// answers, exceptions, writes held for the cycle, and clients that send
// garbage, leave mid-frame, come too many or flood without reading.
// Every socket has a timeout, every loop a bound.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <modbus/modbus.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "modbus/RegisterMap.h"
#include "modbus/Server.h"
#include "objects/Controller.h"
#include "project/Project.h"
#include "project/ProjectFile.h"

namespace kivo::modbus {
namespace {

using namespace std::chrono_literals;

struct ModbusClient {
    modbus_t* ctx = nullptr;
    ~ModbusClient() {
        if (ctx) {
            modbus_close(ctx);
            modbus_free(ctx);
        }
    }
};

// A plain TCP connection, for what no Modbus client would send.
class RawClient {
public:
    explicit RawClient(int port) {
        fd_ = socket(AF_INET, SOCK_STREAM, 0);
        const timeval timeout{2, 0};
        setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
        setsockopt(fd_, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(static_cast<std::uint16_t>(port));
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        connected_ = connect(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
    }
    ~RawClient() { Close(); }
    void Close() {
        if (fd_ >= 0) close(fd_);
        fd_ = -1;
    }
    bool connected() const { return connected_; }
    bool Send(const std::vector<std::uint8_t>& bytes) {
        return send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(bytes.size());
    }
    // What arrives within the timeout; closed is set when the server ended
    // the connection.
    std::vector<std::uint8_t> Receive(std::size_t atMost, bool& closed) {
        std::vector<std::uint8_t> bytes(atMost);
        const ssize_t n = recv(fd_, bytes.data(), bytes.size(), 0);
        closed = n == 0 || (n < 0 && errno == ECONNRESET);
        bytes.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
        return bytes;
    }

private:
    int fd_ = -1;
    bool connected_ = false;
};

// A read of holding registers as a frame: transaction 1, unit 1.
std::vector<std::uint8_t> ReadFrame(int start, int count) {
    return {0, 1, 0, 0, 0, 6, 1, 3, std::uint8_t(start >> 8), std::uint8_t(start), 0, std::uint8_t(count)};
}

// The basic flow loop served, its cycle run on a thread of its own every
// 10 ms, with the exchange after each tick.
class ServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(ReadProject(project_, std::string(KIVO_EXAMPLES_DIR) + "/basic flow loop/basic flow loop.smp").ok);
    }
    void TearDown() override { StopCycle(); }

    void Start(int maxClients = 4, int frameTimeoutMs = 5000) {
        std::string error;
        server_ = Server::Start({"127.0.0.1", 0, maxClients, frameTimeoutMs}, true, error);
        ASSERT_TRUE(server_) << error;
        server_->Exchange(project_);
        running_ = true;
        cycle_ = std::thread([this] {
            while (running_) {
                project_.sim.Tick(0);
                server_->Exchange(project_);
                std::this_thread::sleep_for(10ms);
            }
        });
    }
    // After this the test may look at the plant.
    void StopCycle() {
        running_ = false;
        if (cycle_.joinable()) cycle_.join();
    }
    std::unique_ptr<ModbusClient> Connect() {
        auto c = std::make_unique<ModbusClient>();
        c->ctx = modbus_new_tcp("127.0.0.1", server_->port());
        modbus_set_response_timeout(c->ctx, 2, 0);
        if (modbus_connect(c->ctx) != 0) return nullptr;
        return c;
    }
    // Reads one register; -1 with errno on failure.
    int Read(ModbusClient& c, int address) {
        std::uint16_t v = 0;
        return modbus_read_registers(c.ctx, address, 1, &v) == 1 ? v : -1;
    }

    Project project_;
    std::unique_ptr<Server> server_;
    std::thread cycle_;
    std::atomic<bool> running_{false};
};

TEST_F(ServerTest, ClientsReadThePlantAndWriteAsTheFaceplateTakesIt) {
    Start();
    auto c = Connect();
    ASSERT_TRUE(c);
    EXPECT_EQ(Read(*c, kVersionRegister), kMapVersion);
    // At rest: the PV of controller 1, its memory position M101 and the
    // process output M21 it reads agree.
    const int pv = Read(*c, ControllerAddress(1, kMeasurement));
    EXPECT_EQ(pv, 6000);
    EXPECT_EQ(Read(*c, 101), pv);
    EXPECT_EQ(Read(*c, 21), pv);
    std::uint8_t coils[2] = {9, 9};
    EXPECT_EQ(modbus_read_bits(c->ctx, 11, 2, coils), 2);
    std::uint16_t input = 0;
    EXPECT_EQ(modbus_read_input_registers(c->ctx, 21, 1, &input), 1);
    EXPECT_EQ(input, pv);

    // A setpoint of 25 units on the 0..50 scale is 50 %.
    // (Debian's libmodbus 3.1.6 swaps the bytes in modbus_set_float_abcd.)
    const auto f = FloatRegisters(25);
    ASSERT_EQ(modbus_write_registers(c->ctx, ControllerAddress(1, kSetpointFloat), 2, f.data()), 2)
        << modbus_strerror(errno);
    EXPECT_EQ(Read(*c, ControllerAddress(1, kSetpoint)), 5000);

    struct Refusal {
        const char* name;
        std::function<int(modbus_t*)> request;
        int error;
    } refusals[] = {
        {"read outside the map", [](modbus_t* m) { std::uint16_t v; return modbus_read_registers(m, 500, 1, &v); }, EMBXILADD},
        {"write the PV", [](modbus_t* m) { return modbus_write_register(m, ControllerAddress(1, kMeasurement), 1); },
         EMBXILADD},
        {"setpoint above 100 %", [](modbus_t* m) { return modbus_write_register(m, ControllerAddress(1, kSetpoint), 10001); },
         EMBXILVAL},
        {"mask write", [](modbus_t* m) { return modbus_mask_write_register(m, 15, 0, 1); }, EMBXILFUN},
        {"write and read", [](modbus_t* m) {
             std::uint16_t v = 0;
             return modbus_write_and_read_registers(m, 15, 1, &v, 0, 1, &v);
         }, EMBXILFUN},
    };
    for (const Refusal& r : refusals) {
        errno = 0;
        EXPECT_EQ(r.request(c->ctx), -1) << r.name;
        EXPECT_EQ(errno, r.error) << r.name << ": " << modbus_strerror(errno);
    }
    StopCycle();
    EXPECT_EQ(project_.controller(1)->state.SP, 50);
}

TEST_F(ServerTest, AWriteTheCycleDoesNotTakeIsAnsweredBusyWhileReadsGoOn) {
    Start();
    auto c = Connect();
    ASSERT_TRUE(c);
    StopCycle();  // a paused plant
    const auto before = std::chrono::steady_clock::now();
    EXPECT_EQ(modbus_write_register(c->ctx, ControllerAddress(1, kSetpoint), 2500), -1);
    EXPECT_EQ(errno, EMBXSBUSY);
    EXPECT_GE(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(kWriteTimeoutMs));
    EXPECT_EQ(Read(*c, ControllerAddress(1, kSetpoint)), 6000);
    // Taken back: a cycle that comes later does not apply it.
    server_->Exchange(project_);
    EXPECT_EQ(project_.controller(1)->state.SP, 60);
}

TEST_F(ServerTest, MalformedStreamsAreDisconnectedAndTheOthersServed) {
    Start();
    auto good = Connect();
    ASSERT_TRUE(good);
    struct Hostile {
        const char* name;
        std::vector<std::uint8_t> bytes;
    } cases[] = {
        {"text", {'G', 'E', 'T', ' ', '/', ' ', 'H', 'T', 'T', 'P', '/', '1', '.', '1', '\r', '\n', '\r', '\n'}},
        {"protocol 1", {0, 1, 0, 1, 0, 6, 1, 3, 0, 0, 0, 1}},
        {"length 0", {0, 1, 0, 0, 0, 0, 1, 3}},
        {"length 300", {0, 1, 0, 0, 1, 44, 1, 3}},
    };
    std::uint64_t dropped = server_->stats().dropped;
    for (const Hostile& h : cases) {
        RawClient raw(server_->port());
        ASSERT_TRUE(raw.connected()) << h.name;
        ASSERT_TRUE(raw.Send(h.bytes)) << h.name;
        bool closed = false;
        raw.Receive(300, closed);
        EXPECT_TRUE(closed) << h.name;
        EXPECT_EQ(server_->stats().dropped, ++dropped) << h.name;
        EXPECT_EQ(Read(*good, kVersionRegister), kMapVersion) << h.name;
    }
}

TEST_F(ServerTest, FramesArriveInPiecesOrNotAtAll) {
    Start();
    {
        // One frame in two sends, then a function the map does not serve.
        RawClient raw(server_->port());
        const auto frame = ReadFrame(kVersionRegister, 1);
        ASSERT_TRUE(raw.Send({frame.begin(), frame.begin() + 5}));
        std::this_thread::sleep_for(50ms);
        ASSERT_TRUE(raw.Send({frame.begin() + 5, frame.end()}));
        bool closed = false;
        EXPECT_EQ(raw.Receive(300, closed), (std::vector<std::uint8_t>{0, 1, 0, 0, 0, 5, 1, 3, 2, 0, kMapVersion}));
        ASSERT_TRUE(raw.Send({0, 2, 0, 0, 0, 2, 1, 0x11}));
        EXPECT_EQ(raw.Receive(300, closed), (std::vector<std::uint8_t>{0, 2, 0, 0, 0, 3, 1, 0x91, kIllegalFunction}));
        // More registers than a frame holds, which no library client sends.
        ASSERT_TRUE(raw.Send(ReadFrame(0, 126)));
        EXPECT_EQ(raw.Receive(300, closed), (std::vector<std::uint8_t>{0, 1, 0, 0, 0, 3, 1, 0x83, kIllegalValue}));
        // Gone in the middle of the next frame.
        ASSERT_TRUE(raw.Send({frame.begin(), frame.begin() + 9}));
    }
    auto c = Connect();
    ASSERT_TRUE(c);
    EXPECT_EQ(Read(*c, kVersionRegister), kMapVersion);
    EXPECT_EQ(server_->stats().dropped, 0u);
}

// A client stalled in the middle of a frame would hold its place for ever:
// it is dropped after the frame's time, and the place is taken again. Slow
// pieces of a frame within that time are still answered.
TEST_F(ServerTest, AClientStalledMidFrameLosesItsPlace) {
    Start(1, 300);
    const auto frame = ReadFrame(kVersionRegister, 1);
    {
        RawClient slow(server_->port());
        ASSERT_TRUE(slow.Send({frame.begin(), frame.begin() + 4}));
        std::this_thread::sleep_for(100ms);
        ASSERT_TRUE(slow.Send({frame.begin() + 4, frame.end()}));
        bool closed = false;
        EXPECT_EQ(slow.Receive(300, closed).size(), 11u);
        EXPECT_EQ(server_->stats().dropped, 0u);
    }
    for (int attempt = 0; attempt < 100 && server_->stats().clients > 0; ++attempt) std::this_thread::sleep_for(10ms);
    RawClient stalled(server_->port());
    ASSERT_TRUE(stalled.Send({frame.begin(), frame.begin() + 9}));
    bool closed = false;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(stalled.Receive(300, closed).empty());
    EXPECT_TRUE(closed);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 250ms);
    EXPECT_EQ(server_->stats().dropped, 1u);
    for (int attempt = 0; attempt < 100 && server_->stats().clients > 0; ++attempt) std::this_thread::sleep_for(10ms);
    auto next = Connect();
    ASSERT_TRUE(next);
    EXPECT_EQ(Read(*next, kVersionRegister), kMapVersion);
}

TEST_F(ServerTest, AClientBeyondTheLimitIsClosedAtOnce) {
    Start(3);
    std::vector<std::unique_ptr<ModbusClient>> clients;
    for (int i = 0; i < 3; ++i) {
        clients.push_back(Connect());
        ASSERT_TRUE(clients.back());
        ASSERT_EQ(Read(*clients.back(), kVersionRegister), kMapVersion);
    }
    RawClient fourth(server_->port());
    ASSERT_TRUE(fourth.Send(ReadFrame(kVersionRegister, 1)));
    bool closed = false;
    EXPECT_TRUE(fourth.Receive(300, closed).empty());
    EXPECT_TRUE(closed);
    EXPECT_EQ(server_->stats().refused, 1u);
    // A place freed is taken again.
    clients.pop_back();
    for (int attempt = 0; attempt < 100 && server_->stats().clients == 3; ++attempt) std::this_thread::sleep_for(10ms);
    auto again = Connect();
    ASSERT_TRUE(again);
    EXPECT_EQ(Read(*again, kVersionRegister), kMapVersion);
}

TEST_F(ServerTest, AFloodThatIsNeverReadIsDroppedWhileTheOthersAreServed) {
    Start();
    auto good = Connect();
    ASSERT_TRUE(good);
    std::thread flooder([this] {
        RawClient flood(server_->port());
        std::vector<std::uint8_t> burst;
        for (int i = 0; i < 1000; ++i) {
            const auto frame = ReadFrame(1000, 125);
            burst.insert(burst.end(), frame.begin(), frame.end());
        }
        // At most 16 MB of requests, each answered with 259 bytes nobody reads.
        for (int i = 0; i < 1400 && server_->stats().dropped == 0; ++i)
            if (!flood.Send(burst)) break;
    });
    // Meanwhile reads are answered, and writes, which wait for the cycle.
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(Read(*good, kVersionRegister), kMapVersion);
        EXPECT_EQ(modbus_write_register(good->ctx, ControllerAddress(1, kSetpoint), 5000 + i), 1) << modbus_strerror(errno);
    }
    flooder.join();
    for (int i = 0; i < 200 && server_->stats().dropped == 0; ++i) std::this_thread::sleep_for(10ms);
    EXPECT_EQ(server_->stats().dropped, 1u);
}

TEST(ServerAddress, HostAndPortAreReadStrictly) {
    struct Case {
        const char* text;
        bool ok;
        const char* host;
        int port;
    } cases[] = {
        {"127.0.0.1:1502", true, "127.0.0.1", 1502}, {"0.0.0.0:0", true, "0.0.0.0", 0},
        {"127.0.0.1", false, "", 0},                 {"localhost:1502", false, "", 0},
        {"127.0.0.1:65536", false, "", 0},           {"127.0.0.1:-1", false, "", 0},
        {"127.0.0.1:", false, "", 0},                {"127.0.0.1:15x", false, "", 0},
        {"::1:1502", false, "", 0},
    };
    for (const Case& k : cases) {
        ServerOptions o;
        EXPECT_EQ(ParseAddress(k.text, o), k.ok) << k.text;
        if (k.ok) {
            EXPECT_EQ(o.host + ":" + std::to_string(o.port), std::string(k.host) + ":" + std::to_string(k.port));
        }
    }
    // libmodbus would listen everywhere for an address starting with 0.
    std::string error;
    EXPECT_FALSE(Server::Start({"0.1.2.3", 0, 4}, true, error));
    EXPECT_EQ(error, "'0.1.2.3' is not an IPv4 address");
}

}  // namespace
}  // namespace kivo::modbus
