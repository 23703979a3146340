// The commands of the main frame and their enabled / checked states.
#include <QAction>
#include <algorithm>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QStatusBar>
#include <QTextCursor>

#include "CAboutDlg.h"
#include "CChildFrame.h"
#include "CPracticeWnd.h"
#include "PracticeCommand.h"
#include "CResultWnd.h"
#include "CMainFrame.h"
#include "CTabbedScreen.h"
#include "CommandIds.h"
#include "DefinitionBar.h"
#include "DefinitionEdit.h"
#include "FontColourDialog.h"
#include "PageClipboard.h"
#include "MailCommands.h"
#include "PageView.h"
#include "PrintCommand.h"
#include "ProgramObjects.h"
#include "QtText.h"
#include "Registry.h"
#include "SearchRun.h"
#include "StringTable.h"
#include "SupportAddress.h"
#include "VerbBar.h"
#include "VerbComboBox.h"
#include "VerbComboEdit.h"

namespace {

// The edit operations on one of the program's own edit fields.
struct ProgramEdit {
    QLineEdit* line = nullptr;
    QPlainTextEdit* text = nullptr;

    explicit operator bool() const { return line != nullptr || text != nullptr; }
    bool HasSelection() const {
        return line ? line->hasSelectedText() : text && text->textCursor().hasSelection();
    }
    bool ReadOnly() const { return line ? line->isReadOnly() : text && text->isReadOnly(); }
};

ProgramEdit EditOf(QWidget* widget) {
    ProgramEdit edit;
    if (widget == nullptr) return edit;
    if (auto* combo = qobject_cast<VerbComboBox*>(widget)) {
        edit.line = combo->edit;
    } else if (auto* comboEdit = qobject_cast<VerbComboEdit*>(widget)) {
        edit.line = comboEdit;
    } else if (auto* definition = qobject_cast<DefinitionEdit*>(widget)) {
        edit.text = definition;
    }
    return edit;
}

}  // namespace

QWidget* CMainFrame::FocusedProgramEdit() const {
    QWidget* focus = QApplication::focusWidget();
    if (focus != nullptr && focus->window()->windowType() == Qt::Popup) focus = lastFocus;
    if (focus == nullptr) focus = lastFocus;
    return EditOf(focus) ? focus : nullptr;
}

void CMainFrame::UpdateCommandStates() {
    if (!created) return;
    CChildFrame* window = ActiveVerbWindow();
    const bool verbChildActive = window != nullptr;

    QAction* pronominal = Action(IdPronominal);
    const bool onlyPronominal = window && window->OnlyPronominal();
    pronominal->setEnabled(window && window->CanBePronominal() && !onlyPronominal);
    pronominal->setChecked(window && window->CanBePronominal() && window->IsPronominal());
    if (pronominal->property("onlyPronominal").toBool() != onlyPronominal) {
        const QString strings = LoadString(onlyPronominal ? int(PronominalOnlyStringId) : int(IdPronominal));
        pronominal->setToolTip(TooltipOf(strings));
        pronominal->setStatusTip(PromptOf(strings));
        pronominal->setProperty("onlyPronominal", onlyPronominal);
    }

    struct Alternate {
        int id;
        int choice;
        int defaultImage;
    };
    for (Alternate alt : {Alternate{IdAlternate1, 0, 1}, Alternate{IdAlternate2, 1, 2}}) {
        QAction* action = Action(alt.id);
        const bool has = window && window->HasAlternate();
        action->setEnabled(has);
        action->setChecked(has && int(window->UsesAlternate()) == alt.choice);
        int image = window ? (alt.choice == 0 ? window->GetAlternateImage1() : window->GetAlternateImage2())
                           : alt.defaultImage;
        if (action->property("image").toInt() != image) {
            action->setIcon(VerbBar::Image(image));
            action->setProperty("image", image);
        }
    }

    QAction* otherForm = Action(IdOtherForm);
    otherForm->setEnabled(window && window->HasAlternate());
    otherForm->setChecked(window && window->HasAlternate() && window->UsesAlternate());

    Action(IdFullScreen)->setChecked(fullScreenLayout);
    Action(IdTabbedScreen)->setChecked(!fullScreenLayout);
    Action(IdEnglishDefinition)->setChecked(definitionBandShown);
    Action(IdStatusBar)->setChecked(statusBarShown);

    ProgramEdit edit = EditOf(FocusedProgramEdit());
    const bool writable = edit && !edit.ReadOnly();
    // Copy takes the selection of the focused edit field; elsewhere in a
    // verb window, the whole page.
    Action(IdCopy)->setEnabled(edit ? edit.HasSelection() : verbChildActive);
    Action(IdCut)->setEnabled(writable && edit.HasSelection());
    const QMimeData* clip = QApplication::clipboard()->mimeData();
    Action(IdPaste)->setEnabled(writable && clip != nullptr && clip->hasText());
    for (int id = IdInsertFirst; id <= IdInsertLast; ++id) Action(id)->setEnabled(writable);

    // Print and the definitions mail act on the active verb window.
    Action(IdPrint)->setEnabled(verbChildActive);
    Action(IdFind)->setEnabled(moduleCount > 0);
    Action(IdSendEmail)->setEnabled(true);
    Action(IdSendDefinitions)->setEnabled(verbChildActive);
}

