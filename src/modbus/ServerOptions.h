#pragma once
// Where the Modbus server listens and how many clients it takes.
#include <string>

namespace kivo::modbus {

inline constexpr int kDefaultPort = 1502;
inline constexpr int kMaxClientsLimit = 64;

struct ServerOptions {
    // An IPv4 address; 0.0.0.0 listens on every interface.
    std::string host = "127.0.0.1";
    int port = kDefaultPort;  // 0: a free port chosen by the system
    int maxClients = 4;
    // A frame begun and not finished within this time ends the connection:
    // a client stalled in the middle of a frame would otherwise hold one of
    // the few places for ever. A whole frame takes a few milliseconds.
    int frameTimeoutMs = 5000;
};

}  // namespace kivo::modbus
