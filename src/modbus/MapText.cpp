// The register map as text, in either language: what kivo-batch serve --map
// prints. The help pages hold the same map.
#include <string>

#include "core/Memory.h"
#include "core/Record.h"
#include "modbus/RegisterMap.h"
#include "project/Project.h"

namespace kivo::modbus {
namespace {

// Pads to width characters (code points, not bytes).
std::string Pad(std::string text, std::size_t width) {
    const std::size_t chars = NumCharacters(text);
    if (chars < width) text.append(width - chars, ' ');
    return text;
}

std::string Row(const std::string& a, const std::string& b, const std::string& c, const std::string& d = {}) {
    return "  " + Pad(a, 6) + Pad(b, 6) + Pad(c, 11) + Pad(d, 15);
}

// What writes M(k) in every plant.
std::string Role(int k, bool en) {
    const auto n = [](int x) { return std::to_string(x); };
    if (k <= 10) return (en ? "output (MV) of controller " : "saída (MV) do controlador ") + n(k);
    if (k <= 12) return (en ? "switch " : "chave ") + n(k - 10);
    if (k == 13) return en ? "characterizer output" : "saída do linearizador";
    if (k <= 20 && k >= 15) return "track " + n(k - 14);
    if ((k >= 21 && k <= 40) || (k >= 71 && k <= 74)) return en ? "process output" : "saída de processo";
    if ((k >= 41 && k <= 60) || (k >= 75 && k <= 78)) return en ? "calculation block output" : "saída de bloco de cálculo";
    if (k >= 61 && k <= 70) return (en ? "setpoint (SP) of controller " : "setpoint (SP) do controlador ") + n(k - 60);
    if (k >= 81 && k <= 96) return en ? "signal generator" : "gerador de sinais";
    if (k >= 97 && k <= 99) return (en ? "command button " : "botão de comando ") + n(k - 96);
    if (k >= 101 && k <= 110) return (en ? "PV of controller " : "PV do controlador ") + n(k - 100);
    if (k == 14) return en ? "reserved" : "reservado";
    return en ? "free: no object writes it" : "livre: nenhum objeto a escreve";
}

}  // namespace

std::string MapText(const Project* p, bool en) {
    std::string t;
    const auto line = [&t](const std::string& s) { t += s + "\n"; };
    line(en ? "Modbus TCP register map, version " + std::to_string(kMapVersion)
            : "Mapa de registradores Modbus TCP, versão " + std::to_string(kMapVersion));
    line(en ? "Addresses as sent in the frames, from 0 (mbpoll: -0, or add 1). Any unit id is answered."
            : "Endereços como vão nos quadros, a partir de 0 (mbpoll: -0, ou some 1). Qualquer unit id é atendido.");
    line(en ? "Integers: M(k) x 100, signed 16 bits: % of span x 100 (a switch, a button: 0 or 100;"
            : "Inteiros: M(k) x 100, 16 bits com sinal: % da faixa x 100 (uma chave, um botão: 0 ou 100;");
    line(en ? "beyond -327.68..327.67 %, the nearest end; -32768 also for a value that is not a number)."
            : "além de -327,68..327,67 %, o extremo mais perto; -32768 também para um valor que não é número).");
    line(en ? "Floats: 32 bits (IEEE 754), high word first (mbpoll: -B)."
            : "Reais: 32 bits (IEEE 754), palavra alta primeiro (mbpoll: -B).");
    line("");
    line(en ? "Holding registers (read 3, write 6 and 16); input registers (read 4) hold the same, read-only:"
            : "Holding registers (ler 3, escrever 6 e 16); input registers (ler 4) têm o mesmo, só leitura:");
    line(en ? "  0           map version" : "  0           versão do mapa");
    line(en ? "  k           M(k), k = 1..124, integer" : "  k           M(k), k = 1..124, inteiro");
    line(en ? "  1000+2(k-1) M(k), float in engineering units (M100..M124: %)"
            : "  1000+2(k-1) M(k), real em unidades de engenharia (M100..M124: %)");
    line(en ? "  2000+100(n-1)  controller n = 1..10 (below)" : "  2000+100(n-1)  controlador n = 1..10 (abaixo)");
    line("");
    line(Row("Var.", "Int.", en ? "Float" : "Real", en ? "Write" : "Escrita") +
         (en ? "Description" : "Descrição"));
    for (int k = 1; k <= kNumVariables; ++k) {
        std::string what = Role(k, en);
        if (p && k <= kNumEngineering) {
            const TableEntry& e = p->sim.mem.entry(k);
            if (!e.description.empty()) what += ": " + e.description;
            what += " [" + e.unit + " " + e.euMin + ".." + e.euMax + "]";
        }
        const bool track = k >= 15 && k <= 20;
        const std::string write = track ? (en ? "track shown" : "track visível") : "-";
        line(Row("M" + std::to_string(k), std::to_string(k),
                 std::to_string(FloatAddress(k)) + "-" + std::to_string(FloatAddress(k) + 1), write) +
             what);
    }
    line("");
    line(en ? "Controller n = 1..10, from 2000+100(n-1) (controller 1: 2000, controller 10: 2900):"
            : "Controlador n = 1..10, a partir de 2000+100(n-1) (controlador 1: 2000, controlador 10: 2900):");
    struct Field {
        int offset;
        const char* pt;
        const char* en;
        const char* writePt;
        const char* writeEn;
    };
    const Field fields[] = {
        {kPresent, "1 quando o slot tem um controlador", "1 when the slot holds a controller", "-", "-"},
        {kAutomatic, "automático (1) ou manual (0)", "automatic (1) or manual (0)", "0 ou 1", "0 or 1"},
        {kRemote, "setpoint remoto (1) ou local (0)", "remote (1) or local (0) setpoint", "0; 1 se +12 é 1",
         "0; 1 if +12 is 1"},
        {kSetpoint, "setpoint, inteiro", "setpoint, integer", "em local, 0..10000", "in local, 0..10000"},
        {kOutput, "saída (MV), inteiro", "output (MV), integer", "em manual, 0..10000", "in manual, 0..10000"},
        {kMeasurement, "PV, inteiro", "PV, integer", "-", "-"},
        {kSetpointFloat, "setpoint, real, unidades da escala", "setpoint, float, scale units", "em local, na escala",
         "in local, within the scale"},
        {kOutputFloat, "saída (MV), real, %", "output (MV), float, %", "em manual, 0..100", "in manual, 0..100"},
        {kMeasurementFloat, "PV, real, unidades da escala", "PV, float, scale units", "-", "-"},
        {kRemoteEnabled, "1 quando o setpoint remoto está habilitado", "1 when the remote setpoint is enabled", "-", "-"},
    };
    for (const Field& f : fields) {
        const int width = f.offset == kSetpointFloat || f.offset == kOutputFloat || f.offset == kMeasurementFloat ? 2 : 1;
        const std::string at = "+" + std::to_string(f.offset) + (width == 2 ? "-" + std::to_string(f.offset + 1) : "");
        line("  " + Pad(at, 7) + Pad(en ? f.en : f.pt, 44) + (en ? f.writeEn : f.writePt));
    }
    if (p) {
        for (int n = 1; n <= kControllers; ++n)
            if (const Controller* c = p->controller(n))
                line((en ? "  controller " : "  controlador ") + std::to_string(n) + ": " +
                     std::to_string(ControllerAddress(n, 0)) + " " + c->TagText + " [" + c->EngUnit + " " +
                     c->ScaleStart + ".." + c->ScaleEnd + "]");
    }
    line("");
    line(en ? "Coils (read 1, write 5 and 15); discrete inputs (read 2) hold the same, read-only:"
            : "Coils (ler 1, escrever 5 e 15); discrete inputs (ler 2) têm o mesmo, só leitura:");
    line(en ? "  11, 12      switches 1, 2 (M11, M12): written while on the diagram"
            : "  11, 12      chaves 1, 2 (M11, M12): escritas enquanto estão no diagrama");
    line(en ? "  97..99      command buttons 1..3 (M97..M99): written while on the command panel"
            : "  97..99      botões de comando 1..3 (M97..M99): escritos enquanto estão no painel");
    line("");
    line(en ? "Exceptions: 01 function not served; 02 address outside the map, or not writable (now);"
            : "Exceções: 01 função não atendida; 02 endereço fora do mapa, ou que não se escreve (agora);");
    line(en ? "03 quantity or value refused (out of range, or not in this mode); 06 the plant is paused."
            : "03 quantidade ou valor recusado (fora da faixa, ou não neste modo); 06 a planta está pausada.");
    line(en ? "A write of several addresses is taken whole or not at all."
            : "Uma escrita de vários endereços é aceita inteira ou nada dela.");
    line("");
    line(en ? "An external controller in place of loop n: write 0 to 2000+100(n-1)+1 (manual), then its"
            : "Um controlador externo no lugar da malha n: escreva 0 em 2000+100(n-1)+1 (manual), depois a");
    line(en ? "output to +4 (or +8, float) every cycle, reading the PV at +5 (or +10). The loop's own PID"
            : "saída dele em +4 (ou +8, real) a cada ciclo, lendo a PV em +5 (ou +10). O PID da malha só");
    line(en ? "only tracks that output, so writing 1 to +1 gives the loop back without a bump."
            : "acompanha essa saída: escrever 1 em +1 devolve a malha sem solavanco.");
    return t;
}

}  // namespace kivo::modbus
