// Plimo: French verb conjugation for learners and teachers.
#include <QDir>
#include <cstring>

#include "Application.h"
#include "DataFolder.h"
#include "UserMessage.h"

namespace {

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
