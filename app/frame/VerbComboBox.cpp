#include "VerbComboBox.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QHash>
#include <QListView>
#include <QStyledItemDelegate>

#include "FormLookupList.h"
#include "LanguageModule.h"
#include "PronominalUse.h"
#include "QtText.h"
#include "VerbComboEdit.h"

namespace {

// Draws a list item as its text followed by its sense, if it has one:
// "sortir — (law) to take".
class SenseDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        const QString sense = index.data(VerbComboBox::SenseRole).toString();
        if (!sense.isEmpty()) option->text += QStringLiteral(" \u2014 ") + sense;
    }
};

// The first clause of a definition ("to go out, to come out" -> "to go
// out"), cut at a comma or semicolon outside parentheses.
QString FirstSense(const QString& definition) {
    int depth = 0;
    for (int i = 0; i < definition.size(); ++i) {
        const QChar c = definition[i];
        if (c == u'(')
            ++depth;
        else if (c == u')' && depth > 0)
            --depth;
        else if (depth == 0 && (c == u',' || c == u';'))
            return definition.left(i).trimmed();
    }
    return definition.trimmed();
}

}  // namespace

VerbComboBox::VerbComboBox(int controlId_, QWidget* parent) : QComboBox(parent), controlId(controlId_) {
    setEditable(true);
    edit = new VerbComboEdit(this);
    setLineEdit(edit);
    setCompleter(nullptr);
    setInsertPolicy(QComboBox::NoInsert);
    setDuplicatesEnabled(true);
    setMaxVisibleItems(20);
    setFocusPolicy(Qt::StrongFocus);
    setEnabled(false);
    if (auto* list = qobject_cast<QListView*>(view())) list->setUniformItemSizes(true);
    setItemDelegate(new SenseDelegate(this));
    view()->installEventFilter(this);
    view()->viewport()->installEventFilter(this);

    lookupList = new FormLookupList(edit, this);
    lookupList->startsVerbName = [this](const QString& text) {
        return FirstStartingWith(text) >= 0 || FindTyped(text) >= 0;
    };
    lookupList->namesVerb = [this](const QString& text) { return FindTyped(text) >= 0; };
    connect(lookupList, &FormLookupList::readingChosen, this,
            [this](const FormReading& reading) { ApplyReading(reading); });

    connect(edit, &QLineEdit::textEdited, this, [this] { OnTextEdited(); });
    connect(this, &QComboBox::activated, this, [this](int) { emit verbChosen(controlId); });
    // Moving through the open list shows each verb at once.
    connect(this, &QComboBox::highlighted, this, [this](int index) {
        if (!PopupVisible() || !keyNavigation || index < 0 || index == currentIndex()) return;
        setCurrentIndex(index);
        emit verbChosen(controlId);
    });
}

void VerbComboBox::Fill(const LanguageModule& module_) {
    module = &module_;
    lookupList->SetModule(&module_);
    reflexivePrefixes.clear();
    const char* language = module_.GetLanguage();
    if (language != nullptr && QString::fromLatin1(language) == QStringLiteral("French"))
        reflexivePrefixes = {QStringLiteral("s'en "), QStringLiteral("s\u2019en "), QStringLiteral("se "),
                             QStringLiteral("s'"), QStringLiteral("s\u2019")};
    const int32_t count = module_.GetVerbCount();
    QStringList names;
    names.reserve(count);
    for (int32_t i = 0; i < count; ++i) names.append(FromCp1252(module_.GetVerb(i)));
    addItems(names);
    // The two verbs of one infinitive are told apart in the list by their senses.
    QHash<QString, int> uses;
    for (const QString& name : names) ++uses[name];
    for (int32_t i = 0; i < count; ++i) {
        if (uses.value(names[i]) < 2) continue;
        const char* definition = module_.GetEnglishDefinition(i, false);
        if (definition) setItemData(i, FirstSense(FromCp1252(definition)), SenseRole);
    }
    setCurrentIndex(-1);
}

namespace {
// A name without accents, in small letters, with œ and æ spelt out.
QString Unaccented(const QString& name) {
    QString out;
    for (QChar c : name.normalized(QString::NormalizationForm_D)) {
        if (c.category() == QChar::Mark_NonSpacing) continue;
        if (c == QChar(0x153) || c == QChar(0x152))
            out += QStringLiteral("oe");
        else if (c == QChar(0xE6) || c == QChar(0xC6))
            out += QStringLiteral("ae");
        else
            out += c.toLower();
    }
    return out;
}
}  // namespace

int VerbComboBox::FindExact(const QString& typed) const {
    const QString text = typed.trimmed();
    if (text.isEmpty()) return -1;
    const int exact = findText(text, Qt::MatchFixedString);
    if (exact >= 0) return exact;
    // A name typed without its accents ("eteindre") stands for the one verb
    // so spelled once its accents are left out; one with accents of its own
    // is taken as typed.
    for (QChar c : text)
        if (c.unicode() >= 0x80) return -1;
    if (unaccentedNames.size() != count()) {
        unaccentedNames.clear();
        for (int i = 0; i < count(); ++i) unaccentedNames.append(Unaccented(itemText(i)));
    }
    const QString wanted = text.toLower();
    int found = -1;
    for (int i = 0; i < unaccentedNames.size(); ++i) {
        if (unaccentedNames[i] != wanted) continue;
        if (found >= 0 && itemText(found) != itemText(i)) return -1;  // two verbs: none is meant
        if (found < 0) found = i;
    }
    return found;
}

