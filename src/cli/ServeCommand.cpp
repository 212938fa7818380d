// kivo-batch serve: the real-time cycle at its pace, with the plant served
// to Modbus TCP clients, until a signal or for a duration.
#include <signal.h>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <string>

#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "core/NumberText.h"
#include "modbus/PacedCycle.h"
#include "modbus/RegisterMap.h"
#include "modbus/Server.h"
#include "objects/Fields.h"
#include "project/Project.h"

namespace kivo::cli {
namespace {

// Set by SIGINT and SIGTERM; a handler can reach nothing else.
std::atomic<bool> stopRequested{false};
static_assert(std::atomic<bool>::is_always_lock_free);

void RequestStop(int) { stopRequested = true; }

void OnStopSignals() {
    struct sigaction action {};
    action.sa_handler = RequestStop;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: the cycle's wait ends at once.
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    signal(SIGPIPE, SIG_IGN);
}

}  // namespace

int ServeCommand(const Args& args) {
    static const std::string kServeUsage =
        "Usage: kivo-batch serve PROJECT.smp [--modbus HOST:PORT] [--max-clients N] [--duration S]\n"
        "                        [--english]\n"
        "       kivo-batch serve [PROJECT.smp] --map [--english]\n"
        "Runs the project's real-time cycle at its pace, one tick every 0.1 s, and serves\n"
        "the plant to Modbus TCP clients on HOST:PORT (default 127.0.0.1:" +
        std::to_string(modbus::kDefaultPort) +
        "; 0.0.0.0\n"
        "listens on every interface, port 0 takes a free one), at most N clients at a\n"
        "time (default 4, up to " +
        std::to_string(modbus::kMaxClientsLimit) +
        "), until SIGINT or SIGTERM, or for S seconds.\n"
        "It prints the address it listens on first, and a summary when it stops: the\n"
        "ticks, the largest delay of a tick's start, the clients and the requests.\n"
        "Clients write as a user would: a setpoint or an output as the faceplate takes\n"
        "it, a value refused with its Modbus exception. --map prints the register map\n"
        "(with a project, its variables' descriptions and its controllers) and exits;\n"
        "the help pages hold it too. --english gives the map and the messages in\n"
        "English.\n"
        "Exit code 2 on bad options, 3 when the project cannot be read or the address\n"
        "cannot be listened on.\n";
    if (AsksForHelp(args, kServeUsage)) return kOk;
    Arguments a;
    if (!ParseArguments("serve", args, {"--modbus", "--max-clients", "--duration"}, {"--map", "--english"}, a))
        return kUsage;
    const bool english = a.flags.count("--english") > 0;
    const bool map = a.flags.count("--map") > 0;
    if (a.positionals.size() > 1 || (!map && a.positionals.empty()))
        return UsageError("serve", "expected one project file");

    modbus::ServerOptions options;
    if (const auto* m = a.value("--modbus"); m && !modbus::ParseAddress(*m, options))
        return UsageError("serve", "--modbus must be HOST:PORT, an IPv4 address and a port 0..65535, not '" + *m + "'");
    if (const auto* n = a.value("--max-clients");
        n && (!ParseStrictInteger(*n, options.maxClients) || options.maxClients < 1 ||
              options.maxClients > modbus::kMaxClientsLimit))
        return UsageError("serve", "--max-clients must be an integer 1.." + std::to_string(modbus::kMaxClientsLimit) +
                                       ", not '" + *n + "'");
    long long ticks = 0;
    if (const auto* d = a.value("--duration")) {
        double seconds = 0;
        if (!ReadNumberField(*d, seconds) || !(seconds > 0) || seconds > 1e9)
            return UsageError("serve", "--duration must be a positive number of seconds, at most 1e9, not '" + *d + "'");
        ticks = std::max(1LL, static_cast<long long>(Round(seconds * 10)));
    }

    Project project(english);
    if (!a.positionals.empty() && !Load("serve", a.positionals[0], project)) return kInvalidInput;
    if (map) {
        const std::string text = modbus::MapText(a.positionals.empty() ? nullptr : &project, english);
        std::fwrite(text.data(), 1, text.size(), stdout);
        return kOk;
    }

    std::string error;
    auto server = modbus::Server::Start(options, english, error);
    if (!server) {
        std::fprintf(stderr, "kivo-batch serve: %s\n", error.c_str());
        return kInvalidInput;
    }
    server->Exchange(project);
    OnStopSignals();
    std::printf(english ? "Listening on %s:%d (at most %d clients)\n" : "Escutando em %s:%d (no máximo %d clientes)\n",
                server->host().c_str(), server->port(), options.maxClients);
    std::fflush(stdout);

    const modbus::PacedRun run =
        modbus::RunPaced(project.sim, ticks, stopRequested, [&] { server->Exchange(project); });
    const modbus::ServerStats s = server->stats();
    server.reset();
    std::printf(english ? "Stopped after %lld ticks; the most delayed tick started %.1f ms late, %lld more than 10 ms late.\n"
                          "Clients: %llu accepted, %llu refused (too many), %llu disconnected; requests: %llu, "
                          "%llu answered with an exception.\n"
                        : "Parado após %lld ciclos; o ciclo mais atrasado começou %.1f ms atrasado, %lld com mais de 10 ms.\n"
                          "Clientes: %llu aceitos, %llu recusados (demais), %llu desconectados; requisições: %llu, "
                          "%llu respondidas com exceção.\n",
                run.ticks, run.maxLateMs, run.lateOver10Ms, static_cast<unsigned long long>(s.accepted),
                static_cast<unsigned long long>(s.refused), static_cast<unsigned long long>(s.dropped),
                static_cast<unsigned long long>(s.requests), static_cast<unsigned long long>(s.exceptions));
    return kOk;
}

}  // namespace kivo::cli
