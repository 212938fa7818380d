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
            dados_.Edit4 = e.ueMin;
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
        formula_ = TrocaVirgulaPorPonto(dados_.FuncaoTr);
    }
}

void ExibicaoTexto::CalculaCiclo() {
    const int d = dados_.CasasDecimais;
    const int k = Endereco();
    const auto numero = [&](double mostrado) {
        texto_ = FormataFixo(mostrado, d, d) + " " + dados_.Unidade;
        vermelho_ = mostrado > alto_ || mostrado < baixo_;
    };
    if (dados_.Tipo == 2) {
        numero(minimo_ + (maximo_ - minimo_) * Avalia(formula_) / 100);
        return;
    }
    if (dados_.Tipo == 1 && k > 0 && k <= 100) {
        const std::string& f = dados_.FuncaoTr;
        const auto barra = f.find('/');
        const bool zero = mem_[k] == 0;
        texto_ = barra == std::string::npos ? (zero ? std::string() : f)
                                            : (zero ? f.substr(0, barra) : f.substr(barra + 1));
        vermelho_ = zero;
        return;
    }
    const double v = k > 0 ? mem_[k] : 0;
    const double mostrado = minimo_ + (maximo_ - minimo_) * v / 100;
    texto_ = FormataFixo(mostrado, d, d) + " " + dados_.Unidade;
    if (k == 0) {
        // Nothing chosen is nothing to alarm about.
        vermelho_ = false;
        return;
    }
    if (k <= kNumEngenharia) {
        // Limits changed in the variable table take effect at once.
        baixo_ = Avalia(mem_.entrada(k).lie);
        alto_ = Avalia(mem_.entrada(k).lse);
    }
    vermelho_ = mostrado > alto_ || mostrado < baixo_;
}

}  // namespace kivo
