#include "CChildFrame.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMoveEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QHash>
#include <algorithm>
#include <cstring>
#include <vector>

#include "ModuleIcon.h"
#include "PageMarkup.h"
#include "PageView.h"
#include "ProgramObjects.h"
#include "PronominalUse.h"
#include "QtText.h"
#include "VerbWindowHost.h"

CChildFrame::CChildFrame(LanguageModule* languageModule_, int32_t verbIndex_, bool pronominal_,
                         bool useAlternate_)
    : languageModule(languageModule_),
      verbIndex(verbIndex_),
      pronominal(pronominal_),
      useAlternate(useAlternate_) {
    for (int i = 0; i < FormCount; ++i) formPointers[i] = forms[i];
    pageLines.fill(nullptr);
    setAttribute(Qt::WA_DeleteOnClose);
    view = new PageView(this);
    setWidget(view);
}

CChildFrame::~CChildFrame() {
    if (!registered) return;
    VerbWindowList.removeAll(this);
    --OpenChildCount;
    emit closed();
}

bool CChildFrame::Create() {
    ++OpenChildCount;
    VerbWindowList.append(this);
    registered = true;
    const QIcon icon = ModuleIcon(languageModule);
    if (!icon.isNull()) setWindowIcon(icon);
    int32_t count = languageModule ? languageModule->GetVerbCount() : 0;
    if (verbIndex < 0 || verbIndex >= count) verbIndex = 0;
    FillPage();
    SetVerb(verbIndex);
    return true;
}

void CChildFrame::FillPage() {}

void CChildFrame::AdjustToPage() {}

void CChildFrame::FillPageFor(page::Layout layout) {
    const auto& lines = page::Lines(layout);
    for (size_t entry = 0; entry < lines.size(); ++entry) {
        const page::Line& line = lines[entry];
        pageLines[entry] = line.tense >= 0
                               ? (languageModule ? languageModule->GetTenseName(line.tense) : nullptr)
                           : line.slot >= 0 ? forms[line.slot]
                                            : nullptr;
    }
}

void CChildFrame::SetVerb(int32_t index) {
    int32_t count = languageModule ? languageModule->GetVerbCount() : 0;
    if (index >= 0 && index < count) {
        verbIndex = index;
        onlyPronominal = PronominalUseOf(languageModule, verbIndex) == PronominalUse::Only;
        Conjugate();
        const char* text = languageModule->GetEnglishDefinition(verbIndex, pronominal);
        definition = text ? text : "";
    }
    // The form looked for is no longer on the page.
    if (highlightedSlot >= 0 && (verbIndex != highlightedVerb || pronominal != highlightedPronominal ||
                                 useAlternate != highlightedAlternate))
        highlightedSlot = -1;
    view->viewport()->update();
    emit stateChanged();
}

void CChildFrame::SetPronominal(bool flag) {
    pronominal = flag;
    pronominalTyped = false;
    SetVerb(verbIndex);
}

void CChildFrame::TakeTypedForm(bool typedPronominal) {
    if (typedPronominal)
        pronominal = pronominalTyped = true;
    else if (pronominalTyped)
        pronominal = pronominalTyped = false;
}

void CChildFrame::TakeReadingForm(bool readingPronominal, bool alternate) {
    pronominal = pronominalTyped = readingPronominal;
    useAlternate = alternate;
}

void CChildFrame::SetAlternate(int choice) {
    useAlternate = choice != 0;
    SetVerb(verbIndex);
}

void CChildFrame::SetHighlightedSlot(int slot) {
    highlightedSlot = slot >= 0 && slot < InfinitiveSlot ? slot : -1;
    highlightedVerb = verbIndex;
    highlightedPronominal = pronominal;
    highlightedAlternate = useAlternate;
    view->viewport()->update();
}

int CChildFrame::SlotOfForm(int tense, std::string_view form) const {
    int first = tense * PersonCount, last = first + PersonCount - 1;
    if (tense == ImperativeTense) {
        first = ImperativeSlot;
        last = ImperativeSlot + ImperativeFormCount - 1;
    } else if (tense == PastParticipleTense) {
        first = PastParticipleSlot;
        last = CompoundParticipleSlot;
    } else if (tense == PresentParticipleTense) {
        first = last = PresentParticipleSlot;
    } else if (tense < 0 || tense >= PersonalTenseCount) {
        return -1;
    }
    const std::string wanted = VisibleText(std::string(form).c_str());
    if (wanted.empty()) return -1;
    for (int slot = first; slot <= last; ++slot)
        if (VisibleText(forms[slot]) == wanted) return slot;
    return -1;
}

