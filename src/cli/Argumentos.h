#pragma once
// What the kivo-batch commands share: their arguments, usage errors, the
// project loader, the output format and a progress bar on a terminal.
#include <unistd.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "cli/Commands.h"
#include "fastsim/Progresso.h"

namespace kivo {
class Projeto;
}

namespace kivo::cli {

struct Argumentos {
    std::vector<std::string> posicionais;
    std::map<std::string, std::string> valores;
    std::set<std::string> flags;

    const std::string* valor(const std::string& nome) const {
        const auto it = valores.find(nome);
        return it == valores.end() ? nullptr : &it->second;
    }
};

// Splits args into positionals, "--name value" options and flags. Prints the
// reason and returns false on an unknown option or a missing value.
bool Analisa(const char* comando, const Args& args, const std::set<std::string>& comValor,
             const std::set<std::string>& semValor, Argumentos& a);
// Prints uso and returns true when the arguments ask for --help.
bool PedeAjuda(const Args& args, const std::string& uso);
// Prints the usage error and returns kUso.
int Uso(const char* comando, const std::string& texto);
// Loads the project; the objects' validation messages go to stderr, as they
// do not stop a run.
bool Carrega(const char* comando, const std::string& arquivo, Projeto& projeto);
// --format text|json.
bool Formato(const char* comando, const Argumentos& a, bool& json);
// Shortest text that reads back as the same double.
void EscreveValor(std::string& linha, double x);
// A JSON string, quoted and escaped.
std::string Json(std::string_view s);
// A JSON number as EscreveValor writes it; null for infinity and NaN, which
// JSON cannot hold.
std::string JsonNumero(double x);

// ---- Progress bar, on a terminal only ---------------------------------------

class BarraProgresso : public ObservadorProgresso {
public:
    BarraProgresso() : terminal_(isatty(STDERR_FILENO) != 0) {}
    ~BarraProgresso() override {
        if (desenhou_) std::fputc('\n', stderr);
    }
    BarraProgresso(const BarraProgresso&) = delete;
    BarraProgresso& operator=(const BarraProgresso&) = delete;

    ObservadorProgresso* observador() { return terminal_ ? this : nullptr; }

    void AoProgresso(int percent) override {
        const int cheio = percent / 2;
        std::fprintf(stderr, "\r[%s%s] %3d%%", std::string(static_cast<std::size_t>(cheio), '#').c_str(),
                     std::string(static_cast<std::size_t>(50 - cheio), ' ').c_str(), percent);
        std::fflush(stderr);
        desenhou_ = true;
    }

private:
    bool terminal_;
    bool desenhou_ = false;
};

}  // namespace kivo::cli
