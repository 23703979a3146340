// The frame's settings: its placement, the verb windows reopened from the
// last run, and everything saved when the program ends.
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QScreen>
#include <QStatusBar>
#include <algorithm>

#include "CChildFrame.h"
#include "CMainFrame.h"
#include "CTabbedScreen.h"
#include "CommandIds.h"
#include "DefinitionEdit.h"
#include "DefinitionsSaver.h"
#include "FontRecord.h"
#include "ProgramObjects.h"
#include "Registry.h"
#include "UserMessage.h"
#include "VerbBar.h"
#include "VerbComboBox.h"
#include "platform/ModuleLoader.h"

void CMainFrame::ApplySavedPlacement() {
    StoredRect rect;
    uint32_t pos = 0;
    QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    if (!ReadPlacement(std::string(settings::SettingsKey) + std::string(settings::MainWindow), rect, pos)) {
        // First run: a window that shows a whole verb page.
        QSize size(std::min(1200, area.width()), std::min(860, area.height()));
        setGeometry(QRect(
            area.topLeft() + QPoint((area.width() - size.width()) / 2, (area.height() - size.height()) / 2),
            size));
        return;
    }
    // Clamp to the screen, in 64 bits so that huge values cannot overflow.
    const int64_t W = area.width(), H = area.height();
    int64_t left = rect.left, top = rect.top, right = rect.right, bottom = rect.bottom;
    if (right - left > W) {
        left = 0;
        right = W;
    }
    if (bottom - top > H) {
        top = 0;
        bottom = H;
    }
    if (right > W) {
        left -= right - W;
        right = W;
    }
    if (bottom > H) {
        top -= bottom - H;
        bottom = H;
    }
    // A window entirely off the screen, or without size, could never be
    // reached: it starts at the screen's corner instead.
    if (right <= left || bottom <= top) {
        right = left + std::min<int64_t>(1200, W);
        bottom = top + std::min<int64_t>(860, H);
    }
    if (right <= 0) {
        right -= left;
        left = 0;
    }
    if (bottom <= 0) {
        bottom -= top;
        top = 0;
    }
    setGeometry(QRect(int(left), int(top), int(right - left), int(bottom - top)));
}

void CMainFrame::RestoreChildWindows() {
    uint32_t count = 0;
    ReadDword(settings::SettingsKey, settings::NumberOfChildren, count);
    // A damaged count must not keep the program busy for ever.
    count = std::min<uint32_t>(count, 10000);
    int opened = 0;
    CChildFrame* last = nullptr;
    restoringWindows = true;
    const QSize area = MdiAreaSize().expandedTo(QSize(640, 480));
    for (int64_t i = int64_t(count) - 1; i >= 0; --i) {
        std::string path =
            std::string(settings::SettingsKey) + std::string(settings::ChildPrefix) + std::to_string(i);
        StoredRect rect;
        uint32_t pos = 0, flags = 0;
        std::string language, verb;
        if (!ReadChildRecord(path, rect, pos, language, verb, flags)) continue;
        for (auto& module : modules) {
            const char* name = module->GetLanguage();
            if (name == nullptr || language != name) continue;
            int32_t index = module->FindVerbIndex(verb);
            if (index < 0) continue;
            // Keep a damaged rectangle within reach of the area.
            int64_t width = int64_t(rect.right) - rect.left;
            int64_t height = int64_t(rect.bottom) - rect.top;
            std::optional<QRect> place;
            if (width > 0 && height > 0) {
                width = std::min<int64_t>(width, 4 * area.width());
                height = std::min<int64_t>(height, 4 * area.height());
                int64_t left = std::clamp<int64_t>(rect.left, -width + 40, 4 * area.width());
                int64_t top = std::clamp<int64_t>(rect.top, 0, 4 * area.height());
                place = QRect(int(left), int(top), int(width), int(height));
            }
            // Each window comes back in the layout it had.
            const bool layout = fullScreenLayout;
            fullScreenLayout = (flags & ChildFlagTabbed) == 0;
            if (CChildFrame* window =
                    OpenVerbWindow(module.get(), index, (flags & 1) != 0, (flags & 2) != 0,
                                   VerbWindowStyle | (pos & (PosMinimized | PosMaximized)), place))
                last = window;
            fullScreenLayout = layout;
            ++opened;
            break;
        }
    }
    restoringWindows = false;
    lastRestoredWindow = last;
    // Before the frame is shown its windows are not shown either; they are
    // enabled once they are (showEvent).
    if (isVisible()) FinishRestoring();
    if (opened == 0 && moduleCount > 0) {
        OpenVerbWindow(modules[0].get(), 0, false, false, VerbWindowStyle);
        FocusVerbBox();
    }
}

