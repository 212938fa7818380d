#pragma once
// The tuning window's captions and hints in both languages, applied like
// the faceplate's (ApplyControlTexts), and the texts it composes at run
// time: list items, table headings and chart legends.
#include <span>

#include <QString>
#include <QStringList>

#include "ui/i18n/ControllerTexts.h"

namespace kivo::ui {

std::span<const ControlText> TuningTexts();

// "Sintonia - TAG" / "Tuning - TAG".
QString TuningTitle(const QString& tag, bool english);
// The data sources: 0 the controller's trend, 1 a file, 2 a step test and
// 3 a relay test, simulated on a copy of the plant; 4 a relay test on the
// running plant.
QStringList SourceItems(bool english);
// The model choices: 0 FOPDT, 1 SOPDT, 2 IPDT (in the order of the model
// kinds), 3 the best fit.
QStringList ModelItems(bool english);
// Headings of the model table: model, K, tau1, tau2, theta, RMS.
QStringList ModelColumns(bool english);
// Headings of the rule table: the setting, three predicted indices, and
// the gain margin, phase margin and Ms with their worst cases.
QStringList RuleColumns(bool english);
// The process direction with the configuration area's caption (0 reverse,
// 1 direct).
QString DirectionText(int actionItem, bool english);
// The indices panel's two column headings and the response tabs.
QString SetpointStepTitle(bool english);
QString LoadStepTitle(bool english);
// The indices panel's title with the predicted runs' window, which the
// prediction sizes to the model (not the fast simulation's window).
QString PredictedIndicesTitle(double window, bool english);
// Legends of the data chart.
QString ModelLegend(bool english);
QString StepLegend(bool english);
// The file chooser's title and filter.
QString SeriesFileTitle(bool english);
QString SeriesFileFilter(bool english);
// A field that does not hold a positive number.
QString InvalidTime(const QString& field, bool english);
// Added to a "too few samples" message when the data are the trend's.
QString TimeBaseHint(bool english);
// The placeholder of the simulated test's empty duration.
QString AutomaticDuration(bool english);
// The simulated step test stepped on a PV that had not come to rest in the
// given time.
QString NotAtRestWarning(double seconds, bool english);
// The relay test's oscillation (period s, PV amplitude %) and the model's
// ultimate gain and period (s).
QString RelayText(double period, double pvAmplitude, double ku, double pu, bool english);
// The relay test on the running plant while it runs: phase 0 waiting for
// rest, 1 the lead-in, 2 the relay at cycle `cycles` of `total`; seconds
// of plant time since the start.
QString LiveRelayStatus(int phase, int cycles, int total, double seconds, bool english);
// The simulated relay test started on a PV that had not come to rest.
QString RelayNotAtRestWarning(double seconds, bool english);
// Where a predicted index is out of range (the loop diverges).
QString OutOfRangeText(bool english);
// A margin of a loop that is unstable.
QString UnstableText(bool english);
// The empty SIMC and IMC fields: the rule's own default.
QString DefaultTc(bool english);
QString DefaultLambda(bool english);
// The model table's mark on the best fit.
QString BestMark(bool english);

}  // namespace kivo::ui