int VerbComboBox::FindPronominal(const QString& typed) const {
    const QString text = typed.trimmed();
    for (const QString& prefix : reflexivePrefixes) {
        if (!text.startsWith(prefix, Qt::CaseInsensitive)) continue;
        const int index = FindExact(text.mid(prefix.size()).trimmed());
        if (index >= 0 && PronominalUseOf(module, index) != PronominalUse::None) return index;
    }
    return -1;
}

int VerbComboBox::FindTyped(const QString& text, bool* pronominal) const {
    int index = FindExact(text);
    const bool reflexive = index < 0 && (index = FindPronominal(text)) >= 0;
    if (pronominal != nullptr) *pronominal = reflexive;
    return index;
}

bool VerbComboBox::PopupVisible() const { return view()->isVisible(); }

void VerbComboBox::OnTextEdited() {
    const QString typed = currentText();
    lookupList->ScheduleLookup();
    bool reflexive = false;
    const int index = FindTyped(typed, &reflexive);
    if (index < 0 || PopupVisible()) return;
    const int cursor = edit->cursorPosition();
    setCurrentIndex(index);
    setEditText(itemText(index));
    edit->setCursorPosition(std::min(cursor, int(itemText(index).size())));
    pronominalTyped = reflexive;
    emit verbChosen(controlId);
    pronominalTyped = false;
    lastVerbText = typed;
}

void VerbComboBox::focusInEvent(QFocusEvent* event) {
    QComboBox::focusInEvent(event);
    if (event->reason() != Qt::PopupFocusReason) lastVerbText = currentText();
}

void VerbComboBox::focusOutEvent(QFocusEvent* event) {
    QComboBox::focusOutEvent(event);
    if (event->reason() == Qt::PopupFocusReason) return;
    if (FindExact(currentText()) >= 0) return;
    // Never leave a half-typed name behind.
    const int index = FindTyped(lastVerbText);
    if (index >= 0) {
        setCurrentIndex(index);
        setEditText(itemText(index));
    } else {
        setCurrentIndex(-1);
        setEditText(QString());
    }
}

void VerbComboBox::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (PopupVisible()) {
            EnterInList();
        } else {
            // With the list closed, Enter only tells of a name that is no
            // verb; the text stays to be corrected.
            const QString typed = currentText().trimmed();
            if (!typed.isEmpty() && FindTyped(typed) < 0) emit unknownVerb(controlId, typed);
        }
        event->accept();
        return;
    case Qt::Key_Escape:
        EscapeToLastVerb();
        event->accept();
        return;
    default:
        QComboBox::keyPressEvent(event);
    }
}

bool VerbComboBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == view()->viewport() && event->type() == QEvent::MouseMove) keyNavigation = false;
    if (watched == view() && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        keyNavigation = true;
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            EnterInList();
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            EscapeToLastVerb();
            return true;
        }
    }
    return QComboBox::eventFilter(watched, event);
}

int VerbComboBox::FirstStartingWith(const QString& text) const {
    if (text.isEmpty()) return -1;
    return findText(text, Qt::MatchStartsWith);
}

void VerbComboBox::showPopup() {
    lookupList->Dismiss();
    const QString text = currentText();
    QComboBox::showPopup();
    // Opening the list puts the selected item's name into the edit; the
    // typed text stays, and brings the list to the first verb it starts
    // with, unless it still is the name of the selected verb.
    if (currentText() != text) setEditText(text);
    if (currentIndex() >= 0 && itemText(currentIndex()).compare(text, Qt::CaseInsensitive) == 0) return;
    const int first = FirstStartingWith(text);
    if (first < 0) return;
    keyNavigation = false;  // highlighting it shows no verb yet
    const QModelIndex index = model()->index(first, modelColumn(), rootModelIndex());
    view()->setCurrentIndex(index);
    view()->scrollTo(index, QAbstractItemView::PositionAtTop);
}

int VerbComboBox::ItemForEnter(bool* pronominal) const {
    const QString text = currentText().trimmed();
    // The verb the box shows, even the second of two equal infinitives.
    const int current = currentIndex();
    if (current >= 0 && itemText(current).compare(text, Qt::CaseInsensitive) == 0) return current;
    const int exact = FindTyped(text, pronominal);
    if (exact >= 0) return exact;
    const int first = FirstStartingWith(text);
    if (first >= 0) return first;
    return view()->indexAt(QPoint(1, 1)).row();  // the top of the visible part
}

void VerbComboBox::EnterInList() {
    bool reflexive = false;
    const int chosen = ItemForEnter(&reflexive);
    if (chosen < 0) return;  // the list stays open
    lastVerbText = itemText(chosen);
    edit->setUpdatesEnabled(false);
    hidePopup();
    setCurrentIndex(chosen);
    setEditText(itemText(chosen));
    edit->setUpdatesEnabled(true);
    pronominalTyped = reflexive;
    emit verbChosen(controlId);
    pronominalTyped = false;
}

void VerbComboBox::ApplyReading(const FormReading& reading) {
    const int index = reading.VerbIndex();
    if (index < 0 || index >= count()) return;
    lastVerbText = itemText(index);
    edit->setUpdatesEnabled(false);
    if (PopupVisible()) hidePopup();
    setCurrentIndex(index);
    setEditText(itemText(index));
    edit->setUpdatesEnabled(true);
    chosenReading = &reading;
    emit verbChosen(controlId);
    chosenReading = nullptr;
}

void VerbComboBox::EscapeToLastVerb() {
    edit->setUpdatesEnabled(false);
    if (PopupVisible()) hidePopup();
    setEditText(lastVerbText);
    edit->setUpdatesEnabled(true);
    OnTextEdited();
}
