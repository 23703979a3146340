// Plimo: French verb conjugation for learners and teachers.
#include <QDir>
#include <cstdio>
#include <cstring>

#include "Application.h"
#include "DataFolder.h"
#include "UserMessage.h"

namespace {

const char* const Usage =
    "Usage: Plimo [--data-folder] [--help | --version]\n"
    "\n"
    "Plimo shows every conjugated form of a French verb. Started without options\n"
    "it opens its window, with the verb windows of the last run.\n"
    "\n"
    "Your English definitions are kept in French.txt in the folder Plimo starts\n"
    "from, created when you store the first one.\n"
    "\n"
    "      --data-folder  keep them in the data folder instead,\n"
    "                     $XDG_DATA_HOME/Plimo or ~/.local/share/Plimo (the menu\n"
    "                     entry starts Plimo so)\n"
    "  -h, --help         show this text and end\n"
    "      --version      show the version and end\n"
    "\n"
    "plimo-conj conjugates from a terminal or a script (plimo-conj --help).\n";

// Takes `option` out of the arguments; true when it was there.
bool TakeOption(int& argc, char** argv, const char* option) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], option) != 0) continue;
        for (int k = i; k < argc; ++k) argv[k] = argv[k + 1];
        --argc;
        return true;
    }
    return false;
}

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
    // The menu entry's start: the definitions live in the user's data folder.
    const bool dataFolder = TakeOption(argc, argv, "--data-folder");
    Application application(argc, argv);
    std::string problem;
    if (dataFolder && !EnterUserDataFolder(DefinitionsFileName(LanguageModuleFileNames().front()), problem))
        ShowUserMessage(nullptr, QMessageBox::Warning,
                        QString::fromLocal8Bit(problem.c_str()) +
                            QStringLiteral(" Your definitions are kept in %1.").arg(QDir::currentPath()));
    if (!application.InitInstance()) return 1;
    int status = application.exec();
    application.ExitInstance();
    return status;
}
