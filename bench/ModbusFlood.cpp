// How late the ticks of the paced cycle start while Modbus clients flood the
// server on 127.0.0.1, for the closing note; a measurement, not a test:
//   modbus_flood [SECONDS] [CLIENTS] [PROJECT]
// (default 20 s, 4 clients, the boiler). Each client sends, as fast as it is
// answered, reads of the whole map (memory, floats, a controller's block);
// the first one also, every hundredth request, a setpoint write the cycle
// must take. The run is bounded: SECONDS of cycle, after which the clients
// stop.
#include <modbus/modbus.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "modbus/PacedCycle.h"
#include "modbus/RegisterMap.h"
#include "modbus/Server.h"
#include "objects/Controller.h"
#include "project/Project.h"
#include "project/ProjectFile.h"

using namespace kivo;
using namespace kivo::modbus;

namespace {

double Percentile(std::vector<double> v, double q) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[static_cast<std::size_t>(q * static_cast<double>(v.size() - 1))];
}

void Flood(int port, int loop, std::uint16_t setpoint, bool writes, const std::atomic<bool>& stop,
           std::atomic<long long>& answered) {
    modbus_t* ctx = modbus_new_tcp("127.0.0.1", port);
    modbus_set_response_timeout(ctx, 2, 0);
    if (modbus_connect(ctx) != 0) {
        std::fprintf(stderr, "client cannot connect: %s\n", modbus_strerror(errno));
        modbus_free(ctx);
        return;
    }
    std::uint16_t r[125];
    for (long long i = 0; !stop; ++i) {
        int rc = 0;
        switch (i % 100) {
            case 0:
                rc = writes ? modbus_write_register(ctx, ControllerAddress(loop, kSetpoint), setpoint)
                            : modbus_read_registers(ctx, 0, 125, r);
                break;
            case 1: rc = modbus_read_registers(ctx, ControllerAddress(loop, 0), kControllerFields, r); break;
            default: rc = modbus_read_registers(ctx, i % 2 ? 0 : kFirstFloat, 125, r); break;
        }
        if (rc < 0) {
            std::fprintf(stderr, "request failed: %s\n", modbus_strerror(errno));
            break;
        }
        ++answered;
    }
    modbus_close(ctx);
    modbus_free(ctx);
}

}  // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 20;
    const int clients = argc > 2 ? std::atoi(argv[2]) : 4;
    const std::string file = argc > 3 ? argv[3] : std::string(KIVO_EXAMPLES_DIR) + "/boiler/boiler.smp";
    Project project;
    if (!ReadProject(project, file).ok) {
        std::fprintf(stderr, "cannot read %s\n", file.c_str());
        return 1;
    }
    int loop = 1;
    while (loop < kControllers && !project.controller(loop)) ++loop;
    const std::uint16_t setpoint = project.controller(loop) ? PercentRegister(project.controller(loop)->state.SP) : 0;

    std::string error;
    auto server = Server::Start({"127.0.0.1", 0, std::max(clients, 1)}, true, error);
    if (!server) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    server->Exchange(project);
    std::atomic<bool> stop{false};
    std::atomic<long long> answered{0};
    std::vector<std::thread> threads;
    for (int c = 0; c < clients; ++c)
        threads.emplace_back(Flood, server->port(), loop, setpoint, c == 0, std::cref(stop), std::ref(answered));

    std::vector<double> lateness;
    std::vector<double> exchange;
    const std::atomic<bool> never{false};
    const auto ticks = static_cast<long long>(seconds * 10);
    lateness.reserve(static_cast<std::size_t>(ticks));
    exchange.reserve(static_cast<std::size_t>(ticks));
    const PacedRun run = RunPaced(project.sim, ticks, never, [&] {
        const auto t0 = std::chrono::steady_clock::now();
        server->Exchange(project);
        exchange.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
    }, &lateness);
    stop = true;
    for (auto& t : threads) t.join();
    const ServerStats s = server->stats();

    std::printf("%s, %d client(s), %lld ticks of 100 ms\n", file.c_str(), clients, run.ticks);
    std::printf("tick start lateness (ms): median %.3f, p99 %.3f, max %.3f; ticks over 10 ms late: %lld\n",
                Percentile(lateness, 0.5), Percentile(lateness, 0.99), run.maxLateMs, run.lateOver10Ms);
    std::printf("exchange at the tick (ms): median %.3f, max %.3f\n", Percentile(exchange, 0.5),
                Percentile(exchange, 1.0));
    std::printf("requests answered: %llu (%.0f/s), %llu with an exception; clients dropped: %llu\n",
                static_cast<unsigned long long>(s.requests), static_cast<double>(answered) / seconds,
                static_cast<unsigned long long>(s.exceptions), static_cast<unsigned long long>(s.dropped));
    return 0;
}
