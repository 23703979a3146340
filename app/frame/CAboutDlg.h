// The About box: picture, version, notice and the link to the update site.
#pragma once

#include <QDialog>

class CLinkStatic;

class CAboutDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int LinkControlId = 1018;
    static const char* const UpdateAddress;

    explicit CAboutDlg(QWidget* parent);

    CLinkStatic* link = nullptr;
};
