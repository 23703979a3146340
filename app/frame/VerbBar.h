// The verb bar: the toolbar through which the user picks the verb of the
// active verb window. It holds the verb boxes (one per language module, on
// top of each other; only the active window's one is shown), then the
// Pronominal and variant buttons, the clipboard buttons and Print.
#pragma once

#include <QIcon>
#include <QToolBar>

class QAction;

class VerbBar : public QToolBar {
    Q_OBJECT

public:
    static constexpr int ComboAreaWidth = 200;
    static constexpr int ImageCount = 18;

    explicit VerbBar(QWidget* parent);

    // The widget the verb boxes sit in, at (0, 0) each.
    QWidget* ComboArea() const { return comboArea; }

    // Image `index` of the toolbar strip (16 x 15 pixels each).
    static QIcon Image(int index);

private:
    QWidget* comboArea = nullptr;
};
