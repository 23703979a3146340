// Plimo: French verb conjugation for learners and teachers.
#include <cstdio>
#include <cstring>

#include "Application.h"

namespace {

const char* const Usage =
    "Usage: Plimo [--help | --version]\n"
    "\n"
    "Plimo shows every conjugated form of a French verb. Started without options\n"
    "it opens its window, with the verb windows of the last run.\n"
    "\n"
    "  -h, --help     show this text and end\n"
    "      --version  show the version and end\n"
    "\n"
    "plimo-conj conjugates from a terminal or a script (plimo-conj --help).\n";

}  // namespace

int main(int argc, char** argv) {
    // Asked on a terminal, answered there, without a window (nor a display).
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(Usage, stdout);
            return std::fflush(stdout) == 0 ? 0 : 1;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::fputs("Plimo " PLIMO_VERSION "\n", stdout);
            return std::fflush(stdout) == 0 ? 0 : 1;
        }
    }
    Application application(argc, argv);
    if (!application.InitInstance()) return 1;
    int status = application.exec();
    application.ExitInstance();
    return status;
}
