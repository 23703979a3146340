#include "VerbComboEdit.h"

#include <QKeyEvent>

#include "VerbComboBox.h"

VerbComboEdit::VerbComboEdit(VerbComboBox* owner_) : QLineEdit(owner_), owner(owner_) {}

void VerbComboEdit::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        setUpdatesEnabled(false);
        setText(owner->lastVerbText);
        owner->OnTextEdited();
        setUpdatesEnabled(true);
        update();
        event->accept();
        return;
    }
    QLineEdit::keyReleaseEvent(event);
}