void CChildFrame::Conjugate() {
    char labels[LabelBufferSize];
    std::memset(labels, 0, sizeof labels);
    if (languageModule != nullptr)
        languageModule->ConjugateVerb(verbIndex, false, &hasAlternate, &canBePronominal, &useAlternate,
                                      &pronominal, labels, formPointers);
    // The buffers must stay terminated whatever the module wrote.
    for (auto& form : forms) form[FormSize - 1] = '\0';

    page::VariantLabels variantLabels = page::ReadVariantLabels(labels, sizeof labels);
    alternateLabel1 = std::move(variantLabels.first);
    alternateLabel2 = std::move(variantLabels.second);
    alternateImage1 = alternateLabel1.empty() ? 1 : ImageNumberForLabel(alternateLabel1);
    alternateImage2 = alternateLabel2.empty() ? 2 : ImageNumberForLabel(alternateLabel2);

    MeasurePage();
    setWindowTitle(FromCp1252(forms[InfinitiveSlot]));
    view->viewport()->update();
}

void CChildFrame::CommitDefinition(std::string_view text) {
    if (languageModule != nullptr) languageModule->SetEnglishDefinition(verbIndex, pronominal, text);
    // The store keeps definitions on one line; show what it keeps.
    std::string stored(text);
    for (char& c : stored)
        if (c == '\r' || c == '\n') c = ' ';
    definition = std::move(stored);
}

int CChildFrame::ImageNumberForLabel(std::string_view label) {
    static const std::pair<std::string_view, int> images[] = {{"A", 7},  {"E", 8},   {"O", 9},  {"I", 10},
                                                              {"Y", 11}, {"OI", 12}, {"U", 13}, {"IE", 14}};
    for (const auto& [text, image] : images)
        if (label == text) return image;
    return 1;
}

std::array<int, 4> CChildFrame::MeasureColumns() const {
    std::array<int, 4> widths{};
    QFontMetrics metrics(*VerbFont, view->viewport());
    for (int row = 0; row < rowCount; ++row) {
        for (int column = 0; column < columnCount; ++column) {
            int first = ((row * columnCount + column) * blocksPerCell) * LinesPerBlock;
            for (int entry = first; entry < first + blocksPerCell * LinesPerBlock; ++entry) {
                const char* line = pageLines[size_t(entry)];
                if (line == nullptr) continue;
                int width = metrics.horizontalAdvance(FromCp1252(VisibleText(line)));
                if (width > widths[size_t(column)]) widths[size_t(column)] = width;
            }
            widths[size_t(column)] += 2 * marginX;
        }
    }
    return widths;
}

int CChildFrame::PageWidthOf(const std::array<int, 4>& widths) const {
    int sum = 0;
    for (int column = 0; column < columnCount; ++column) sum += widths[size_t(column)];
    return sum + 2 * marginX;
}

