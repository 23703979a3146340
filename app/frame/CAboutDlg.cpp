#include "CAboutDlg.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include "CLinkStatic.h"
#include "DialogUnits.h"

const char* const CAboutDlg::UpdateAddress = "https://plimo.example.org";

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About Plimo"));
    setFont(DialogFont());
    const DialogUnits du = DialogUnits::Of(font());
    setFixedSize(du.Map(0, 0, 281, 174).size());

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("aboutPicture"));
    picture->setGeometry(du.Map(7, 7, 267, 92));
    picture->setAlignment(Qt::AlignCenter);
    QPixmap image(QStringLiteral(":/about.png"));
    picture->setPixmap(image.scaled(picture->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));

    auto* version = new QLabel(QStringLiteral("Plimo " PLIMO_VERSION), this);
    version->setGeometry(du.Map(7, 103, 267, 8));
    version->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    auto* notice = new QLabel(QStringLiteral("French verb conjugation for learners and teachers."), this);
    notice->setGeometry(du.Map(7, 114, 267, 8));
    notice->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    auto* visit = new QLabel(QStringLiteral("Visit"), this);
    visit->setGeometry(du.Map(23, 125, 59, 8));
    visit->setAlignment(Qt::AlignRight | Qt::AlignTop);

    link = new CLinkStatic(this);
    link->setObjectName(QStringLiteral("aboutLink"));
    link->setText(QString::fromLatin1(UpdateAddress));
    link->setGeometry(du.Map(84, 125, 88, 8));
    link->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    link->PreSubclassWindow();

    auto* forUpdates = new QLabel(QStringLiteral("for updates."), this);
    forUpdates->setObjectName(QStringLiteral("forUpdates"));
    // Follows the link, which has been fitted to its text.
    QRect after = du.Map(173, 125, 88, 8);
    after.moveLeft(std::max(after.left(), link->geometry().right() + int(du.x * 2)));
    forUpdates->setGeometry(after);
    forUpdates->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setGeometry(du.Map(116, 153, 50, 14));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
