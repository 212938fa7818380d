// How late the ticks of the paced cycle start while Modbus clients flood the
// server on 127.0.0.1. The goal: no tick more than 10 ms late under 4
// clients. Each client sends, as fast as it is answered, reads of the whole
// map (memory, floats, a controller's block); the first one also, every
// hundredth request, a setpoint write the cycle must take. The run is
// bounded: 20 s of cycle on the boiler, after which the clients stop. The
// counters are the figures; the time is the run's own.
#include <benchmark/benchmark.h>
#include <modbus/modbus.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
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

void BM_TickLatenessUnderModbusFlood(benchmark::State& state) {
    const double seconds = 20;
    const int clients = static_cast<int>(state.range(0));
    const std::string file = std::string(KIVO_EXAMPLES_DIR) + "/boiler/boiler.smp";
    Project project;
    if (!ReadProject(project, file).ok) return state.SkipWithError("cannot read the boiler");
    int loop = 1;
    while (loop < kControllers && !project.controller(loop)) ++loop;
    const std::uint16_t setpoint = project.controller(loop) ? PercentRegister(project.controller(loop)->state.SP) : 0;

    std::string error;
    auto server = Server::Start({"127.0.0.1", 0, std::max(clients, 1)}, true, error);
    if (!server) return state.SkipWithError(error.c_str());
    server->Exchange(project);

    std::vector<double> lateness;
    std::vector<double> exchange;
    PacedRun run;
    std::atomic<long long> answered{0};
    for (auto _ : state) {
        std::atomic<bool> stop{false};
        std::vector<std::thread> threads;
        for (int c = 0; c < clients; ++c)
            threads.emplace_back(Flood, server->port(), loop, setpoint, c == 0, std::cref(stop), std::ref(answered));
        const std::atomic<bool> never{false};
        const auto ticks = static_cast<long long>(seconds * 10);
        lateness.reserve(static_cast<std::size_t>(ticks));
        exchange.reserve(static_cast<std::size_t>(ticks));
        run = RunPaced(project.sim, ticks, never, [&] {
            const auto t0 = std::chrono::steady_clock::now();
            server->Exchange(project);
            exchange.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
        }, &lateness);
        stop = true;
        for (auto& t : threads) t.join();
    }
    const ServerStats s = server->stats();
    state.counters["late_median_ms"] = Percentile(lateness, 0.5);
    state.counters["late_p99_ms"] = Percentile(lateness, 0.99);
    state.counters["late_max_ms"] = run.maxLateMs;
    state.counters["ticks_over_10ms"] = static_cast<double>(run.lateOver10Ms);
    state.counters["exchange_max_ms"] = Percentile(exchange, 1.0);
    state.counters["requests_per_s"] = static_cast<double>(answered) / seconds;
    state.counters["dropped"] = static_cast<double>(s.dropped);
}
BENCHMARK(BM_TickLatenessUnderModbusFlood)->Arg(4)->Iterations(1)->Unit(benchmark::kSecond);
