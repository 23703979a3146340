// The edit field of a verb combo box. Releasing Esc in it brings back the
// last verb the box accepted.
#pragma once

#include <QLineEdit>

class VerbComboBox;

class VerbComboEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit VerbComboEdit(VerbComboBox* owner);

protected:
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    VerbComboBox* owner;
};