namespace {
StoredRect ToStored(const QRect& rect) {
    return {rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
}
uint32_t PosOf(const QWidget* window) {
    if (window->isMinimized()) return PosMinimized;
    if (window->isMaximized()) return PosMaximized;
    return 0;
}
}  // namespace

void CMainFrame::SaveChildWindows() {
    const std::string key(settings::SettingsKey);
    uint32_t previous = 0;
    ReadDword(key, settings::NumberOfChildren, previous);
    previous = std::min<uint32_t>(previous, 10000);
    for (int64_t i = int64_t(previous) - 1; i >= 0; --i)
        DeleteKey(key, std::string(settings::ChildSubkeyPrefix) + std::to_string(i));
    // Child keys a damaged count did not cover go as well.
    if (auto opened = OpenKeyPath(key, false)) {
        for (const std::string& name : SettingsRegistry().SubKeyNames(opened->storePath))
            if (name.rfind(settings::ChildSubkeyPrefix, 0) == 0) DeleteKey(key, name);
    }

    QList<QMdiSubWindow*> order = mdiArea->subWindowList(QMdiArea::StackingOrder);
    std::reverse(order.begin(), order.end());  // topmost first
    if (QMdiSubWindow* active = mdiArea->currentSubWindow()) {
        order.removeAll(active);
        order.prepend(active);
    }
    uint32_t index = 0;
    for (QMdiSubWindow* sub : order) {
        auto* window = qobject_cast<CChildFrame*>(sub);
        if (window == nullptr || !VerbWindowList.contains(window) || window->Module() == nullptr) continue;
        const char* language = window->Module()->GetLanguage();
        const char* verb = window->Module()->GetVerb(window->VerbIndex());
        uint32_t flags = (window->IsPronominal() ? 1u : 0u) | (window->UsesAlternate() ? 2u : 0u) |
                         (qobject_cast<CTabbedScreen*>(window) != nullptr ? ChildFlagTabbed : 0u);
        WriteChildRecord(key + std::string(settings::ChildPrefix) + std::to_string(index),
                         ToStored(window->RestoredGeometry()), PosOf(window), language ? language : "",
                         verb ? verb : "", flags);
        ++index;
    }
    WriteDword(key, settings::NumberOfChildren, index);
    const QRect mainRect = (isMinimized() || isMaximized()) ? normalGeometry() : geometry();
    WritePlacement(key + std::string(settings::MainWindow), ToStored(mainRect), PosOf(this));
}

void CMainFrame::SaveSettings() {
    if (settingsSaved || !created || verbBar == nullptr || statusBarWidget == nullptr) return;
    settingsSaved = true;
    // A definition being typed is kept.
    if (DefinitionEdit* edit = DefinitionField()) edit->CommitIfModified(!askBeforeEnding);
    const bool englishBar = definitionBandShown;
    const bool statusShown = statusBarShown;
    SaveChildWindows();
    const std::string key(settings::SettingsKey);
    if (VerbFont) {
        auto bytes = FontRecord::FromFont(*VerbFont).ToBytes();
        WriteBinary(key, settings::Font, bytes.data(), bytes.size());
    }
    WriteDword(key, settings::FontColor, VerbTextColor);
    WriteDword(key, settings::EnglishBar, englishBar ? 1 : 0);
    WriteDword(key, settings::StatusBar, statusShown ? 1 : 0);
    WriteString(settings::LanguageKey, settings::Path, platform::ProgramDirectory().c_str());
    if (!FlushSettingsRegistry() && SettingsRegistry().ReadError() == 0 && askBeforeEnding)
        ShowUserMessage(this, QMessageBox::Warning,
                        QStringLiteral("Your settings could not be saved.\n%1")
                            .arg(QString::fromLocal8Bit(platform::LastErrorMessage().c_str())));
    // Definitions that cannot be written are not lost without the user's word.
    if (askBeforeEnding)
        definitionsSaver->SaveBeforeExit();
    else
        LanguageModule::SaveAllUnsavedDefinitions();
}

void CMainFrame::SaveDefinitionsWithoutAsking() {
    if (DefinitionEdit* edit = DefinitionField()) edit->CommitIfModified(true);
    LanguageModule::SaveAllUnsavedDefinitions();
}

void CMainFrame::EndWithoutAsking() {
    askBeforeEnding = false;
    SaveDefinitionsWithoutAsking();
    close();
}

std::optional<uint32_t> CMainFrame::SavedMainWindowPos() {
    uint32_t pos = 0;
    if (!ReadDword(std::string(settings::SettingsKey) + std::string(settings::MainWindow), "Pos", pos))
        return std::nullopt;
    return pos;
}
