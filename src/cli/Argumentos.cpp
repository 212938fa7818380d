#include "cli/Argumentos.h"

#include <charconv>
#include <cmath>

#include "project/ArquivoProjeto.h"

namespace kivo::cli {

bool Analisa(const char* comando, const Args& args, const std::set<std::string>& comValor,
             const std::set<std::string>& semValor, Argumentos& a) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& s = args[i];
        if (s.rfind("--", 0) != 0) {
            a.posicionais.push_back(s);
        } else if (semValor.count(s)) {
            a.flags.insert(s);
        } else if (comValor.count(s)) {
            if (i + 1 >= args.size()) {
                std::fprintf(stderr, "kivo-batch %s: %s needs a value (see kivo-batch %s --help)\n", comando, s.c_str(),
                             comando);
                return false;
            }
            a.valores[s] = args[++i];
        } else {
            std::fprintf(stderr, "kivo-batch %s: unknown option '%s' (see kivo-batch %s --help)\n", comando, s.c_str(),
                         comando);
            return false;
        }
    }
    return true;
}

bool PedeAjuda(const Args& args, const std::string& uso) {
    for (const auto& a : args) {
        if (a == "--help") {
            std::printf("%s", uso.c_str());
            return true;
        }
    }
    return false;
}

int Uso(const char* comando, const std::string& texto) {
    std::fprintf(stderr, "kivo-batch %s: %s (see kivo-batch %s --help)\n", comando, texto.c_str(), comando);
    return kUso;
}

bool Carrega(const char* comando, const std::string& arquivo, Projeto& projeto) {
    const ResultadoCarga res = LeProjeto(projeto, arquivo);
    if (!res.ok) {
        std::fprintf(stderr, "kivo-batch %s: %s\n", comando, res.erro.c_str());
        return false;
    }
    for (const auto& a : res.avisos) std::fprintf(stderr, "kivo-batch %s: %s\n", comando, a.texto.c_str());
    for (const auto& m : res.mensagens) std::fprintf(stderr, "kivo-batch %s: %s\n", comando, m.c_str());
    return true;
}

bool Formato(const char* comando, const Argumentos& a, bool& json) {
    const std::string* f = a.valor("--format");
    json = f && *f == "json";
    if (f && !json && *f != "text") {
        Uso(comando, "--format must be text or json, not '" + *f + "'");
        return false;
    }
    return true;
}

void EscreveValor(std::string& linha, double x) {
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, x);
    linha.append(buf, r.ptr);
}

std::string Json(std::string_view s) {
    std::string r = "\"";
    for (const char c : s) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            r += '\\';
            r += c;
        } else if (u < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", u);
            r += buf;
        } else {
            r += c;
        }
    }
    return r + "\"";
}

std::string JsonNumero(double x) {
    if (!std::isfinite(x)) return "null";
    std::string s;
    EscreveValor(s, x);
    return s;
}

}  // namespace kivo::cli
