#pragma once
// The five kinds of object a project places on its diagram, each with its
// numbered slots and its window.
#include <array>

namespace kivo::ui {

enum class Family { PidController, ProcessBlock, CalculationBlock, Recorder, Text };
inline constexpr std::array kFamilies{Family::PidController, Family::ProcessBlock, Family::CalculationBlock,
                                      Family::Recorder, Family::Text};

}  // namespace kivo::ui