// Every command of the frame: its handler and how its action looks. Ids
// the table lacks (the New Window and accented-letter ranges) are handled
// in OnCommand.
const std::vector<CMainFrame::Command>& CMainFrame::Commands() {
    using Keys = QList<QKeySequence>;
    const auto key = [](QKeyCombination keys) { return Keys{QKeySequence(keys)}; };
    static const std::vector<Command> table = {
        {IdPronominal, &CMainFrame::TogglePronominal, true, 0, key(Qt::CTRL | Qt::SHIFT | Qt::Key_P)},
        {IdAlternate1,
         [](CMainFrame&, CChildFrame* w) {
             if (w) w->SetAlternate(0);
         },
         true,
         1,
         {}},
        {IdAlternate2,
         [](CMainFrame&, CChildFrame* w) {
             if (w) w->SetAlternate(1);
         },
         true,
         2,
         {}},
        {IdOtherForm,
         [](CMainFrame&, CChildFrame* w) {
             if (w && w->HasAlternate()) w->SetAlternate(w->UsesAlternate() ? 0 : 1);
         },
         true, -1, key(Qt::CTRL | Qt::SHIFT | Qt::Key_A)},
        {IdFullScreen, [](CMainFrame& f, CChildFrame*) { f.SwitchLayout(true); }, true, -1, {}},
        {IdTabbedScreen, [](CMainFrame& f, CChildFrame*) { f.SwitchLayout(false); }, true, -1, {}},
        {IdFont, [](CMainFrame& f, CChildFrame*) { f.ShowFontDialog(); }, false, -1, {}},
        {IdPrint, [](CMainFrame& f, CChildFrame* w) { PrintCommand(&f, w); }, false, 6,
         key(Qt::CTRL | Qt::Key_P)},
        {IdSendEmail,
         [](CMainFrame& f, CChildFrame*) { SendCommentMail(&f, SupportAddressForMail(&f)); },
         false,
         -1,
         {}},
        {IdSendDefinitions, &CMainFrame::SendDefinitions, false, -1, {}},
        {IdFind,
         [](CMainFrame& f, CChildFrame*) { f.RunFind(); },
         false,
         -1,
         {QKeySequence(QKeySequence::Find)}},
        {IdEnglishDefinition, [](CMainFrame& f, CChildFrame*) { f.ToggleDefinitionBar(); }, true, -1, {}},
        {IdStatusBar, &CMainFrame::ToggleStatusBar, true, -1, {}},
        {IdCopy, [](CMainFrame& f, CChildFrame* w) { f.EditCommand(IdCopy, w); }, false, 4,
         Keys{QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)}},
        {IdCut, [](CMainFrame& f, CChildFrame* w) { f.EditCommand(IdCut, w); }, false, 3,
         Keys{QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)}},
        {IdPaste, [](CMainFrame& f, CChildFrame* w) { f.EditCommand(IdPaste, w); }, false, 5,
         Keys{QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)}},
        {IdCascade, [](CMainFrame& f, CChildFrame*) { f.mdiArea->cascadeSubWindows(); }, false, -1, {}},
        {IdTile, [](CMainFrame& f, CChildFrame*) { f.mdiArea->tileSubWindows(); }, false, -1, {}},
        {IdArrangeIcons, [](CMainFrame& f, CChildFrame*) { f.ArrangeIcons(); }, false, -1, {}},
        {IdPractice, &CMainFrame::OpenPractice, false, -1, key(Qt::CTRL | Qt::Key_R)},
        {IdAbout, [](CMainFrame& f, CChildFrame*) { f.ShowAboutBox(); }, false, -1, {}},
        {IdExit, [](CMainFrame& f, CChildFrame*) { f.close(); }, false, -1, {}},
    };
    return table;
}

