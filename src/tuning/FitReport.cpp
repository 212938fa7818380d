#include "tuning/FitReport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace kivo::tuning {

namespace {

// A number for a message: three significant digits.
std::string Short(double x) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.3g", x);
    return buf;
}

FitWarning Warn(FitWarning::Kind kind, std::string pt, std::string en) { return {kind, std::move(pt), std::move(en)}; }

}  // namespace

std::vector<FitWarning> FitWarnings(const LeastSquaresFit& fit, const FitData& d, std::size_t excluded,
                                    double leadIn) {
    using Kind = FitWarning::Kind;
    std::vector<FitWarning> v;
    const ProcessModel& m = fit.model;
    const double theta = m.theta, w = fit.halfWidth.theta;

    // Below a twentieth of a sample the dead time is nil for the data.
    if (theta < 0.05 * d.dt)
        v.push_back(Warn(Kind::DeadTimeNotResolved,
                         "O tempo morto sai zero: a resposta começa já na primeira amostra após o degrau, e as regras "
                         "que dividem por ele usam um ciclo.",
                         "The dead time comes out zero: the response starts at the first sample after the step, and "
                         "the rules that divide by it take one cycle."));
    else if (!(theta > w))
        v.push_back(Warn(Kind::DeadTimeNotResolved,
                         "O intervalo do tempo morto (" + Short(theta) + " ± " + Short(w) +
                             " s) cobre o zero: os dados não o distinguem de nenhum.",
                         "The dead time's interval (" + Short(theta) + " ± " + Short(w) +
                             " s) covers zero: the data do not tell it from none."));

    if (fit.thetaAtMax)
        v.push_back(Warn(Kind::AtBound,
                         "O tempo morto chegou ao limite da busca (" + Short(theta) +
                             " s, 80 % do registro após o degrau): registre mais tempo depois do degrau.",
                         "The dead time reached the edge of its search (" + Short(theta) +
                             " s, 80 % of the record after the step): record longer after the step."));
    if (fit.tauAtMin)
        v.push_back(Warn(Kind::AtBound,
                         "Uma constante de tempo chegou ao limite inferior da busca (" +
                             Short(m.kind == ModelKind::Sopdt ? m.tau2 : m.tau1) +
                             " s, um décimo de amostra): os dados não a mostram.",
                         "A time constant reached the lower edge of its search (" +
                             Short(m.kind == ModelKind::Sopdt ? m.tau2 : m.tau1) +
                             " s, a tenth of a sample): the data do not show it."));
    if (fit.tauAtMax)
        v.push_back(Warn(Kind::AtBound,
                         "A constante de tempo chegou ao limite superior da busca (" + Short(m.tau1) +
                             " s): a PV não se acomoda no registro.",
                         "The time constant reached the upper edge of its search (" + Short(m.tau1) +
                             " s): the PV does not settle in the record."));

    if (excluded > 0)
        v.push_back(Warn(Kind::PvClamped,
                         std::to_string(excluded) +
                             " amostras com a PV em 0 ou 100 % ficaram fora do ajuste: presa no fim da faixa, a PV "
                             "não mostra o processo e desviaria o modelo.",
                         std::to_string(excluded) +
                             " samples with the PV at 0 or 100 % were left out of the fit: clamped at the end of its "
                             "span, the PV does not show the process and would bias the model."));

    // The PV change the model shows over the record, against the standard
    // deviation of the residuals.
    double change = 0;
    for (double t : d.t) change = std::max(change, std::abs(ForcedResponse(m, d.changes, t)));
    const double sigma = std::sqrt(fit.sse / static_cast<double>(fit.samples - static_cast<std::size_t>(fit.parameters)));
    if (sigma > 0 && change < kMinSignalToNoise * sigma)
        v.push_back(Warn(Kind::SmallStep,
                         "O degrau é pequeno diante do ruído: a PV varia " + Short(change / sigma) +
                             " vezes o desvio padrão do ruído (" + Short(sigma) +
                             " %); abaixo de " + Short(kMinSignalToNoise) +
                             " os parâmetros ficam incertos. Um degrau maior ajuda.",
                         "The step is small against the noise: the PV moves " + Short(change / sigma) +
                             " times the noise's standard deviation (" + Short(sigma) + " %); below " +
                             Short(kMinSignalToNoise) + " the parameters are uncertain. A larger step helps."));

    if (m.kind == ModelKind::Ipdt) {
        const double needed = std::max(kMinLeadInDeadTimes * theta, static_cast<double>(kMinLeadInSamples) * d.dt);
        if (leadIn < needed)
            v.push_back(Warn(Kind::ShortLeadIn,
                             "O registro antes do degrau (" + Short(leadIn) +
                                 " s) é curto para um processo integrador: a deriva e o tempo morto pedem pelo menos " +
                                 Short(needed) + " s. Registre mais tempo antes do degrau.",
                             "The record before the step (" + Short(leadIn) +
                                 " s) is short for an integrating process: its drift and dead time need at least " +
                                 Short(needed) + " s. Record longer before the step."));
    }
    return v;
}

std::optional<ModelFit> Report(const LeastSquaresFit& a, const FitData& d, const ProcessModel& initial,
                               std::size_t excluded, double leadIn, const StepSeries& s, std::size_t first,
                               std::size_t last, double t0) {
    if (!std::isfinite(a.sse)) return std::nullopt;
    ModelFit fit;
    fit.model = a.model;
    fit.initial = initial;
    fit.halfWidth = a.halfWidth;
    fit.pv0 = a.pv0;
    fit.drift = a.drift;
    fit.samples = a.samples;
    fit.parameters = a.parameters;
    fit.rms = std::sqrt(a.sse / static_cast<double>(a.samples));
    for (std::size_t i = first; i < last; ++i) {
        const double t = s.t[i] - t0;
        fit.fitted.push_back(fit.pv0 + fit.drift * t + ForcedResponse(fit.model, d.changes, t));
    }
    const ProcessModel& m = fit.model;
    if (!std::isfinite(m.K) || !std::isfinite(m.tau1) || !std::isfinite(m.tau2) || !std::isfinite(m.theta) ||
        !std::isfinite(fit.pv0) || !std::isfinite(fit.drift) || !std::isfinite(fit.rms))
        return std::nullopt;
    fit.warnings = FitWarnings(a, d, excluded, leadIn);
    return fit;
}

void ChooseBest(Identification& id, const std::array<LeastSquaresFit, 3>& found, double record) {
    // The lowest BIC, which charges each parameter ln n against the fit (a
    // richer model always fits a little better, if only to the noise).
    // Noise slower than the sampling makes neighbouring samples tell the
    // same: n counts the independent ones, by the residual correlation of
    // the closest fit. A time constant far beyond the record says the PV
    // never settles: the integrator describes that with no such constant.
    const LeastSquaresFit* closest = nullptr;
    for (std::size_t i = 0; i < 3; ++i)
        if (id.fits[i] && (!closest || found[i].sse < closest->sse)) closest = &found[i];
    if (!closest) return;
    for (std::size_t i = 0; i < 3; ++i)
        if (id.fits[i]) id.fits[i]->bic = Bic(found[i], closest->correlation);
    const bool integrator = id.fits[2].has_value();
    double lowest = INFINITY;
    for (std::size_t i = 0; i < 3; ++i) {
        const auto& f = id.fits[i];
        if (!f || (integrator && i != 2 && f->model.tau1 > kSettlingLimit * record)) continue;
        if (f->bic < lowest) {
            lowest = f->bic;
            id.best = static_cast<ModelKind>(i);
        }
    }
}

}  // namespace kivo::tuning
