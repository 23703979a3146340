#include "CSearchProgressDlg.h"

#include <QPainter>
#include <QProgressBar>

#include "DeviceBitmap.h"
#include "DialogUnits.h"
#include "LanguageModule.h"

CSearchProgressDlg::CSearchProgressDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("searchProgress"));
    setFont(DialogFont());
    const DialogUnits du = DialogUnits::Of(font());
    setFixedSize(du.Map(0, 0, 195, 121).size());

    bar = new QProgressBar(this);
    bar->setObjectName(QStringLiteral("progress1003"));
    bar->setGeometry(du.Map(7, 79, 180, 16));
    bar->setRange(0, 100);
    bar->setValue(0);
    bar->setTextVisible(false);
    statusRect = du.Map(7, 34, 180, 14);
    zeroRect = du.Map(7, 98, 39, 10);
    hundredRect = du.Map(148, 98, 39, 10);

    // The handler goes with the window: a message that arrives after the
    // window is gone reaches nothing.
    QPointer<CSearchProgressDlg> self(this);
    target = std::make_unique<platform::CallbackMessageTarget>(
        [self](uint32_t message, uintptr_t wParam, intptr_t lParam) -> intptr_t {
            return self ? self->OnMessage(message, wParam, lParam) : 0;
        });
}

CSearchProgressDlg::~CSearchProgressDlg() = default;

intptr_t CSearchProgressDlg::OnMessage(uint32_t message, uintptr_t wParam, intptr_t) {
    if (message != WM_USER) return 0;
    SetProgress(int(std::min<uintptr_t>(wParam, 100)));
    return 1;
}

void CSearchProgressDlg::SetProgress(int percent) {
    if (bar == nullptr) return;
    bar->setValue(percent);
    repaint();
    bar->repaint();
}

void CSearchProgressDlg::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    if (language == nullptr) return;
    QPainter painter(this);
    const QImage picture = LoadDIB(language->Handle(), ModuleBitmapId);
    if (!picture.isNull()) {
        painter.drawImage(rect(), picture);
    } else {
        // A module without a picture: a plain light background with a frame.
        painter.fillRect(rect(), palette().window());
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }

    QFont small(QStringLiteral("Arial"));
    small.setPointSize(10);
    painter.setFont(small);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(zeroRect, Qt::AlignLeft | Qt::AlignTop, QStringLiteral("0%"));
    painter.drawText(hundredRect, Qt::AlignRight | Qt::AlignTop, QStringLiteral("100%"));

    QFont bold(QStringLiteral("Arial"));
    bold.setPixelSize(16);
    bold.setWeight(QFont::Bold);
    painter.setFont(bold);
    painter.drawText(statusRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, statusText);
}