void CMainFrame::OnCommand(int id) {
    CChildFrame* window = ActiveVerbWindow();
    const std::vector<Command>& commands = Commands();
    auto command =
        std::find_if(commands.begin(), commands.end(), [id](const Command& c) { return c.id == id; });
    if (command != commands.end()) {
        command->run(*this, window);
    } else if (id >= IdNewWindowFirst && id <= IdNewWindowLast) {
        const int n = id - IdNewWindowFirst;
        // A new window is there to type a verb into.
        if (n < moduleCount && OpenVerbWindow(modules[size_t(n)].get(), -1, false, false, VerbWindowStyle))
            FocusVerbBox();
    } else if (id >= IdInsertFirst && id <= IdInsertLast) {
        InsertLetter(id);
    }
    UpdateCommandStates();
}

void CMainFrame::OpenPractice(CChildFrame* window) {
    LanguageModule* module = window ? window->Module() : moduleCount > 0 ? modules[0].get() : nullptr;
    if (auto* practiceWindow =
            practice::RunPracticeCommand(mdiArea, module, window ? window->VerbIndex() : -1))
        connect(practiceWindow, &practice::CPracticeWnd::closed, this, &CMainFrame::OnChildClosed);
}

void CMainFrame::TogglePronominal(CChildFrame* window) {
    if (window == nullptr) return;
    DefinitionEdit* edit = DefinitionField();
    // What is being typed belongs to the form shown before the toggle.
    if (edit != nullptr && edit->hasFocus() && edit->IsModified() &&
        !DefinitionEdit::Commit(window, edit->Text(), this)) {
        edit->KeepRefusedText();  // to be fixed before the form changes
        return;
    }
    window->SetPronominal(!window->IsPronominal());
    if (edit != nullptr) edit->StartEditFor(window, FromCp1252(window->EnglishDefinition()));
}

void CMainFrame::SendDefinitions(CChildFrame* window) {
    if (window == nullptr) return;
    // What is being typed in the definition field goes with the mail.
    DefinitionEdit* edit = DefinitionField();
    if (edit != nullptr && !edit->CommitIfModified()) return;
    SendDefinitionsMail(this, window->Module(), SupportAddressForMail(this));
}

void CMainFrame::ToggleStatusBar(CChildFrame*) {
    statusBarShown = !statusBarShown;
    statusBar()->setVisible(statusBarShown);
}

void CMainFrame::EditCommand(int id, CChildFrame* window) {
    ProgramEdit edit = EditOf(FocusedProgramEdit());
    // Copy with no edit field focused takes the whole page.
    if (id == IdCopy && !edit && window != nullptr) {
        QApplication::clipboard()->setMimeData(PageMimeData(*window));
        return;
    }
    if (!edit) return;
    if (edit.line) {
        if (id == IdCopy) edit.line->copy();
        if (id == IdCut) edit.line->cut();
        if (id == IdPaste) edit.line->paste();  // the box sees the change as typing
    } else {
        if (id == IdCopy) edit.text->copy();
        if (id == IdCut) edit.text->cut();
        if (id == IdPaste) edit.text->paste();
        if (id != IdCopy) static_cast<DefinitionEdit*>(edit.text)->MarkModified();
    }
}

void CMainFrame::InsertLetter(int id) {
    const QString letter = LoadString(id).mid(7);
    QWidget* target = FocusedProgramEdit();
    ProgramEdit edit = EditOf(target);
    if (!edit || edit.ReadOnly() || letter.isEmpty()) return;
    if (edit.line) {
        edit.line->insert(letter);  // the box sees the change as typing
    } else {
        edit.text->textCursor().insertText(letter);
        static_cast<DefinitionEdit*>(edit.text)->MarkModified();
    }
    target->setFocus();
}

void CMainFrame::ToggleDefinitionBar() {
    if (!definitionBandShown) {
        addToolBarBreak(Qt::TopToolBarArea);
        addToolBar(Qt::TopToolBarArea, definitionBar);
        definitionBar->show();
        definitionBandShown = true;
    } else {
        removeToolBarBreak(definitionBar);
        removeToolBar(definitionBar);
        definitionBandShown = false;
    }
    UpdateCommandStates();
}