// The longest infinitives make the widest forms: the longest lines (by
// letters) of their pages in every form, column by column, are the widest
// ones, near enough; only they are measured. Leaves the forms of the last
// verb conjugated in the window's buffers.
std::array<std::vector<std::string>, 4> CChildFrame::LongestLinesOfLongestVerbs(int32_t count) {
    std::vector<std::pair<size_t, int32_t>> byLength;
    byLength.reserve(size_t(std::max(count, 0)));
    for (int32_t i = 0; i < count; ++i)
        if (const char* verb = languageModule->GetVerb(i)) byLength.emplace_back(std::strlen(verb), i);
    const size_t candidates = std::min<size_t>(byLength.size(), 16);
    std::partial_sort(byLength.begin(), byLength.begin() + std::ptrdiff_t(candidates), byLength.end(),
                      [](const auto& a, const auto& b) { return a.first > b.first; });
    constexpr size_t Kept = 3;
    std::array<std::vector<std::string>, 4> longest;
    for (size_t c = 0; c < candidates; ++c) {
        for (int form = 0; form < 4; ++form) {
            bool anyAlternate = false, anyPronominal = false;
            bool alternate = (form & 1) != 0, reflexive = (form & 2) != 0;
            char labels[LabelBufferSize] = {};
            languageModule->ConjugateVerb(byLength[c].second, false, &anyAlternate, &anyPronominal,
                                          &alternate, &reflexive, labels, formPointers);
            for (auto& text : forms) text[FormSize - 1] = '\0';
            for (int row = 0; row < rowCount; ++row) {
                for (int column = 0; column < columnCount; ++column) {
                    std::vector<std::string>& kept = longest[size_t(column)];
                    const int first = ((row * columnCount + column) * blocksPerCell) * LinesPerBlock;
                    for (int entry = first; entry < first + blocksPerCell * LinesPerBlock; ++entry) {
                        const char* line = pageLines[size_t(entry)];
                        if (line == nullptr) continue;
                        std::string text(VisibleText(line));
                        if (kept.size() == Kept && text.size() <= kept.back().size()) continue;
                        if (std::find(kept.begin(), kept.end(), text) != kept.end()) continue;
                        kept.push_back(std::move(text));
                        std::sort(kept.begin(), kept.end(), [](const std::string& a, const std::string& b) {
                            return a.size() > b.size();
                        });
                        if (kept.size() > Kept) kept.pop_back();
                    }
                }
            }
        }
    }
    return longest;
}

int CChildFrame::WidestPageWidth() {
    if (!VerbFont || languageModule == nullptr) return pageWidth;
    // Remembered for each layout, module and display font.
    static QHash<QString, int> widest;
    const int32_t count = languageModule->GetVerbCount();
    const QString key = QString::fromLatin1(metaObject()->className()) + QLatin1Char('|') +
                        QString::number(quintptr(languageModule)) + QLatin1Char('|') +
                        FromCp1252(languageModule->GetLanguage()) + QLatin1Char('|') +
                        QString::number(count) + QLatin1Char('|') + VerbFont->key();
    if (auto it = widest.constFind(key); it != widest.constEnd()) return std::max(*it, pageWidth);

    const std::array<std::vector<std::string>, 4> longest = LongestLinesOfLongestVerbs(count);
    std::array<int, 4> columns = columnWidths;
    QFontMetrics metrics(*VerbFont, view->viewport());
    for (int column = 0; column < columnCount; ++column) {
        int width = 0;
        for (const std::string& text : longest[size_t(column)])
            width = std::max(width, metrics.horizontalAdvance(FromCp1252(text)));
        columns[size_t(column)] = std::max(columns[size_t(column)], width + 2 * marginX * rowCount);
    }
    widest.insert(key, PageWidthOf(columns));
    Conjugate();  // the window's own verb again
    return std::max(widest.value(key), pageWidth);
}

void CChildFrame::MeasurePage() {
    if (!VerbFont) return;
    columnWidths = MeasureColumns();
    pageWidth = PageWidthOf(columnWidths);
    pageHeight = (8 * blocksPerCell - 1) * LineHeight + 2 * marginY;
    AdjustToPage();
    view->viewport()->update();
}

QPoint CChildFrame::LinePosition(int column, int block, int line) const {
    int x = scrollOrigin.x() + marginX;
    for (int c = 0; c < column; ++c) x += columnWidths[size_t(c)];
    int y = scrollOrigin.y() + marginY + (8 * block + line) * LineHeight;
    return QPoint(x, y);
}

void CChildFrame::PaintBackground(QPainter& painter, const QRect& client) {
    painter.fillRect(client, Qt::white);
}

QColor CChildFrame::HighlightTint() {
    // A third of the palette's highlight on the page's white.
    const QColor highlight = QApplication::palette().color(QPalette::Active, QPalette::Highlight);
    const auto mix = [](int colour) { return (colour + 2 * 255) / 3; };
    return QColor(mix(highlight.red()), mix(highlight.green()), mix(highlight.blue()));
}

