#include "cli/IndicesOutput.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "cli/Argumentos.h"
#include "core/Memorias.h"
#include "core/Registro.h"
#include "objects/Controller.h"
#include "project/Projeto.h"

namespace kivo::cli {

const char* const kAjudaJsonIndices =
    "With --format json the output is one object:\n"
    "  {\"loops\": [LOOP, ...], \"normalized\": true|false, \"archive\": NAME or null}\n"
    "LOOP: \"loop\" (1..10), \"tag\", \"pv\" (the PV address: 21 for M21), \"auto\"\n"
    "(true in automatic), \"unit\" (\"%\", or with --no-normalize the PV unit), then\n"
    "the indices as JSON numbers in their shortest exact text (null for a loop\n"
    "without indices):\n"
    "  \"variability\"      3 standard deviations of PV, in \"unit\"\n"
    "  \"iem\"              mean of SP - PV, in \"unit\"\n"
    "  \"iema\"             mean of |SP - PV|, in \"unit\"\n"
    "  \"co_travel\"        sum of |CO(i) - CO(i-1)| / 100, in % (1 = 100 % of span)\n"
    "  \"co_std\"           3 standard deviations of CO, in %\n"
    "  \"co_saturation\"    share of the points with CO <= 2 or CO >= 98, in %\n"
    "  \"pv_min\", \"pv_max\" the PV range, in \"unit\"\n"
    "and \"text\": the same indices as displayed (two decimals and the unit), under\n"
    "the same keys but the range, which is one text \"pv_minmax\" (\"min/max\", one\n"
    "decimal each); null for a loop without indices.\n";

namespace {

constexpr const char* kChavesTexto[7] = {"variability", "iem",           "iema",     "co_travel",
                                         "co_std",      "co_saturation", "pv_minmax"};

void ImprimeJson(const MalhaDesempenho& m, int n, const TControlador& c, bool normalizada) {
    std::printf("{\"loop\": %d, \"tag\": %s, \"pv\": %d, \"auto\": %s, \"unit\": %s", n, Json(c.TagText).c_str(),
                m.enderecoPV, c.estado.modoAuto ? "true" : "false", Json(normalizada ? "%" : m.unidade).c_str());
    const std::optional<IndicesDesempenho>& i = m.indices;
    const struct {
        const char* chave;
        double ValoresIndices::*valor;
    } numeros[] = {
        {"variability", &ValoresIndices::variabilidade}, {"iem", &ValoresIndices::iem},
        {"iema", &ValoresIndices::iema},                 {"co_travel", &ValoresIndices::excursaoCO},
        {"co_std", &ValoresIndices::desvioCO},           {"co_saturation", &ValoresIndices::saturacaoCO},
        {"pv_min", &ValoresIndices::pvMin},              {"pv_max", &ValoresIndices::pvMax},
    };
    for (const auto& k : numeros)
        std::printf(", \"%s\": %s", k.chave, i ? JsonNumero(i->valores.*k.valor).c_str() : "null");
    if (!i) {
        std::printf(", \"text\": null}");
        return;
    }
    const auto textos = TextosIndices(*i);
    for (std::size_t k = 0; k < 7; ++k)
        std::printf("%s\"%s\": %s", k == 0 ? ", \"text\": {" : ", ", kChavesTexto[k], Json(textos[k]).c_str());
    std::printf("}}");
}

void ImprimeTexto(const MalhaDesempenho& m, int n, const TControlador& c, bool ingles) {
    std::printf("%s %d: %s (PV %s, %s)\n", ingles ? "Loop" : "Malha", n, c.TagText.c_str(),
                NomeVariavel(m.enderecoPV).c_str(), c.estado.modoAuto ? "auto" : "manual");
    const auto& rotulos = RotulosIndices(ingles);
    for (std::size_t i = 0; i < 7; ++i) {
        std::string rotulo(rotulos[i]);
        rotulo.append(28 - std::min<std::size_t>(28, NumCaracteres(rotulo)), ' ');
        const std::string v = m.indices ? std::string(TextosIndices(*m.indices)[i]) : "-";
        std::printf("  %s%s\n", rotulo.c_str(), v.c_str());
    }
}

}  // namespace

void ImprimeIndices(const Projeto& projeto, const LinhaDesempenho& linha, bool json, bool ingles,
                    const std::string* arquivo) {
    if (json) std::printf("{\"loops\": [");
    bool primeiro = true;
    for (int n = 1; n <= kMalhas; ++n) {
        const MalhaDesempenho& m = linha.malha(n);
        const TControlador* c = projeto.controlador(n);
        if (!m.ativa || !c) continue;
        if (json) {
            std::printf("%s\n  ", primeiro ? "" : ",");
            ImprimeJson(m, n, *c, linha.normalizada);
        } else {
            ImprimeTexto(m, n, *c, ingles);
        }
        primeiro = false;
    }
    if (json)
        std::printf("%s], \"normalized\": %s, \"archive\": %s}\n", primeiro ? "" : "\n",
                    linha.normalizada ? "true" : "false", arquivo ? Json(*arquivo).c_str() : "null");
}

}  // namespace kivo::cli
