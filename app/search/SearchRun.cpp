#include "SearchRun.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QMdiArea>
#include <QScrollBar>
#include <QWindow>
#include <algorithm>
#include <cstring>
#include <string_view>

#include "CFindDlg.h"
#include "CResultWnd.h"
#include "CSearchProgressDlg.h"
#include "CSortingListCtrl.h"
#include "LanguageModule.h"
#include "ProgramObjects.h"
#include "QtText.h"
#include "SearchMatch.h"
#include "UserMessage.h"
#include "VerbSuggestions.h"
#include "VerbWindowHost.h"

namespace {

// Shows the progress window centred over the main window and lets it be
// mapped and painted once before the search takes the thread.
void ShowCentred(CSearchProgressDlg& progress, QWidget* mainFrame) {
    if (mainFrame != nullptr) {
        const QRect main = mainFrame->frameGeometry();
        progress.move(main.left() + main.width() / 2 - progress.width() / 2,
                      main.top() + main.height() / 2 - progress.height() / 2);
    }
    progress.show();
    progress.raise();
    QElapsedTimer waited;
    waited.start();
    while (progress.windowHandle() != nullptr && !progress.windowHandle()->isExposed() &&
           waited.elapsed() < 500)
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
    progress.SetProgress(0);
}

// A size that shows the columns whole and the rows, within the area.
QSize DefaultResultSize(CResultWnd* window, QMdiArea* area) {
    CSortingListCtrl* list = window->List();
    const QSize frame = window->size() - window->widget()->size();
    int width = list->header()->length() + list->verticalScrollBar()->sizeHint().width() + 4;
    int rows = list->topLevelItemCount();
    int rowHeight = rows > 0 ? list->visualItemRect(list->topLevelItem(0)).height() : 16;
    if (rowHeight <= 0) rowHeight = list->fontMetrics().height() + 2;
    int height = list->header()->sizeHint().height() + rows * rowHeight + 6;
    const QSize available = area->viewport()->size();
    const int frameWidth = std::max(frame.width(), 0);
    const int frameHeight = std::max(frame.height(), 0);
    width = std::clamp(width + frameWidth, 280, std::max(280, available.width() * 9 / 10));
    height = std::clamp(height + frameHeight, 160, std::max(160, available.height() * 3 / 4));
    return {width, height};
}

// The merge of a module's result with the user's own definitions: forms as
// the module found them, then the definitions each verb window shows, once
// per verb and form.
class DefinitionsMerge {
public:
    DefinitionsMerge(const LanguageModule& language, uint32_t flags)
        : language_(language),
          flags_(flags),
          count_(std::max(language.GetVerbCount(), 0)),
          listed_(size_t(count_) * 2, false) {}

    void TakeModuleResult(const SearchResultList& moduleResult) {
        for (int32_t i = 0; i < moduleResult.count && moduleResult.texts && moduleResult.values; ++i) {
            const std::string text = moduleResult.texts[i] ? moduleResult.texts[i] : "";
            const int32_t value = moduleResult.values[i];
            const size_t firstTab = text.find('\t');
            const bool formEntry =
                firstTab != std::string::npos && text.find('\t', firstTab + 1) != std::string::npos;
            if (formEntry || !(flags_ & SearchDefinitions)) {
                forms_.push_back({text, value});
                continue;
            }
            // Kept only where it is the definition the verb window shows for
            // that verb and form, and only once.
            const int32_t index = value & ResultVerbIndexMask;
            if (index >= count_ || listed_[Slot(value)]) continue;
            if (Shown(index, (value & ResultPronominal) != 0) != text.substr(0, firstTab)) continue;
            listed_[Slot(value)] = true;
            definitions_.push_back({text, value});
        }
    }

    // The user's own definitions that match, where they differ from the
    // module's: the module has not searched them.
    void AddUserDefinitions(const std::string& pattern) {
        if (!(flags_ & SearchDefinitions) || language_.EntryPoints().GetEnglishDefinition == nullptr) return;
        const bool fold = (flags_ & IgnoreAccents) != 0;
        const std::string wanted = fold ? FoldForComparison(pattern) : pattern;
        for (int32_t index = 0; index < count_; ++index) {
            for (bool pronominal : {false, true}) {
                const char* own = language_.ModuleEnglishDefinition(index, pronominal);
                const std::string shown = Shown(index, pronominal);
                if (shown.empty() || (own != nullptr && shown == own)) continue;
                if (!SearchTextMatches(fold ? FoldForComparison(shown) : shown, wanted,
                                       (flags_ & WholeWord) != 0))
                    continue;
                AddUserDefinition(index, pronominal, shown);
            }
        }
        std::stable_sort(definitions_.begin(), definitions_.end(),
                         [](const Entry& a, const Entry& b) { return Slot(a.value) < Slot(b.value); });
    }

    MergedResult Result() {
        MergedResult merged;
        for (std::vector<Entry>* part : {&forms_, &definitions_})
            for (Entry& entry : *part) {
                if (merged.texts.size() == size_t(MaxSearchResults)) break;
                merged.texts.push_back(std::move(entry.text));
                merged.values.push_back(entry.value);
            }
        merged.Seal();
        return merged;
    }

private:
    struct Entry {
        std::string text;
        int32_t value;
    };

