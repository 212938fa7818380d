// Saves one file as the user that runs it, for the tests that need a user
// other than root: write_helper TARGET CONTENT [SIZE-LIMIT]. The limit
// (bytes) makes the system refuse a write part-way, as a full disk would.
// Exit 0 when saved; 1 with the English and the Portuguese message on two
// lines of stdout when refused; 2 on wrong usage.
#include <sys/resource.h>

#include <csignal>
#include <cstdio>
#include <string>

#include "project/TextFile.h"
#include "project/FileWriter.h"

int main(int argc, char** argv) {
    if (argc < 3 || argc > 4) return 2;
    if (argc == 4) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlim_t limit = std::stoull(argv[3]);
        const rlimit r{limit, limit};
        if (setrlimit(RLIMIT_FSIZE, &r) != 0) return 2;
    }
    try {
        kivo::WriteFile(argv[1], argv[2]);
    } catch (const kivo::FileError& e) {
        std::printf("%s\n%s\n", e.Message(true).c_str(), e.Message(false).c_str());
        return 1;
    }
    return 0;
}
