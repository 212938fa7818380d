#include "ui/app/CommandLine.h"

#include <cstdio>
#include <cstring>

#include "version/Version.h"

namespace kivo::ui {

namespace {

constexpr const char* kHelp =
    "Usage: kivo [FILE.smp]\n"
    "\n"
    "KIVO, a training simulator for industrial process control. Lay out a plant\n"
    "on a picture, configure processes, PID controllers, calculation blocks and\n"
    "signal generators, watch the loops on faceplates and trends, run hours of\n"
    "plant time in seconds, and tune the loops with the tuning assistant.\n"
    "\n"
    "Opens the project FILE.smp, or else the example chooser. Without a display,\n"
    "use kivo-batch.\n"
    "\n"
    "Options:\n"
    "  --help       show this help\n"
    "  --version    show the version\n"
    "\n"
    "Files:\n"
    "  ~/.config/kivo/preferences.cfg\n"
    "      the user's interface language, one line: \"<language> English\" or\n"
    "      \"<language> Portuguese\" (XDG_CONFIG_HOME is honoured)\n"
    "  /etc/xdg/kivo/preferences.cfg\n"
    "      the same line, as the default for every user of the machine\n"
    "      (XDG_CONFIG_DIRS is honoured)\n"
    "  ~/Documents/KIVO\n"
    "      where archives and logs go, and where the file dialogs open, until\n"
    "      the user opens or saves a project in a folder of their own\n"
    "  /usr/share/kivo/examples, /usr/share/kivo/help\n"
    "      the examples (read-only: saved as a copy in ~/Documents/KIVO) and\n"
    "      the help pages\n";

}  // namespace

int AnswerInfoOptions(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kHelp, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("kivo %s\n", KIVO_VERSION);
            return 0;
        }
    }
    return -1;
}

}  // namespace kivo::ui
