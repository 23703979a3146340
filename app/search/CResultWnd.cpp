#include "CResultWnd.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <string_view>

#include "CChildFrame.h"
#include "CSortingListCtrl.h"
#include "LanguageModule.h"
#include "ModuleIcon.h"
#include "ProgramObjects.h"
#include "QtText.h"
#include "VerbWindowHost.h"

namespace {

// The tense index of a row of a forms search, kept beside its name.
constexpr int TenseRole = Qt::UserRole + 1;

struct EntryFields {
    std::string_view text;
    std::string_view infinitive;
    std::string_view tense;
};

// "text TAB infinitive TAB tense"; a missing TAB leaves the later fields empty.
EntryFields Split(std::string_view entry) {
    EntryFields fields;
    size_t first = entry.find('\t');
    fields.text = entry.substr(0, first);
    if (first == std::string_view::npos) return fields;
    std::string_view rest = entry.substr(first + 1);
    size_t second = rest.find('\t');
    fields.infinitive = rest.substr(0, second);
    if (second != std::string_view::npos) fields.tense = rest.substr(second + 1);
    return fields;
}

// The leading decimal integer of a field, as atoi reads it.
int LeadingInteger(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9' && value < 100000000; ++i)
        value = value * 10 + (text[i] - '0');
    return int(negative ? -value : value);
}

}  // namespace

CResultWnd::CResultWnd() {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("resultWindow"));
    ++OpenChildCount;
    registered = true;
}

CResultWnd::~CResultWnd() {
    if (!registered) return;
    --OpenChildCount;
    emit closed();
}

bool CResultWnd::Create() {
    const QIcon icon = ModuleIcon(language);
    if (!icon.isNull()) setWindowIcon(icon);
    list = new CSortingListCtrl(this);
    list->setObjectName(QStringLiteral("list%1").arg(ListId));
    setWidget(list);
    list->AttachHeading();

    const int columns = FormsSearch() ? 3 : 2;
    const uint8_t types[3] = {CSortingListCtrl::CaseInsensitive, CSortingListCtrl::CaseInsensitive,
                              CSortingListCtrl::CaseInsensitive};
    if (list->SetColumnTypes(types, columns)) list->EnableSorting(true);
    list->SetHighlightMode(2);
    QStringList headings = {QStringLiteral("Infinitive"), QStringLiteral("Result")};
    if (FormsSearch()) headings << QStringLiteral("Tense");
    list->setColumnCount(columns);
    list->setHeaderLabels(headings);
    for (int c = 0; c < columns; ++c) list->header()->resizeSection(c, 20);

    list->installEventFilter(this);
    connect(list, &QTreeWidget::itemDoubleClicked, this, [this] { OpenSelectedRow(); });
    return true;
}

void CResultWnd::Fill(const SearchResultList& result) {
    if (list == nullptr || result.texts == nullptr || result.values == nullptr) return;
    QList<QTreeWidgetItem*> rows;
    rows.reserve(result.count);
    const bool forms = FormsSearch();
    for (int32_t i = 0; i < result.count; ++i) {
        const char* text = result.texts[i];
        EntryFields fields = Split(text ? std::string_view(text) : std::string_view());
        auto* row = new QTreeWidgetItem;
        row->setText(0, FromCp1252(fields.infinitive));
        row->setText(1, FromCp1252(fields.text));
        if (forms && !fields.tense.empty() && language != nullptr) {
            const int tense = LeadingInteger(fields.tense);
            row->setText(2, FromCp1252(language->GetTenseName2(tense)));
            row->setData(2, TenseRole, tense);
        }
        row->setData(0, Qt::UserRole, result.values[i]);
        rows.append(row);
    }
    list->addTopLevelItems(rows);
    // Each column as wide as its widest text with the margins the rows are
    // drawn with, and never narrower than its heading.
    const QFontMetrics metrics(list->font());
    const int margin = 2 * metrics.horizontalAdvance(QLatin1Char(' '));
    for (int c = 0; c < list->columnCount(); ++c) {
        int width = 0;
        for (QTreeWidgetItem* row : std::as_const(rows))
            width = std::max(width, metrics.horizontalAdvance(row->text(c)));
        list->header()->resizeSection(c, std::max(width + margin + 1, list->header()->sectionSizeHint(c)));
    }
}

void CResultWnd::OpenSelectedRow() {
    const int row = list ? list->SelectedRow() : -1;
    if (row < 0 || host == nullptr) return;
    const int32_t value = list->GetItemData(row);
    const int32_t verbIndex = value & ResultVerbIndexMask;
    const bool pronominal = (value & ResultPronominal) != 0;
    const bool alternate = (value & ResultAlternate) != 0;
    const QVariant tense = list->topLevelItem(row)->data(2, TenseRole);
    CChildFrame* window = host->OpenVerbWindow(language, verbIndex, pronominal, alternate);
    // The window opens where the match is, the form matched highlighted.
    if (window != nullptr && tense.isValid()) {
        if (const std::optional<std::string> form = ToCp1252(list->topLevelItem(row)->text(1)))
            window->SetHighlightedSlot(window->SlotOfForm(tense.toInt(), *form));
        window->ShowTense(tense.toInt());
    }
}

bool CResultWnd::focusNextPrevChild(bool next) {
    if (list != nullptr && list->hasFocus() && host != nullptr && host->FocusFrameControl(next)) return true;
    return QMdiSubWindow::focusNextPrevChild(next);
}

bool CResultWnd::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            OpenSelectedRow();
            return true;
        }
    }
    return QMdiSubWindow::eventFilter(watched, event);
}
