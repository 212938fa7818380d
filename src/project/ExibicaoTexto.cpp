#include "project/ExibicaoTexto.h"

#include "core/Equation.h"
#include "core/Memorias.h"
#include "core/NumberText.h"
#include "project/DadosTexto.h"

namespace kivo {

namespace {
constexpr double kSemAlarme = 1000000;
}

int ExibicaoTexto::Endereco() const {
    const int i = dados_.ComboBox1;
    return i >= 0 && i < DadosTexto::kItensVariavel ? i + 1 : 0;
}

double ExibicaoTexto::Avalia(const std::string& formula) const { return AvaliaTexto(formula, mem_); }

void ExibicaoTexto::VariavelEscolhida() {
    const int k = Endereco();
    if (dados_.Tipo == 0 && k > 0 && k <= 100) {
        const EntradaTabela& e = mem_.entrada(k);
        // Controller outputs are percentages whatever their table says.
        dados_.Edit4 = k <= 10 ? "0.00" : e.ueMin;
        dados_.Edit1 = e.ueMax;
        baixoTexto = FormataFixo(Avalia(e.lie), 4, 2);
        altoTexto = FormataFixo(Avalia(e.lse), 4, 2);
        dados_.Unidade = e.unidade;
    } else if (dados_.Tipo == 2) {
        dados_.Edit4 = "0.00";
        dados_.Edit1 = "100.00";
        baixoTexto = "0.00";
        altoTexto = "100.00";
    }
}

void ExibicaoTexto::ValidaParametros() {
    const int k = Endereco();
    if (dados_.Tipo == 0 && k > 0) {
        if (k <= kNumEngenharia) {
            const EntradaTabela& e = mem_.entrada(k);
            // As when the variable is chosen: controller outputs are
            // percentages whatever their table says.
            dados_.Edit4 = k <= 10 ? "0.00" : e.ueMin;
            dados_.Edit1 = e.ueMax;
            baixoTexto = FormataFixo(Avalia(e.lie), 4, 2);
            altoTexto = FormataFixo(Avalia(e.lse), 4, 2);
            dados_.Unidade = e.unidade;
        } else {
            // M100..M124 have no engineering data: shown as a plain
            // percentage whose only limits are its range.
            dados_.Edit4 = "0";
            dados_.Edit1 = "100";
            baixoTexto = "0.00";
            altoTexto = "100.00";
            dados_.Unidade = "%";
        }
    }
    maximo_ = ConverteReal(dados_.Edit1);
    minimo_ = ConverteReal(dados_.Edit4);
    baixo_ = ConverteReal(baixoTexto);
    alto_ = ConverteReal(altoTexto);
    if (dados_.Tipo == 2) {
        baixo_ = -kSemAlarme;
        alto_ = kSemAlarme;
        formula_.Define(TrocaVirgulaPorPonto(dados_.FuncaoTr));
    }
}

void ExibicaoTexto::CalculaCiclo() {
    const int k = Endereco();
    binario_ = false;
    bool erro = false;
    if (dados_.Tipo == 2) {
        mostrado_ = minimo_ + (maximo_ - minimo_) * formula_.Avalia(mem_, erro) / 100;
        vermelho_ = mostrado_ > alto_ || mostrado_ < baixo_;
        return;
    }
    if (dados_.Tipo == 1 && k > 0 && k <= 100) {
        binario_ = true;
        zero_ = mem_[k] == 0;
        vermelho_ = zero_;
        return;
    }
    const double v = k > 0 ? mem_[k] : 0;
    mostrado_ = minimo_ + (maximo_ - minimo_) * v / 100;
    if (k == 0) {
        // Nothing chosen is nothing to alarm about.
        vermelho_ = false;
        return;
    }
    if (k <= kNumEngenharia) {
        // Limits changed in the variable table take effect at once.
        lie_.Define(mem_.entrada(k).lie);
        lse_.Define(mem_.entrada(k).lse);
        baixo_ = lie_.Avalia(mem_, erro);
        alto_ = lse_.Avalia(mem_, erro);
    }
    vermelho_ = mostrado_ > alto_ || mostrado_ < baixo_;
}

std::string ExibicaoTexto::texto() const {
    if (!binario_) return FormataFixo(mostrado_, dados_.CasasDecimais, dados_.CasasDecimais) + " " + dados_.Unidade;
    // Without "/" the word for 0 is empty and the word for 1 the whole text.
    const std::string& f = dados_.FuncaoTr;
    const auto barra = f.find('/');
    if (barra == std::string::npos) return zero_ ? std::string() : f;
    return zero_ ? f.substr(0, barra) : f.substr(barra + 1);
}

}  // namespace kivo
