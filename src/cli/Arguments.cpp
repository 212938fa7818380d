#include "cli/Arguments.h"

#include <charconv>
#include <cmath>

#include "project/ProjectFile.h"

namespace kivo::cli {

bool ParseArguments(const char* command, const Args& args, const std::set<std::string>& withValue,
             const std::set<std::string>& withoutValue, Arguments& a) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& s = args[i];
        if (s.rfind("--", 0) != 0) {
            a.positionals.push_back(s);
        } else if (withoutValue.count(s)) {
            a.flags.insert(s);
        } else if (withValue.count(s)) {
            if (i + 1 >= args.size()) {
                std::fprintf(stderr, "kivo-batch %s: %s needs a value (see kivo-batch %s --help)\n", command, s.c_str(),
                             command);
                return false;
            }
            a.values[s] = args[++i];
        } else {
            std::fprintf(stderr, "kivo-batch %s: unknown option '%s' (see kivo-batch %s --help)\n", command, s.c_str(),
                         command);
            return false;
        }
    }
    return true;
}

bool AsksForHelp(const Args& args, const std::string& usage) {
    for (const auto& a : args) {
        if (a == "--help") {
            std::printf("%s", usage.c_str());
            return true;
        }
    }
    return false;
}

int UsageError(const char* command, const std::string& text) {
    std::fprintf(stderr, "kivo-batch %s: %s (see kivo-batch %s --help)\n", command, text.c_str(), command);
    return kUsage;
}

bool Load(const char* command, const std::string& file, Project& project) {
    const LoadResult res = ReadProject(project, file);
    if (!res.ok) {
        std::fprintf(stderr, "kivo-batch %s: %s\n", command, res.error.c_str());
        return false;
    }
    for (const auto& a : res.warnings) std::fprintf(stderr, "kivo-batch %s: %s\n", command, a.text.c_str());
    for (const auto& m : res.messages) std::fprintf(stderr, "kivo-batch %s: %s\n", command, m.c_str());
    return true;
}

bool ReadFormat(const char* command, const Arguments& a, bool& json) {
    const std::string* f = a.value("--format");
    json = f && *f == "json";
    if (f && !json && *f != "text") {
        UsageError(command, "--format must be text or json, not '" + *f + "'");
        return false;
    }
    return true;
}

void WriteValue(std::string& line, double x) {
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, x);
    line.append(buf, r.ptr);
}

std::string Json(std::string_view s) {
    std::string r = "\"";
    for (const char c : s) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            r += '\\';
            r += c;
        } else if (u < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", u);
            r += buf;
        } else {
            r += c;
        }
    }
    return r + "\"";
}

std::string JsonNumber(double x) {
    if (!std::isfinite(x)) return "null";
    std::string s;
    WriteValue(s, x);
    return s;
}

}  // namespace kivo::cli
