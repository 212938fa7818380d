#include "ui/exercises/ExerciseCaptions.h"

#include <cmath>

namespace kivo::ui {

using namespace kivo::exercises;

QString MeasureCaption(Measure m, bool english) {
    struct Caption {
        Measure m;
        const char* pt;
        const char* en;
    };
    static constexpr Caption kCaptions[] = {
        {Measure::Variability, "Variabilidade", "Variability"},
        {Measure::MeanError, "IEM", "IEM"},
        {Measure::MeanAbsError, "IEMA", "IEMA"},
        {Measure::CoTravel, "Excursão CO", "CO travel"},
        {Measure::CoDeviation, "Desvio Pad. CO", "CO std. dev."},
        {Measure::CoSaturation, "Saturação CO", "CO saturation"},
        {Measure::PvMin, "PV mín.", "PV min"},
        {Measure::PvMax, "PV máx.", "PV max"},
        {Measure::Overshoot, "Sobressinal", "Overshoot"},
        {Measure::RiseTime, "Tempo de subida", "Rise time"},
        {Measure::SettlingTime, "Tempo de acomodação", "Settling time"},
        {Measure::MaxDeviation, "Maior desvio", "Largest deviation"},
    };
    for (const Caption& c : kCaptions)
        if (c.m == m) return QString::fromUtf8(english ? c.en : c.pt);
    return QString::fromLatin1(MeasureName(m));
}

QString MeasureUnit(Measure m) {
    switch (m) {
        case Measure::RiseTime:
        case Measure::SettlingTime: return QStringLiteral(" s");
        case Measure::CoTravel: return QString();
        default: return QStringLiteral(" %");
    }
}

QString EventKindCaption(EventKind k, bool english) {
    switch (k) {
        case EventKind::Setpoint: return english ? QStringLiteral("Setpoint step") : QStringLiteral("Degrau de SP");
        case EventKind::Memory: return english ? QStringLiteral("Memory") : QStringLiteral("Memória");
        case EventKind::Manual: return QStringLiteral("Manual");
        case EventKind::Automatic: return english ? QStringLiteral("Automatic") : QStringLiteral("Automático");
        case EventKind::Output: return english ? QStringLiteral("Output (MV)") : QStringLiteral("Saída (MV)");
        case EventKind::Process: return english ? QStringLiteral("Process setting") : QStringLiteral("Ajuste do processo");
        case EventKind::Freeze: return english ? QStringLiteral("Frozen PV") : QStringLiteral("PV congelada");
        case EventKind::Bias: return english ? QStringLiteral("PV bias") : QStringLiteral("Desvio na PV");
    }
    return QString();
}

QString ObjectCaption(const ObjectRef& o, bool english) {
    const char* kind = o.kind == ObjectKind::Controller ? (english ? "controller" : "controlador")
                       : o.kind == ObjectKind::Process  ? (english ? "process" : "processo")
                                                        : (english ? "block" : "bloco");
    return QString::fromUtf8(kind) + QStringLiteral(" ") + QString::number(o.number);
}

std::optional<double> TypedNumber(const QString& text) {
    bool ok = false;
    const double v = QString(text).trimmed().replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
    if (!ok || !std::isfinite(v)) return std::nullopt;
    return v;
}

}  // namespace kivo::ui
