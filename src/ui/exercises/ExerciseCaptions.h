#pragma once
// How the exercise windows name measures, events and objects, in the
// interface's language; the exercise file keeps its own English names.
#include <optional>

#include <QString>

#include "exercises/Exercise.h"

namespace kivo::ui {

// The measure in the fast simulation's words where it has them.
QString MeasureCaption(exercises::Measure m, bool english);
// The measure's unit after a value (" %", " s", or none).
QString MeasureUnit(exercises::Measure m);
QString EventKindCaption(exercises::EventKind k, bool english);
// "controlador 1", "process 21".
QString ObjectCaption(const exercises::ObjectRef& o, bool english);
// A number typed by a user, with a decimal point or comma; none when the
// text is not a finite number.
std::optional<double> TypedNumber(const QString& text);

}  // namespace kivo::ui