    static size_t Slot(int32_t value) {
        return size_t(value & ResultVerbIndexMask) * 2 + ((value & ResultPronominal) ? 1 : 0);
    }
    std::string Shown(int32_t index, bool pronominal) const {
        const char* text = language_.GetEnglishDefinition(index, pronominal);
        return std::string(text ? text : "");
    }

    // Lists `shown` with the infinitive the verb window shows for that form.
    void AddUserDefinition(int32_t index, bool pronominal, const std::string& shown) {
        char buffers[FormSlotCount][64] = {};
        char* formPointers[FormSlotCount];
        for (int s = 0; s < FormSlotCount; ++s) formPointers[s] = buffers[s];
        bool hasAlternate = false, canBePronominal = false, alternate = false, reflexive = pronominal;
        language_.ConjugateVerb(index, true, &hasAlternate, &canBePronominal, &alternate, &reflexive, nullptr,
                                formPointers);
        buffers[InfinitiveSlot][63] = '\0';
        const int32_t value = index | (reflexive ? int32_t(ResultPronominal) : 0);
        // An only-pronominal verb shows its pronominal definition.
        if (reflexive != pronominal || listed_[Slot(value)]) return;
        listed_[Slot(value)] = true;
        definitions_.push_back({shown + '\t' + buffers[InfinitiveSlot], value});
    }

    const LanguageModule& language_;
    const uint32_t flags_;
    const int32_t count_;
    std::vector<bool> listed_;  // by verb index * 2 + pronominal
    std::vector<Entry> forms_, definitions_;
};

}  // namespace

MergedResult MergeUserDefinitions(const LanguageModule& language, const SearchResultList& moduleResult,
                                  const std::string& pattern, uint32_t flags) {
    DefinitionsMerge merge(language, flags);
    merge.TakeModuleResult(moduleResult);
    merge.AddUserDefinitions(pattern);
    return merge.Result();
}

QString ResultWindowTitle(int count, const QString& searchText) {
    QString title = count == MaxSearchResults ? QStringLiteral("First ") : QString();
    title += QString::number(count);
    title += count == 1 ? QStringLiteral(" Match for ") : QStringLiteral(" Matches for ");
    return title + searchText;
}

CResultWnd* RunSearch(QWidget* mainFrame, QMdiArea* area, LanguageModule* language, uint32_t flags,
                      const std::string& pattern, const QString& searchText) {
    const QString status = (flags & SearchForms)
                               ? QStringLiteral("Searching ") + FromCp1252(language->GetLanguage()) +
                                     QStringLiteral(" Verbs ...")
                               : QStringLiteral("Searching English Definitions ...");
    SearchResultList* result = nullptr;
    {
        CSearchProgressDlg progress(mainFrame);
        progress.statusText = status;
        progress.language = language;
        ShowCentred(progress, mainFrame);
        language->SetSearchProgressHwnd(progress.Handle());
        language->Find(pattern.c_str(), int32_t(flags), &result);
        // The module keeps no handle to a window that is about to go.
        language->SetSearchProgressHwnd(nullptr);
    }
    if (result == nullptr) return nullptr;
    // What the user sees: their own definitions in the module's place.
    const MergedResult merged = MergeUserDefinitions(*language, *result, pattern, flags);
    language->FreeSearchPtr(result);
    if (merged.list.count <= 0) return nullptr;
    auto* window = new CResultWnd;
    window->language = language;
    window->searchFlags = flags;
    area->addSubWindow(window);
    if (!window->Create()) {
        delete window;
        return nullptr;
    }
    window->setWindowTitle(ResultWindowTitle(merged.list.count, searchText));
    window->Fill(merged.list);
    window->resize(DefaultResultSize(window, area));
    window->show();
    // The area places a new window further down and to the right each
    // time; it is moved back so that the whole of it is in view.
    if (!window->isMaximized() && !window->isMinimized()) {
        const QSize room = area->viewport()->size();
        const QPoint place(std::max(0, std::min(window->x(), room.width() - window->width())),
                           std::max(0, std::min(window->y(), room.height() - window->height())));
        if (place != window->pos()) window->move(place);
    }
    area->setActiveSubWindow(window);
    window->List()->setFocus(Qt::OtherFocusReason);
    return window;
}

CResultWnd* RunFindCommand(QWidget* mainFrame, QMdiArea* area, const std::vector<LanguageModule*>& modules,
                           bool* ignoreAccents) {
    if (modules.empty() || area == nullptr) return nullptr;
    CFindDlg dialog(mainFrame);
    for (LanguageModule* module : modules) dialog.languageNames.append(FromCp1252(module->GetLanguage()));
    dialog.searchFlags |= SearchForms;
    if (ignoreAccents && *ignoreAccents) dialog.searchFlags |= IgnoreAccents;

    for (;;) {
        if (dialog.DoModal() != QDialog::Accepted) return nullptr;
        if (ignoreAccents) *ignoreAccents = (dialog.searchFlags & IgnoreAccents) != 0;
        const int index = modules.size() <= 1 ? 0 : std::clamp(dialog.language, 0, int(modules.size()) - 1);
        LanguageModule* language = modules[size_t(index)];
        if (CResultWnd* window = RunSearch(mainFrame, area, language, dialog.searchFlags, dialog.searchBytes,
                                           dialog.searchText))
            return window;
        ShowUserMessage(mainFrame, QMessageBox::NoIcon,
                        QStringLiteral("No matches were found for your search."));
    }
}
