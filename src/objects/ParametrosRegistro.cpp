// The signal generator block of the project file: the marker and five
// keyless lines per row, {P/kk} numbering the 80 lines in order.
#include "core/NumberText.h"
#include "core/Registro.h"
#include "objects/Parametros.h"

namespace kivo {
namespace {

constexpr std::size_t kPrefixo = 6;  // "{P/01}"

// How many kinds the row's selector offers.
int ItensTipo(int g) {
    if (g <= TParmForm::kUltimaEquacao) return 10;
    if (g <= TParmForm::kUltimaDinamica) return 7;
    return 2;
}

}  // namespace

void TParmForm::SalvaParametros(EscritorLinhas& w) const {
    w.Texto("<Parametros>");
    EscritorRegistro r(w, "{P/", ContextoPares('G', 0));
    for (int g = kPrimeira; g <= kUltima; ++g) {
        const LinhaGerador& l = linha(g);
        const bool temFaixa = g <= kUltimaDinamica;
        r.Inteiro("", l.Tipo);
        r.Par("", l.Desc);
        r.Texto("", temFaixa ? l.Min : "/");
        r.Texto("", temFaixa ? l.Max : "/");
        r.Texto("", l.Valor);
    }
}

void TParmForm::LeParametros(LeitorLinhas& linhas) {
    linhas.Proxima();  // the marker is not compared
    LeitorRegistro r(linhas, kPrefixo, ContextoPares('G', 0));
    for (int g = kPrimeira; g <= kUltima; ++g) {
        LinhaGerador& l = linha(g);
        const bool temFaixa = g <= kUltimaDinamica;
        l.Tipo = IndiceNaLista(r.Estrito(""), ItensTipo(g));
        l.Desc = r.Par("");
        const std::string min = r.Texto("");
        const std::string max = r.Texto("");
        if (temFaixa) {
            l.Min = min;
            l.Max = max;
        }
        // The value line also carries the 0/1 selector of a constant 0-1 and
        // the starting output of a medium random.
        l.Valor = r.Texto("");
        if (l.Tipo == LinhaGerador::Constante01) {
            int dig = 0;
            if (!ConverteInteiroEstrito(l.Valor, dig)) linhas.Falha(l.Valor, ErroLeitura::Tipo::Inteiro);
            l.ValorDig = IndiceNaLista(dig, 2);
        } else if (l.Tipo == LinhaGerador::AleatorioMedio && temFaixa) {
            // The filter continues from the saved value at rest: its target
            // starts there too, until the next draw, instead of pulling the
            // output toward 0 or another project's target.
            l.y = ConverteReal(l.Valor);
            l.alvo = l.y;
        }
    }
    for (int g = kPrimeira; g <= kUltima; ++g) LayoutLinha(g, true);
    AplicaParametros();
}

}  // namespace kivo
