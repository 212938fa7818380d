// Records of the trend recorders and the animated texts.
#include <algorithm>

#include "core/Registro.h"
#include "project/DadosRegistrador.h"
#include "project/DadosTexto.h"

namespace kivo {
namespace {

constexpr std::size_t kPrefixo = 6;  // "{R/01}", "{T/01}"

}  // namespace

void DadosRegistrador::SalvaParametros(EscritorLinhas& w) const {
    w.Texto("=====<<<REGISTRADOR:" + std::to_string(numero()) + ">>>=====");
    EscritorRegistro r(w, "{R/", ContextoPares('R', slot_));
    r.Par("Tag:", TagText);
    r.Par("Desc:", DescricaoText);
    r.Inteiro("Ind Lista Var1:", Variavel1Select);
    r.Par("Desc Var1:", Edit1);
    r.Inteiro("Ind Lista Var2:", Variavel2Select);
    r.Par("Desc Var2:", Edit2);
    r.Inteiro("Ind Lista Var3:", Variavel3Select);
    r.Par("Desc Var3:", Edit3);
    r.Inteiro("Ind Lista Base Tempo:", BaseTempoBox);
}

void DadosRegistrador::LeParametros(LeitorLinhas& linhas) {
    linhas.Proxima();  // the header is not compared
    LeitorRegistro r(linhas, kPrefixo, ContextoPares('R', slot_));
    TagText = r.Par("Tag:");
    DescricaoText = r.Par("Desc:");
    Variavel1Select = IndiceNaLista(r.Estrito("Ind Lista Var1:"), kItensVariavel1);
    Edit1 = r.Par("Desc Var1:");
    Variavel2Select = IndiceNaLista(r.Estrito("Ind Lista Var2:"), kItensVariavel23);
    Edit2 = r.Par("Desc Var2:");
    Variavel3Select = IndiceNaLista(r.Estrito("Ind Lista Var3:"), kItensVariavel23);
    Edit3 = r.Par("Desc Var3:");
    BaseTempoBox = IndiceNaLista(r.Estrito("Ind Lista Base Tempo:"), kItensBaseTempo);
}

void DadosTexto::SalvaParametros(EscritorLinhas& w) const {
    w.Texto("=====<<<TEXTO ANIMADO:" + std::to_string(numero()) + ">>>=====");
    EscritorRegistro r(w, "{T/", ContextoPares('T', slot_));
    r.Par("Desc:", DescricaoText);
    r.Par("Funcao:", FuncaoTr);
    r.Inteiro("Casas Decimais:", CasasDecimais);
    r.Texto("Unidade:", Unidade);
    r.Texto("Faixa Max:", Edit1);
    r.Texto("Faixa Min:", Edit4);
    r.Inteiro("Tipo:", Tipo);
    r.Inteiro("Variavel:", ComboBox1);
}

void DadosTexto::LeParametros(LeitorLinhas& linhas) {
    linhas.Proxima();  // the header is not compared
    LeitorRegistro r(linhas, kPrefixo, ContextoPares('T', slot_));
    DescricaoText = r.Par("Desc:");
    FuncaoTr = r.Par("Funcao:");
    // The decimals selector only offers 0..5.
    CasasDecimais = std::clamp(r.Leniente("Casas Decimais:"), 0, kMaxCasas);
    Unidade = r.Texto("Unidade:");
    Edit1 = r.Texto("Faixa Max:");
    Edit4 = r.Texto("Faixa Min:");
    Tipo = IndiceNaLista(r.Estrito("Tipo:"), kItensTipo);
    ComboBox1 = IndiceNaLista(r.Estrito("Variavel:"), kItensVariavel);
}

}  // namespace kivo
