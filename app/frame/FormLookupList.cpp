#include "FormLookupList.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <algorithm>
#include <cmath>

#include "PageModel.h"
#include "QtText.h"

namespace {

constexpr int WordRole = Qt::UserRole + 1;   // the form's word, drawn in bold
constexpr int RestRole = Qt::UserRole + 2;   // " — être · Passé Simple · nous"
constexpr int GuessRole = Qt::UserRole + 3;  // a suggestion, drawn in italics
constexpr int TextPadding = 4;               // left and right of a line's text

// Draws a line as its word in bold followed by the rest of it; the lines of
// a suggestion (nothing matched what was typed) in italics.
class ReadingDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    static QFont WordFont(QFont font, bool guess) {
        font.setBold(true);
        font.setItalic(guess);
        return font;
    }
    static QFont RestFont(QFont font, bool guess) {
        font.setBold(false);
        font.setItalic(guess);
        return font;
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem background = option;
        initStyleOption(&background, index);
        background.text.clear();
        const QWidget* widget = option.widget;
        QStyle* style = widget ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &background, painter, widget);

        const bool guess = index.data(GuessRole).toBool();
        const bool selected = (option.state & QStyle::State_Selected) != 0;
        painter->save();
        painter->setPen(
            option.palette.color(QPalette::Active, selected ? QPalette::HighlightedText : QPalette::Text));
        QRect text = option.rect.adjusted(TextPadding, 0, -TextPadding, 0);
        const QString word = index.data(WordRole).toString();
        const QFont wordFont = WordFont(option.font, guess);
        painter->setFont(wordFont);
        painter->drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, word);
        text.setLeft(text.left() + int(std::ceil(QFontMetricsF(wordFont).horizontalAdvance(word))));
        const QFont restFont = RestFont(option.font, guess);
        painter->setFont(restFont);
        const QString rest =
            QFontMetrics(restFont).elidedText(index.data(RestRole).toString(), Qt::ElideRight, text.width());
        painter->drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, rest);
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const bool guess = index.data(GuessRole).toBool();
        // Measured as drawn: each part from a whole pixel, the rest's
        // fraction of a pixel taken up, and one more so that it is never elided.
        const QFontMetricsF word(WordFont(option.font, guess));
        const QFontMetricsF rest(RestFont(option.font, guess));
        const int width = int(std::ceil(word.horizontalAdvance(index.data(WordRole).toString()))) +
                          int(std::ceil(rest.horizontalAdvance(index.data(RestRole).toString()))) + 1 +
                          2 * TextPadding;
        return QSize(width, int(std::ceil(std::max(word.height(), rest.height()))) + 4);
    }
};

}  // namespace

FormLookupList::FormLookupList(QLineEdit* edit_, QWidget* box_) : QListWidget(box_), edit(edit_), box(box_) {
    // A window of its own, over everything, that the window manager neither
    // frames nor activates: the edit keeps the keyboard focus.
    setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setObjectName(QStringLiteral("formLookupList"));
    setFocusPolicy(Qt::NoFocus);
    viewport()->setFocusPolicy(Qt::NoFocus);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setUniformItemSizes(true);
    setMouseTracking(true);
    setItemDelegate(new ReadingDelegate(this));
    setFrameShape(QFrame::Box);
    QFont font = box->font();
    font.setBold(false);
    setFont(font);

    lookupTimer.setSingleShot(true);
    lookupTimer.setInterval(0);
    connect(&lookupTimer, &QTimer::timeout, this, &FormLookupList::LookUp);
    connect(this, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { Choose(row(item)); });
    box->installEventFilter(this);
    if (box->window() != box) box->window()->installEventFilter(this);
}

void FormLookupList::SetModule(const LanguageModule* module_) {
    module = module_ != nullptr && module_->CanLookUpForms() ? module_ : nullptr;
    Dismiss();
}

void FormLookupList::ScheduleLookup() {
    if (module != nullptr) lookupTimer.start();
}

void FormLookupList::Dismiss() {
    lookupTimer.stop();
    hide();
}

QString FormLookupList::LineText(const LanguageModule& module_, const FormReading& reading) {
    const QString separator = QStringLiteral(" \u00B7 ");
    QString line = FromCp1252(reading.word) + QStringLiteral(" \u2014 ") + FromCp1252(reading.infinitive);
    const QString tense = FromCp1252(module_.GetTenseName2(reading.tense));
    if (!tense.isEmpty()) line += separator + tense;
    const QString person = QString::fromLatin1(page::PersonName(reading.slot));
    if (!person.isEmpty()) line += separator + person;
    return line;
}

