#include <gtest/gtest.h>

#include <cmath>

#include "Plantas.h"
#include "tuning/Identification.h"

namespace kivo {
namespace {

using tuning::ModelKind;
using tuning::ProcessModel;

void Perto(const char* nome, double obtido, double esperado, double tolerancia, const std::string& caso) {
    EXPECT_LE(std::abs(obtido - esperado), tolerancia * std::abs(esperado))
        << caso << ": " << nome << " " << obtido << " instead of " << esperado;
}

TEST(IdentificationTest, RecoversTheProcessBlockFromItsStepResponse) {
    const struct {
        ProcessModel planta;
        double depois, degrau, pvInicial;
    } plantas[] = {
        {{ModelKind::Fopdt, 1.5, 20, 0, 5}, 200, 10, 0},
        {{ModelKind::Sopdt, 1.5, 30, 10, 8}, 300, 30, 0},
        {{ModelKind::Ipdt, 0.02, 0, 0, 6}, 150, 25, 10},
    };
    for (const auto& p : plantas) {
        for (const bool ruido : {false, true}) {
            const std::string caso = std::string(tuning::KindName(p.planta.kind)) + (ruido ? " with noise" : "");
            teste::Ensaio e;
            e.modelo = p.planta;
            e.depois = p.depois;
            e.degrau = p.degrau;
            e.ruido = ruido;
            e.pvInicial = p.pvInicial;
            e.mv0 = 30;
            const tuning::Identification id = tuning::Identify(teste::GeraEnsaio(e));
            EXPECT_EQ(id.best, p.planta.kind) << caso;
            const ProcessModel& m = id.fit(p.planta.kind).model;
            const double tol = ruido ? 0.10 : 0.02;
            Perto("K", m.K, p.planta.K, tol, caso);
            Perto("theta", m.theta, p.planta.theta, tol, caso);
            if (p.planta.kind != ModelKind::Ipdt) Perto("tau1", m.tau1, p.planta.tau1, tol, caso);
            if (p.planta.kind == ModelKind::Sopdt) Perto("tau2", m.tau2, p.planta.tau2, tol, caso);
            EXPECT_LT(id.fit(p.planta.kind).residual, ruido ? 0.1 : 0.005) << caso;
        }
    }
}

TEST(IdentificationTest, NegativeGainAndStepDown) {
    teste::Ensaio e;
    e.modelo = {ModelKind::Fopdt, -2, 8, 0, 3};
    e.mv0 = 60;
    e.degrau = -5;
    e.depois = 80;
    const tuning::Identification id = tuning::Identify(teste::GeraEnsaio(e));
    const ProcessModel& m = id.fit(ModelKind::Fopdt).model;
    EXPECT_NEAR(m.K, -2, 0.04);
    EXPECT_NEAR(m.tau1, 8, 0.16);
    EXPECT_NEAR(m.theta, 3, 0.06);
}

}  // namespace
}  // namespace kivo
