#pragma once
// Sub-commands of kivo-batch. Each returns the process exit code:
// 0 ok, 2 usage error, 3 bad input.
#include <string>
#include <vector>

namespace kivo::cli {

inline constexpr int kOk = 0;
inline constexpr int kUso = 2;
inline constexpr int kEntradaInvalida = 3;

using Args = std::vector<std::string>;

int ComandoEval(const Args& args);
int ComandoCheck(const Args& args);
int ComandoResave(const Args& args);
int ComandoRun(const Args& args);
int ComandoSimulate(const Args& args);
int ComandoIndices(const Args& args);
int ComandoBumptest(const Args& args);
int ComandoTune(const Args& args);

}  // namespace kivo::cli
