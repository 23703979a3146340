// The English definition bar: a toolbar holding one multi-line edit field
// with the definition of the active verb window's verb. It is shown and
// hidden from the View menu.
#pragma once

#include <QToolBar>

class DefinitionEdit;

class DefinitionBar : public QToolBar {
    Q_OBJECT

public:
    explicit DefinitionBar(QWidget* parent);

    DefinitionEdit* edit = nullptr;
    // Height of the edit: two lines of the bar's font with their edges.
    int editHeight = 0;
};
