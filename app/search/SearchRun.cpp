#include "SearchRun.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QMdiArea>
#include <QScrollBar>
#include <QWindow>
#include <algorithm>

#include "CFindDlg.h"
#include "CResultWnd.h"
#include "CSearchProgressDlg.h"
#include "CSortingListCtrl.h"
#include "LanguageModule.h"
#include "ProgramObjects.h"
#include "QtText.h"
#include "UserMessage.h"
#include "VerbWindowHost.h"

namespace {

constexpr int ResultLimit = 200;

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

}  // namespace

QString ResultWindowTitle(int count, const QString& searchText) {
    QString title = count == ResultLimit ? QStringLiteral("First ") : QString();
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
    if (result->count <= 0) {
        language->FreeSearchPtr(result);
        return nullptr;
    }
    auto* window = new CResultWnd;
    window->language = language;
    window->searchFlags = flags;
    area->addSubWindow(window);
    if (!window->Create()) {
        language->FreeSearchPtr(result);
        delete window;
        return nullptr;
    }
    window->setWindowTitle(ResultWindowTitle(result->count, searchText));
    window->Fill(*result);
    language->FreeSearchPtr(result);
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
    if (MainFrameHost != nullptr) MainFrameHost->SyncVerbBar();
    return window;
}

CResultWnd* RunFindCommand(QWidget* mainFrame, QMdiArea* area, const std::vector<LanguageModule*>& modules) {
    if (modules.empty() || area == nullptr) return nullptr;
    CFindDlg dialog(mainFrame);
    for (LanguageModule* module : modules) dialog.languageNames.append(FromCp1252(module->GetLanguage()));
    dialog.searchFlags |= SearchForms;

    for (;;) {
        if (dialog.DoModal() != QDialog::Accepted) return nullptr;
        const int index = modules.size() <= 1 ? 0 : std::clamp(dialog.language, 0, int(modules.size()) - 1);
        LanguageModule* language = modules[size_t(index)];
        if (CResultWnd* window = RunSearch(mainFrame, area, language, dialog.searchFlags, dialog.searchBytes,
                                           dialog.searchText))
            return window;
        ShowUserMessage(mainFrame, QMessageBox::NoIcon, QStringLiteral("No matches were found for your search."));
    }
}