void FormLookupList::LookUp() {
    lookupTimer.stop();
    clear();
    readings.clear();
    const QString text = edit->text().trimmed();
    const std::optional<std::string> bytes = module != nullptr ? ToCp1252(text) : std::nullopt;
    if (!bytes || bytes->empty() || !box->isVisible() || !box->hasFocus()) {
        hide();
        return;
    }
    // The start of a verb name is looked up in the verb list; the list of
    // forms comes only if the text is a whole form too.
    if (startsVerbName && startsVerbName(text)) {
        const std::vector<FormReading> whole = module->LookupForm(*bytes, IgnoreAccents);
        const bool isForm = std::any_of(whole.begin(), whole.end(), [](const FormReading& reading) {
            return !reading.Suggestion() && reading.slot != InfinitiveSlot;
        });
        if (!isForm) {
            hide();
            return;
        }
    }
    readings = module->LookupForm(*bytes, LookupPrefix | IgnoreAccents);
    if (readings.empty()) {
        hide();
        return;
    }
    for (const FormReading& reading : readings) {
        const QString word = FromCp1252(reading.word);
        const QString line = LineText(*module, reading);
        auto* item = new QListWidgetItem(line);
        item->setData(WordRole, word);
        item->setData(RestRole, line.mid(word.size()));
        item->setData(GuessRole, reading.Suggestion());
        addItem(item);
    }
    setCurrentRow(-1);
    clearSelection();
    scrollToTop();
    Place();
    show();
}

void FormLookupList::Place() {
    const int rows = std::min(count(), MaxVisibleRows);
    const int rowHeight = sizeHintForRow(0);
    const int frame = 2 * frameWidth();
    const int scrollBar = count() > MaxVisibleRows ? verticalScrollBar()->sizeHint().width() : 0;
    // As wide as the widest line, not only the lines in view (the list's
    // own hint, with uniform item sizes, measures the first line only).
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    int widest = 0;
    for (int row = 0; row < count(); ++row)
        widest = std::max(widest, itemDelegate()->sizeHint(option, model()->index(row, 0)).width());
    int width = std::max(box->width(), widest + frame + scrollBar);
    const int height = rows * rowHeight + frame;
    QPoint at = box->mapToGlobal(QPoint(0, box->height()));
    if (const QScreen* screen = box->screen()) {
        const QRect area = screen->availableGeometry();
        width = std::min(width, area.width());
        at.setX(std::clamp(at.x(), area.left(), area.right() + 1 - width));
        // No room below the box: above it.
        if (at.y() + height > area.bottom() + 1) at.setY(box->mapToGlobal(QPoint(0, 0)).y() - height);
    }
    setGeometry(QRect(at, QSize(width, height)));
}

void FormLookupList::Step(int rows) {
    const int last = count() - 1;
    int next = currentIndex().isValid() && selectionModel()->hasSelection() ? currentRow() + rows
                                                                            : (rows > 0 ? rows - 1 : last);
    if (rows < 0 && currentRow() == 0 && selectionModel()->hasSelection()) {
        // Up from the first line leaves the list for the text.
        setCurrentRow(-1);
        clearSelection();
        return;
    }
    next = std::clamp(next, 0, last);
    setCurrentRow(next);
    scrollToItem(item(next));
}

void FormLookupList::Choose(int row) {
    if (row < 0 || row >= int(readings.size())) return;
    const FormReading reading = readings[size_t(row)];
    Dismiss();
    emit readingChosen(reading);
}

bool FormLookupList::IsListKey(int key) {
    switch (key) {
    case Qt::Key_Down:
    case Qt::Key_Up:
    case Qt::Key_PageDown:
    case Qt::Key_PageUp:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        return true;
    default:
        return false;
    }
}

bool FormLookupList::HandleKey(QKeyEvent* key) {
    const int page = std::max(1, std::min(count(), MaxVisibleRows) - 1);
    switch (key->key()) {
    case Qt::Key_Down:
        Step(1);
        return true;
    case Qt::Key_Up:
        Step(-1);
        return true;
    case Qt::Key_PageDown:
        Step(page);
        return true;
    case Qt::Key_PageUp:
        Step(-page);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (selectionModel()->hasSelection()) {
            Choose(currentRow());
            return true;
        }
        // Enter on a text that names no verb takes the first reading; on a
        // verb's name it does what it does in the verb box.
        if (!(namesVerb && namesVerb(edit->text().trimmed()))) {
            Choose(0);
            return true;
        }
        Dismiss();
        return false;
    case Qt::Key_Escape:
        // The text stays as typed; the edit does not see this Esc at all.
        Dismiss();
        swallowEscapeRelease = true;
        return true;
    default:
        return false;
    }
}

bool FormLookupList::eventFilter(QObject* watched, QEvent* event) {
    // The box is the focus widget: its edit gets the keys from it.
    if (watched == box) {
        switch (event->type()) {
        case QEvent::KeyPress: {
            auto* key = static_cast<QKeyEvent*>(event);
            // The keys of the list act on the text as typed, even before
            // its lookup had its turn.
            if (lookupTimer.isActive() && IsListKey(key->key())) LookUp();
            if (isVisible() && HandleKey(key)) return true;
            break;
        }
        case QEvent::ShortcutOverride:
            // Esc closes the list before anything else may take it.
            if (isVisible() && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) event->accept();
            break;
        case QEvent::KeyRelease:
            if (swallowEscapeRelease && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
                swallowEscapeRelease = false;
                return true;
            }
            break;
        case QEvent::FocusOut:
        case QEvent::Hide:
        case QEvent::Move:
        case QEvent::Resize:
            Dismiss();
            break;
        default:
            break;
        }
    } else if (watched == box->window()) {
        // The list stays under the box, and goes with the window.
        const QEvent::Type type = event->type();
        if (type == QEvent::Move || type == QEvent::Resize || type == QEvent::Hide ||
            type == QEvent::WindowDeactivate)
            Dismiss();
    }
    return QListWidget::eventFilter(watched, event);
}
