// The small window shown while a language module searches: the module's own
// picture as background, the status text, a progress bar with "0%" and
// "100%" under it.
//
// The module reaches it through its message target: each WM_USER message
// carries the percentage done and repaints the window at once, since no
// event loop runs while the search does.
#pragma once

#include <QDialog>
#include <QPointer>
#include <QRect>
#include <memory>

#include "platform/CallbackMessageTarget.h"

class LanguageModule;
class QProgressBar;

class CSearchProgressDlg : public QDialog {
    Q_OBJECT

public:
    explicit CSearchProgressDlg(QWidget* parent = nullptr);
    ~CSearchProgressDlg() override;

    // Moves the bar to `percent` and repaints the window and the bar now.
    void SetProgress(int percent);

    // The handle to give the module (SetSearchProgressHwnd).
    HWND Handle() { return target.get(); }

    // The line shown above the bar.
    QString statusText;
    // The module whose search runs; its picture is the background. While
    // null, the window paints nothing of its own.
    LanguageModule* language = nullptr;

    QProgressBar* Bar() const { return bar; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    intptr_t OnMessage(uint32_t message, uintptr_t wParam, intptr_t lParam);

    QProgressBar* bar = nullptr;
    QRect statusRect;   // 1004
    QRect zeroRect;     // 1005
    QRect hundredRect;  // 1006
    std::unique_ptr<platform::CallbackMessageTarget> target;
};
