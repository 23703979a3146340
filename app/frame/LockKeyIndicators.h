// The status bar's CAP, NUM and SCRL indicators: each is lit while its lock
// key is on, and all stay dimmed where the platform cannot tell. The state
// is read again whenever a key is pressed or released in the program and
// when the program becomes active (a lock key may have changed elsewhere).
#pragma once

#include <QObject>
#include <array>
#include <functional>
#include <optional>

#include "platform/LockKeys.h"

class QLabel;
class QStatusBar;

class LockKeyIndicators : public QObject {
    Q_OBJECT

public:
    // Adds the three indicators to `statusBar`, texts `caps`, `num`, `scroll`.
    LockKeyIndicators(QStatusBar* statusBar, const QString& caps, const QString& num, const QString& scroll);

    // Where the state comes from: the program's own X display by default.
    std::function<std::optional<platform::LockKeys>()> reader;

    void Refresh();
    const std::array<QLabel*, 3>& Labels() const { return labels; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::array<QLabel*, 3> labels{};
};
