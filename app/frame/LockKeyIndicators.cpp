#include "LockKeyIndicators.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QStatusBar>
#include <QtGui/qguiapplication_platform.h>

namespace {

std::optional<platform::LockKeys> ReadFromDisplay() {
    void* display = nullptr;
#if QT_CONFIG(xcb)
    if (auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>()) display = x11->display();
#endif
#if defined(_WIN32)
    return platform::ReadLockKeys(nullptr);
#else
    return platform::ReadLockKeys(display);
#endif
}

}  // namespace

LockKeyIndicators::LockKeyIndicators(QStatusBar* statusBar, const QString& caps, const QString& num,
                                     const QString& scroll)
    : QObject(statusBar), reader(ReadFromDisplay) {
    const QString texts[3] = {caps, num, scroll};
    for (size_t i = 0; i < labels.size(); ++i) {
        auto* indicator = new QLabel(texts[i], statusBar);
        indicator->setEnabled(false);
        indicator->setAlignment(Qt::AlignCenter);
        indicator->setMinimumWidth(indicator->fontMetrics().horizontalAdvance(texts[i]) + 12);
        statusBar->addPermanentWidget(indicator);
        labels[i] = indicator;
    }
    qApp->installEventFilter(this);
    Refresh();
}

void LockKeyIndicators::Refresh() {
    const std::optional<platform::LockKeys> keys = reader ? reader() : std::nullopt;
    const bool on[3] = {keys && keys->capsLock, keys && keys->numLock, keys && keys->scrollLock};
    for (size_t i = 0; i < labels.size(); ++i) labels[i]->setEnabled(on[i]);
}

bool LockKeyIndicators::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        // Each key event passes the focus widget and its parents: once is enough.
        if (watched == QApplication::focusWidget() || watched == QApplication::activeWindow()) Refresh();
        break;
    case QEvent::ApplicationActivate:
        Refresh();
        break;
    default:
        break;
    }
    return false;
}
