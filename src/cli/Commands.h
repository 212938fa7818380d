#pragma once
// Sub-commands of kivo-batch. Each returns the process exit code:
// 0 ok, 2 usage error, 3 bad input.
#include <string>
#include <vector>

namespace kivo::cli {

inline constexpr int kOk = 0;
inline constexpr int kUsage = 2;
inline constexpr int kInvalidInput = 3;

using Args = std::vector<std::string>;

int EvalCommand(const Args& args);
int CheckCommand(const Args& args);
int ResaveCommand(const Args& args);
int RunCommand(const Args& args);
int SimulateCommand(const Args& args);
int IndicesCommand(const Args& args);
int BumptestCommand(const Args& args);
int TuneCommand(const Args& args);
int RelaytestCommand(const Args& args);
int GradeCommand(const Args& args);
int ExerciseCommand(const Args& args);
int ServeCommand(const Args& args);

}  // namespace kivo::cli