void CMainFrame::SwitchLayout(bool fullScreen) {
    if (fullScreenLayout == fullScreen) return;
    fullScreenLayout = fullScreen;
    CChildFrame* window = ActiveVerbWindow();
    if (window == nullptr) return;
    const bool wasTabbed = qobject_cast<CTabbedScreen*>(window) != nullptr;
    if (wasTabbed != fullScreen) return;  // already in the chosen layout
    LanguageModule* module = window->Module();
    const int32_t verb = window->VerbIndex();
    const bool pronominal = window->IsPronominal();
    const bool alternate = window->UsesAlternate();
    const int highlighted = window->HighlightedSlot();
    const QRect rect =
        window->isMaximized() || window->isMinimized() ? window->RestoredGeometry() : window->geometry();
    // A maximised window stays maximised in its new layout.
    const uint32_t style = VerbWindowStyle | (window->isMaximized() ? PosMaximized : 0);
    // Deleting the active window activates, and raises, another one: the
    // others keep their order and the new window comes on top. Then the
    // whole area is painted at once; a window that was maximised, or
    // snapped to its page size, would leave parts of old pages behind.
    QList<QMdiSubWindow*> order = mdiArea->subWindowList(QMdiArea::StackingOrder);
    order.removeAll(window);
    delete window;
    CChildFrame* replacement = OpenVerbWindow(module, verb, pronominal, alternate, style, rect);
    for (QMdiSubWindow* other : order) other->raise();
    if (replacement != nullptr) {
        replacement->raise();
        // The form looked for stays highlighted, and in view.
        if (highlighted >= 0) {
            replacement->SetHighlightedSlot(highlighted);
            replacement->ShowTense(page::TenseOfSlot(highlighted));
        }
    }
    mdiArea->viewport()->repaint();
    for (QWidget* widget : mdiArea->viewport()->findChildren<QWidget*>()) widget->repaint();
}

void CMainFrame::ApplyDisplayFont(const QFont& font, uint32_t colour) {
    VerbFont = font;
    VerbTextColor = colour & 0x00FFFFFF;
    LineHeight = MeasureLineHeight(font);
    for (CChildFrame* window : VerbWindowList) {
        window->MeasurePage();
        window->View()->viewport()->update();
    }
}

void CMainFrame::ShowFontDialog() {
    FontColourDialog dialog(VerbFont ? *VerbFont : font(), ColorFromColorRef(VerbTextColor), this);
    if (dialog.exec() != QDialog::Accepted) return;
    ApplyDisplayFont(dialog.SelectedFont(), ColorRefFromColor(dialog.SelectedColour()));
}

void CMainFrame::RunFind() {
    std::vector<LanguageModule*> list;
    for (const auto& module : modules) list.push_back(module.get());
    // "Ignore accents" is remembered from one search to the next.
    uint32_t ignoreAccents = 0;
    ReadDword(settings::SettingsKey, settings::FindIgnoreAccents, ignoreAccents);
    bool ignore = ignoreAccents != 0;
    CResultWnd* window = RunFindCommand(this, mdiArea, list, &ignore);
    if (ignore != (ignoreAccents != 0))
        WriteDword(settings::SettingsKey, settings::FindIgnoreAccents, ignore ? 1 : 0);
    if (window) Adopt(window);
    SyncVerbBar();
}

void CMainFrame::Adopt(CChildFrame* window) {
    window->SetHost(this);
    connect(window, &CChildFrame::stateChanged, this, &CMainFrame::UpdateCommandStates);
    connect(window, &CChildFrame::focusEntered, this, &CMainFrame::SyncVerbBar);
    connect(window, &CChildFrame::closed, this, &CMainFrame::OnChildClosed);
}

void CMainFrame::Adopt(CResultWnd* window) {
    window->SetHost(this);
    connect(window, &CResultWnd::closed, this, &CMainFrame::OnChildClosed);
}

void CMainFrame::OnChildClosed() {
    // The last window gone: the bars show that no verb is chosen.
    if (OpenChildCount == 0) SyncVerbBar();
}

void CMainFrame::ShowAboutBox() {
    CAboutDlg about(this);
    about.exec();
}

void CMainFrame::ArrangeIcons() {
    // Minimised windows in a row along the bottom of the area.
    const QSize area = mdiArea->viewport()->size();
    int x = 0;
    int y = area.height();
    for (QMdiSubWindow* window : mdiArea->subWindowList(QMdiArea::CreationOrder)) {
        if (!window->isMinimized()) continue;
        QSize size = window->size();
        if (x > 0 && x + size.width() > area.width()) {
            x = 0;
            y -= size.height();
        }
        window->move(x, y - size.height());
        x += size.width();
    }
}
