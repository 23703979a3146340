// Saving the user's English definitions: soon after each change, and at the
// end of the run, asking the user what to do when the file cannot be
// written, so that no edit is lost without the user's word.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

#include "LanguageModule.h"

class QWidget;

class DefinitionsSaver : public QObject {
    Q_OBJECT

public:
    // How long after a stored change the file is written.
    static constexpr int SaveDelayMs = 400;

    DefinitionsSaver(QWidget* owner, const std::vector<std::unique_ptr<LanguageModule>>& modules);

    // Saves what waits to be saved. A failure is reported once a run, with
    // Retry, Save As... and Later; Later keeps the edits for the next try.
    void SaveNow();

    // Saves what waits to be saved before the program ends: each failure is
    // reported with Retry, Save As... and Discard until the edits are saved
    // or the user lets them go.
    void SaveBeforeExit();

    // The file a user picks for Save As...; empty when cancelled. A file
    // dialog unless replaced (tests).
    std::function<QString(const QString& suggestion)> chooseFile;

private:
    enum class Outcome { Saved, Later };
    Outcome SaveAsking(LanguageModule& module, bool atExit);

    QWidget* owner;
    const std::vector<std::unique_ptr<LanguageModule>>& modules;
    QTimer timer;
    bool failureReported = false;
};
