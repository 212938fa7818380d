#pragma once
// What the kivo-batch commands share: their arguments, usage errors, the
// project loader, the output format and a progress bar on a terminal.
#include <unistd.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "cli/Commands.h"
#include "fastsim/Progress.h"

namespace kivo {
class Project;
}

namespace kivo::cli {

struct Arguments {
    std::vector<std::string> positionals;
    std::map<std::string, std::string> values;
    std::set<std::string> flags;

    const std::string* value(const std::string& name) const {
        const auto it = values.find(name);
        return it == values.end() ? nullptr : &it->second;
    }
};

// Splits args into positionals, "--name value" options and flags. Prints the
// reason and returns false on an unknown option or a missing value.
bool ParseArguments(const char* command, const Args& args, const std::set<std::string>& withValue,
             const std::set<std::string>& withoutValue, Arguments& a);
// Prints uso and returns true when the arguments ask for --help.
bool AsksForHelp(const Args& args, const std::string& usage);
// Prints the usage error and returns kUsage.
int UsageError(const char* command, const std::string& text);
// Loads the project; the objects' validation messages go to stderr, as they
// do not stop a run.
bool Load(const char* command, const std::string& file, Project& project);
// --format text|json.
bool ReadFormat(const char* command, const Arguments& a, bool& json);
// Shortest text that reads back as the same double.
void WriteValue(std::string& line, double x);
// A JSON string, quoted and escaped.
std::string Json(std::string_view s);
// A JSON number as WriteValue writes it; null for infinity and NaN, which
// JSON cannot hold.
std::string JsonNumber(double x);

// ---- Progress bar, on a terminal only ---------------------------------------

class ProgressBar : public ProgressObserver {
public:
    ProgressBar() : terminal_(isatty(STDERR_FILENO) != 0) {}
    ~ProgressBar() override {
        if (drawn_) std::fputc('\n', stderr);
    }
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    ProgressObserver* observer() { return terminal_ ? this : nullptr; }

    void OnProgress(int percent) override {
        const int filled = percent / 2;
        std::fprintf(stderr, "\r[%s%s] %3d%%", std::string(static_cast<std::size_t>(filled), '#').c_str(),
                     std::string(static_cast<std::size_t>(50 - filled), ' ').c_str(), percent);
        std::fflush(stderr);
        drawn_ = true;
    }

private:
    bool terminal_;
    bool drawn_ = false;
};

}  // namespace kivo::cli
