#include "DefinitionsSaver.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QWidget>

#include "DataFolder.h"
#include "UserMessage.h"

DefinitionsSaver::DefinitionsSaver(QWidget* owner_,
                                   const std::vector<std::unique_ptr<LanguageModule>>& modules_)
    : QObject(owner_), owner(owner_), modules(modules_) {
    timer.setSingleShot(true);
    timer.setInterval(SaveDelayMs);
    connect(&timer, &QTimer::timeout, this, &DefinitionsSaver::SaveNow);
    for (const auto& module : modules) module->OnDefinitionStored([this] { timer.start(); });
    chooseFile = [this](const QString& suggestion) {
        return QFileDialog::getSaveFileName(owner, QStringLiteral("Save English Definitions As"), suggestion,
                                            QStringLiteral("Definitions (*.txt);;All files (*)"));
    };
}

void DefinitionsSaver::SaveNow() {
    timer.stop();
    for (const auto& module : modules) {
        if (!module->HasUnsavedDefinitions() || module->SaveDefinitions()) continue;
        // Said once a run; the edits stay and are tried again later.
        if (failureReported) continue;
        failureReported = true;
        SaveAsking(*module, false);
    }
}

void DefinitionsSaver::SaveBeforeExit() {
    timer.stop();
    for (const auto& module : modules)
        if (module->HasUnsavedDefinitions() && !module->SaveDefinitions()) SaveAsking(*module, true);
}

DefinitionsSaver::Outcome DefinitionsSaver::SaveAsking(LanguageModule& module, bool atExit) {
    const QStringList buttons = {QStringLiteral("&Retry"), QStringLiteral("&Save As..."),
                                 atExit ? QStringLiteral("&Discard") : QStringLiteral("&Later")};
    while (module.HasUnsavedDefinitions()) {
        const QString path = QString::fromLocal8Bit(module.definitionsPath.c_str());
        const QString text =
            QStringLiteral("Your English definitions could not be saved to\n%1\nbecause %2.\n\n%3")
                .arg(path, QString::fromLocal8Bit(module.DefinitionsSaveError().c_str()),
                     atExit ? QStringLiteral("Retry, save them in another file, or discard your changes.")
                            : QStringLiteral("Retry, save them in another file, or keep them for now: "
                                             "Plimo tries again with your next change and when it closes."));
        switch (AskUser(owner, QMessageBox::Warning, text, buttons)) {
        case 0:
            if (module.SaveDefinitions()) return Outcome::Saved;
            break;
        case 1: {
            // Where a Plimo started from the menu looks for them, unless
            // that is the file that failed.
            QString suggestion = QString::fromLocal8Bit(UserDataFolder().c_str()) + QLatin1Char('/') +
                                 QFileInfo(path).fileName();
            if (QFileInfo(suggestion).absoluteFilePath() == QFileInfo(path).absoluteFilePath())
                suggestion = QDir::homePath() + QLatin1Char('/') + QFileInfo(path).fileName();
            const QString chosen = chooseFile(suggestion);
            if (!chosen.isEmpty() && module.SaveDefinitionsAs(QFile::encodeName(chosen).toStdString()))
                return Outcome::Saved;
            break;
        }
        case 2:
            if (atExit) module.DiscardDefinitionChanges();
            return Outcome::Later;
        default:  // the box closed without an answer: ask again
            break;
        }
    }
    return Outcome::Saved;
}
