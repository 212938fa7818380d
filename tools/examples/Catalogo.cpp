// The example plants, in the order of the example chooser, with the folder,
// file name and title each one ships under.
#include "Autoria.h"

namespace kivo::exemplos {

const std::vector<Planta>& Plantas() {
    static const std::vector<Planta> kPlantas = {
        {"basic flow loop", "basic flow loop.smp", "Vazão em Duto|Basic flow loop", VazaoBasica},
        {"course-fine flow loop", "course-fine flow loop.smp", "Tubulação com By-pass|Pipeline with Bypass",
         GrossoFino},
        {"header pressure with 3 consumers", "header pressure with 3 consumers.smp",
         "Pressão Header e 3 Consumidores|Header pressure with 3 consumers", PressaoHeader},
        {"nonlinear flow processes", "nonlinear flow processes.smp", "Processos Não Lineares|Nonlinear processes",
         ProcessosNaoLineares},
        {"regulatory level", "regulatory level.smp", "Tanque com Regulação de Nível|Regulatory level",
         NivelRegulatorio},
        {"surge tank", "surge tank.smp", "Tanque Pulmão|Surge Tank", TanquePulmao},
        {"heat exchanger", "heatexchanger.smp", "Trocador de Calor|Heat exchanger", TrocadorCalor},
        {"splitrange control", "splitrange.smp", "Reator com Jaqueta|Split range control", FaixaDividida},
        {"furnace", "furnace.smp", "Forno Tubular|Furnace Temperature", FornoTubular},
        {"furnace masterslave", "furnace.smp", "Forno Tubular II|Furnace Temperature(Master-Slave)", FornoCascata},
        {"reactor", "reactor.smp", "Reator|Reactor", Reator},
        {"coolingplant", "coolingplant.smp", "Planta de resfriamento|Cooling plant", PlantaResfriamento},
        {"ethaneplant", "ethaneplant.smp", "Torre deetanizadora|Ethane extraction plant", TorreDeetanizadora},
        {"boiler", "boiler.smp", "Caldeira industrial|Industrial Boiler", Caldeira},
        {"combustion", "ratio.smp", "Razão Ar/Gas básico|Basic Ratio Control", RazaoBasica},
        {"combustion", "cl.smp", "Razão Ar/Gás com Limites Cruzados|Ratio Control with Crossed Limits",
         LimitesCruzados},
        {"combustion", "dcl.smp", "Razão Ar/Gás com Duplo Limites Cruzados|Ratio Control with Double Crossed Limits",
         DuplosLimitesCruzados},
        {"combustion2fuels", "combustion2fuels.smp", "Queima com 2 combustíveis|Combustion with two fuels",
         DoisCombustiveis},
        {"Linearized pH control", "pHcontrol.smp", "Condutividade Linearizado|Linearized conductivity control",
         CondutividadeLinearizada},
        {"smith predictor", "smithpredictor.smp", "Preditor de Smith|Smith predictor", PreditorSmith},
        {"processes to model", "4processes.smp", "4 Processos para Modelagem|4 Processes for Modelling",
         QuatroProcessos},
        {"frequency response", "frequencyresponse.smp", "Resposta em Frequência|Frequency Response",
         RespostaFrequencia},
    };
    return kPlantas;
}

}  // namespace kivo::exemplos
