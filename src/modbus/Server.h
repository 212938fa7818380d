#pragma once
// A Modbus TCP server of the plant (RegisterMap.h), beside the cycle that
// runs it.
//
// The sockets are served on a thread of the server's own, which never
// touches the plant: it answers reads from the image the cycle published
// last, and holds each write until the cycle takes it. The cycle calls
// Exchange at a tick boundary: the writes waiting are applied there, in the
// cycle's own thread and through the checks a user's entry meets, and the
// image is published again. The cycle's share is bounded by the number of
// clients, whatever they send, since a client's next request is not read
// before its write is answered; a client that sends no Modbus frame, stops
// reading the answers or stalls in the middle of a frame is disconnected. A write the cycle does not
// take within kWriteTimeoutMs (a paused plant) is answered "busy".
#include <cstdint>
#include <memory>
#include <string>

#include "modbus/ServerOptions.h"

namespace kivo {
class Project;
}

namespace kivo::modbus {

inline constexpr int kWriteTimeoutMs = 500;

struct ServerStats {
    int clients = 0;              // connected now
    std::uint64_t accepted = 0;   // connections taken
    std::uint64_t refused = 0;    // connections closed at once: too many clients
    std::uint64_t dropped = 0;    // clients disconnected for a malformed frame or an unread answer
    std::uint64_t requests = 0;   // requests answered
    std::uint64_t exceptions = 0; // of which with an exception
};

class Server {
public:
    // Listens and starts serving; nullptr with the reason in error (in the
    // language asked) when the address is not one or cannot be bound.
    static std::unique_ptr<Server> Start(const ServerOptions& options, bool english, std::string& error);
    ~Server();
    Server(const Server&) = delete;
    Server& operator=(const Server&) = delete;

    // At a tick boundary, in the thread that runs the cycle: applies the
    // writes waiting and publishes the plant's values. Returns the number of
    // writes applied.
    int Exchange(Project& p);

    // The port listened on (the one chosen when 0 was asked).
    int port() const;
    const std::string& host() const;
    ServerStats stats() const;

    class Impl;

private:
    explicit Server(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

// "HOST:PORT" into the options: an IPv4 address and a port 0..65535. False
// when it is not one.
bool ParseAddress(const std::string& text, ServerOptions& options);

}  // namespace kivo::modbus
