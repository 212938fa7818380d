#pragma once
// The tuning window's captions and hints in both languages, applied like
// the faceplate's (AplicaTextosControle), and the texts it composes at run
// time: list items, table headings and chart legends.
#include <span>

#include <QString>
#include <QStringList>

#include "ui/i18n/TextosControlador.h"

namespace kivo::ui {

std::span<const TextoControle> TextosSintonia();

// "Sintonia - TAG" / "Tuning - TAG".
QString TituloSintonia(const QString& tag, bool ingles);
// The data sources: 0 the controller's trend, 1 a file, 2 a step test
// simulated on a copy of the plant.
QStringList ItensFonte(bool ingles);
// The model choices: 0 FOPDT, 1 SOPDT, 2 IPDT (in the order of the model
// kinds), 3 the best fit.
QStringList ItensModelo(bool ingles);
// Headings of the model table: model, K, tau1, tau2, theta, residual.
QStringList ColunasModelos(bool ingles);
// Headings of the rule table.
QStringList ColunasRegras(bool ingles);
// The process direction with the configuration area's caption (0 reverse,
// 1 direct).
QString TextoDirecao(int acao, bool ingles);
// The indices panel's two column headings and the response tabs.
QString TituloDegrauSP(bool ingles);
QString TituloDegrauCarga(bool ingles);
// The indices panel's title with the predicted runs' window, which the
// prediction sizes to the model (not the fast simulation's window).
QString TituloIndicesPrevistos(double janela, bool ingles);
// Legends of the data chart.
QString LegendaModelo(bool ingles);
QString LegendaDegrau(bool ingles);
// The file chooser's title and filter.
QString TituloArquivoSerie(bool ingles);
QString FiltroArquivoSerie(bool ingles);
// A field that does not hold a positive number.
QString TempoInvalido(const QString& campo, bool ingles);
// Added to a "too few samples" message when the data are the trend's.
QString DicaBaseTempo(bool ingles);
// The placeholder of the simulated test's empty duration.
QString DuracaoAutomatica(bool ingles);
// The simulated step test stepped on a PV that had not come to rest in the
// given time.
QString AvisoSemRepouso(double segundos, bool ingles);
// Where a predicted index is out of range (the loop diverges).
QString TextoForaDaFaixa(bool ingles);
// The empty SIMC and IMC fields: the rule's own default.
QString PadraoTc(bool ingles);
QString PadraoLambda(bool ingles);
// The model table's mark on the best fit.
QString MarcaMelhor(bool ingles);

}  // namespace kivo::ui
