// kivo-batch check and resave: a project file loaded headless.
#include <cstdio>
#include <string>

#include "cli/Commands.h"
#include "project/ProjectFile.h"

namespace kivo::cli {

namespace {

// Loads the file; on failure prints the reason and returns false.
bool Load(const char* command, const std::string& file, Project& project, LoadResult& res) {
    res = ReadProject(project, file);
    if (!res.ok) std::fprintf(stderr, "kivo-batch %s: %s\n", command, res.error.c_str());
    for (const auto& a : res.warnings) std::fprintf(stderr, "kivo-batch %s: %s\n", command, a.text.c_str());
    return res.ok;
}

void Messages(const LoadResult& res) {
    for (const auto& m : res.messages) std::printf("%s\n", m.c_str());
}

void Row(const char* family, int slot, const std::string& tag, const std::string& description) {
    std::printf("%s\t%d\t%s\t%s\n", family, slot, tag.c_str(), description.c_str());
}

// One line per object, families in the file's order: family, slot number
// (as the record headers give it: 1..10, 21..40 and 71..74, 41..60 and
// 75..78, 201..210, 101..120), tag and description, separated by tabs.
void Summarize(const Project& p) {
    for (int n = 1; n <= 10; ++n)
        if (const auto* c = p.controller(n)) Row("controller", n, c->TagText, c->Description);
    for (int n = 1; n <= 24; ++n)
        if (const auto* o = p.process(n)) Row("process", o->number(), o->TagText, o->DescriptionText);
    for (int n = 1; n <= 24; ++n)
        if (const auto* b = p.block(n)) Row("block", b->number(), b->TagText, b->DescriptionText);
    for (int n = 1; n <= 10; ++n)
        if (const auto* r = p.recorder(n)) Row("recorder", r->number(), r->TagText, r->DescriptionText);
    for (int n = 1; n <= 20; ++n)
        if (const auto* t = p.text(n)) Row("text", t->number(), "", t->DescriptionText);
}

bool AsksForHelp(const Args& args, const char* usage) {
    for (const auto& a : args) {
        if (a == "--help") {
            std::printf("%s", usage);
            return true;
        }
    }
    return false;
}

// Takes "--english" out of the arguments: the project is then read as the
// English interface reads it (language pairs and messages).
bool TakeEnglishFlag(Args& args) {
    const auto n = args.size();
    std::erase(args, std::string("--english"));
    return args.size() != n;
}

}  // namespace

int CheckCommand(const Args& args) {
    static const char* kCheckUsage =
        "Usage: kivo-batch check FILE.smp [--english]\n"
        "Loads the project, prints every validation message in order and then one line\n"
        "per object: family, slot number, tag and description, separated by tabs.\n"
        "The project is read as the Portuguese interface reads it, or as the English one\n"
        "with --english. A file that ends early still loads, with a warning on stderr\n"
        "naming its last line. Exit code 3 when the file cannot be read.\n";
    if (AsksForHelp(args, kCheckUsage)) return kOk;
    Args rest = args;
    const bool english = TakeEnglishFlag(rest);
    if (rest.size() != 1) {
        std::fprintf(stderr, "kivo-batch check: expected one project file (see kivo-batch check --help)\n");
        return kUsage;
    }
    Project project(english);
    LoadResult res;
    if (!Load("check", rest[0], project, res)) return kInvalidInput;
    Messages(res);
    Summarize(project);
    return kOk;
}

int ResaveCommand(const Args& args) {
    static const char* kResaveUsage =
        "Usage: kivo-batch resave IN.smp OUT.smp [--english]\n"
        "Loads IN.smp and writes it to OUT.smp as the program saves a project,\n"
        "printing the validation messages of the load. With --english the project is\n"
        "read and written as the English interface does (language pairs, comments).\n"
        "Exit code 3 when IN.smp cannot be read or OUT.smp cannot be written.\n";
    if (AsksForHelp(args, kResaveUsage)) return kOk;
    Args rest = args;
    const bool english = TakeEnglishFlag(rest);
    if (rest.size() != 2) {
        std::fprintf(stderr, "kivo-batch resave: expected an input and an output file (see kivo-batch resave --help)\n");
        return kUsage;
    }
    Project project(english);
    LoadResult res;
    if (!Load("resave", rest[0], project, res)) return kInvalidInput;
    Messages(res);
    const SaveResult g = SaveProject(project, rest[1]);
    if (!g.ok) {
        std::fprintf(stderr, "kivo-batch resave: %s\n", g.error.c_str());
        return kInvalidInput;
    }
    if (g.unrepresentable > 0)
        std::fprintf(stderr, "kivo-batch resave: %zu character(s) outside Windows-1252 written as '?'\n",
                     g.unrepresentable);
    return kOk;
}

}  // namespace kivo::cli