void CChildFrame::PaintPage(QPainter& painter) {
    if (!VerbFont) return;
    painter.save();
    painter.setFont(*VerbFont);
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(Qt::white);
    const QColor textColour = ColorFromColorRef(VerbTextColor);
    const int ascent = QFontMetrics(*VerbFont, painter.device()).ascent();
    QColor current = textColour;
    painter.setPen(current);
    const QFontMetrics metrics(*VerbFont, painter.device());
    const char* highlighted = highlightedSlot >= 0 ? forms[highlightedSlot] : nullptr;
    for (int column = 0; column < columnCount; ++column) {
        for (int block = 0; block < blocksPerCell; ++block) {
            for (int line = 0; line < LinesPerBlock; ++line) {
                if (current != textColour) {
                    current = textColour;
                    painter.setPen(current);
                }
                int entry = ((firstCell + column) * blocksPerCell + block) * LinesPerBlock + line;
                if (entry < 0 || entry >= PageLineCount) continue;
                const char* text = pageLines[size_t(entry)];
                if (text == nullptr) continue;
                for (ColourCode code = ColourCodeAt(text); code.length > 0; code = ColourCodeAt(text)) {
                    current = ColorFromColorRef(code.colour);
                    painter.setPen(current);
                    text += code.length;
                }
                if (*text == '\0') continue;
                QPoint topLeft = LinePosition(column, block, line);
                const QString shown = FromCp1252(VisibleText(text));
                if (pageLines[size_t(entry)] == highlighted) {
                    // The form looked for, on a soft tint of the highlight
                    // colour: the page stays white and its colours readable.
                    const QRect band(topLeft.x() - marginX / 2, topLeft.y(),
                                     metrics.horizontalAdvance(shown) + marginX, LineHeight);
                    painter.fillRect(band, HighlightTint());
                    painter.setBackground(HighlightTint());
                    painter.drawText(QPoint(topLeft.x(), topLeft.y() + ascent), shown);
                    painter.setBackground(Qt::white);
                    continue;
                }
                painter.drawText(QPoint(topLeft.x(), topLeft.y() + ascent), shown);
            }
        }
    }
    painter.restore();
}

QRect CChildFrame::RestoredGeometry() const {
    if (restoredGeometry.isValid()) return restoredGeometry;
    return geometry();
}

void CChildFrame::RememberRestoredGeometry() {
    if (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)) return;
    const QRect now = geometry();
    if (!normalHistory.isEmpty() && normalHistory.last() == now) return;
    normalHistory.append(now);
    if (normalHistory.size() > 8) normalHistory.removeFirst();
    restoredGeometry = now;
}

void CChildFrame::changeEvent(QEvent* event) {
    QMdiSubWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange) return;
    auto* change = static_cast<QWindowStateChangeEvent*>(event);
    const bool wasNormal = !(change->oldState() & (Qt::WindowMinimized | Qt::WindowMaximized));
    if (!wasNormal || !(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized))) return;
    // The window was given its new place before its state changed; those
    // steps are not its restored rectangle.
    const QRect now = geometry();
    if (!normalHistory.isEmpty() && normalHistory.last() == now) normalHistory.removeLast();
    if (normalHistory.size() >= 2) {
        const QRect last = normalHistory.last();
        const QRect before = normalHistory[normalHistory.size() - 2];
        if (last.topLeft() == now.topLeft() && last.size() == before.size()) normalHistory.removeLast();
    }
    if (!normalHistory.isEmpty()) restoredGeometry = normalHistory.last();
}

void CChildFrame::moveEvent(QMoveEvent* event) {
    QMdiSubWindow::moveEvent(event);
    RememberRestoredGeometry();
}

void CChildFrame::resizeEvent(QResizeEvent* event) {
    QMdiSubWindow::resizeEvent(event);
    RememberRestoredGeometry();
}

QList<QWidget*> CChildFrame::FocusChain() const { return {view}; }

bool CChildFrame::focusNextPrevChild(bool next) {
    QList<QWidget*> chain;
    for (QWidget* widget : FocusChain())
        if (widget != nullptr && widget->isVisible() && widget->isEnabled() &&
            widget->focusPolicy() != Qt::NoFocus)
            chain.append(widget);
    // The frame itself also moves the focus into the window this way, from
    // outside the chain: that stays the standard handling.
    const int at = chain.indexOf(QApplication::focusWidget());
    const bool leaving = at >= 0 && (next ? at == chain.size() - 1 : at == 0);
    if (leaving && host != nullptr && host->FocusFrameControl(next)) return true;
    return QMdiSubWindow::focusNextPrevChild(next);
}

void CChildFrame::HandleFocusIn() {
    if (languageModule != nullptr) emit focusEntered();
}
