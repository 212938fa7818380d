// The example plants, in the order of the example chooser, with the folder,
// file name and title each one ships under.
#include "Authoring.h"

namespace kivo::examples {

const std::vector<Plant>& Plants() {
    static const std::vector<Plant> kPlants = {
        {"basic flow loop", "basic flow loop.smp", "Vazão em Duto|Basic flow loop", BasicFlow},
        {"course-fine flow loop", "course-fine flow loop.smp", "Tubulação com By-pass|Pipeline with Bypass",
         CoarseFine},
        {"header pressure with 3 consumers", "header pressure with 3 consumers.smp",
         "Pressão Header e 3 Consumidores|Header pressure with 3 consumers", HeaderPressure},
        {"nonlinear flow processes", "nonlinear flow processes.smp", "Processos Não Lineares|Nonlinear processes",
         NonlinearProcesses},
        {"regulatory level", "regulatory level.smp", "Tanque com Regulação de Nível|Regulatory level",
         RegulatoryLevel},
        {"surge tank", "surge tank.smp", "Tanque Pulmão|Surge Tank", SurgeTank},
        {"heat exchanger", "heatexchanger.smp", "Trocador de Calor|Heat exchanger", HeatExchanger},
        {"splitrange control", "splitrange.smp", "Reator com Jaqueta|Split range control", SplitRange},
        {"furnace", "furnace.smp", "Forno Tubular|Furnace Temperature", TubularFurnace},
        {"furnace masterslave", "furnace.smp", "Forno Tubular II|Furnace Temperature(Master-Slave)", CascadeFurnace},
        {"reactor", "reactor.smp", "Reator|Reactor", Reactor},
        {"coolingplant", "coolingplant.smp", "Planta de resfriamento|Cooling plant", CoolingPlant},
        {"ethaneplant", "ethaneplant.smp", "Torre deetanizadora|Ethane extraction plant", Deethanizer},
        {"boiler", "boiler.smp", "Caldeira industrial|Industrial Boiler", Boiler},
        {"combustion", "ratio.smp", "Razão Ar/Gas básico|Basic Ratio Control", BasicRatio},
        {"combustion", "cl.smp", "Razão Ar/Gás com Limites Cruzados|Ratio Control with Crossed Limits",
         CrossedLimits},
        {"combustion", "dcl.smp", "Razão Ar/Gás com Duplo Limites Cruzados|Ratio Control with Double Crossed Limits",
         DoubleCrossedLimits},
        {"combustion2fuels", "combustion2fuels.smp", "Queima com 2 combustíveis|Combustion with two fuels",
         TwoFuels},
        {"Linearized pH control", "pHcontrol.smp", "Condutividade Linearizado|Linearized conductivity control",
         LinearizedConductivity},
        {"smith predictor", "smithpredictor.smp", "Preditor de Smith|Smith predictor", SmithPredictor},
        {"processes to model", "4processes.smp", "4 Processos para Modelagem|4 Processes for Modelling",
         FourProcesses},
        {"frequency response", "frequencyresponse.smp", "Resposta em Frequência|Frequency Response",
         FrequencyResponse},
    };
    return kPlants;
}

}  // namespace kivo::examples
