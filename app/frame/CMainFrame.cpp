#include "CMainFrame.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QTextCursor>
#include <QTimer>

#include "CChildFrame.h"
#include "CFullScreen.h"
#include "CTabbedScreen.h"
#include "CommandIds.h"
#include "DefinitionBar.h"
#include "DefinitionEdit.h"
#include "DefinitionsSaver.h"
#include "FontRecord.h"
#include "LockKeyIndicators.h"
#include "MenuResource.h"
#include "PageView.h"
#include "ProgramObjects.h"
#include "QtText.h"
#include "Registry.h"
#include "StringTable.h"
#include "UserMessage.h"
#include "VerbBar.h"
#include "VerbSuggestions.h"
#include "VerbComboBox.h"
#include "platform/ModuleLoader.h"

CMainFrame::CMainFrame(std::vector<std::string> moduleFiles_) : moduleFiles(std::move(moduleFiles_)) {
    setObjectName(QStringLiteral("mainFrame"));
    setWindowTitle(LoadString(128));
}

CMainFrame::~CMainFrame() {
    // The windows that go with the frame have nothing more to tell it.
    const QList<QMdiSubWindow*> windows = findChildren<QMdiSubWindow*>();
    for (QMdiSubWindow* window : windows) disconnect(window, nullptr, this, nullptr);
    // Verb windows go before the modules whose texts they show.
    if (mdiArea != nullptr) qDeleteAll(mdiArea->subWindowList());
    modules.clear();
    moduleCount = 0;
    ChildMenu.clear();
}

// ---------------------------------------------------------------- creation

bool CMainFrame::Create() {
    ApplySavedPlacement();
    // A settings file that cannot be read is left alone; the user hears of
    // it once, now, and again only if the settings cannot be saved.
    settingsProblem_ = SettingsReadError();
    if (!settingsProblem_.empty())
        ShowUserMessage(nullptr, QMessageBox::Warning, QString::fromLocal8Bit(settingsProblem_.c_str()));

    // Display font and colour.
    uint8_t record[FontRecord::Size];
    std::optional<QFont> font;
    if (ReadBinary(settings::SettingsKey, settings::Font, record, sizeof record))
        font = FontRecord::FromBytes(record).ToFont();
    if (!font) font = FontRecord::Default().ToFont();
    VerbFont = *font;
    uint32_t colour = 0;
    ReadDword(settings::SettingsKey, settings::FontColor, colour);
    VerbTextColor = colour & 0x00FFFFFF;
    LineHeight = MeasureLineHeight(*VerbFont);

    if (!LoadModules()) return false;
    definitionsSaver = new DefinitionsSaver(this, modules);

    mdiArea = new QMdiArea(this);
    mdiArea->setObjectName(QStringLiteral("mdiArea"));
    mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdiArea);
    connect(mdiArea, &QMdiArea::subWindowActivated, this, &CMainFrame::OnSubWindowActivated);

    CreateActions();
    CreateBars();
    if (!CreateMenus()) return false;

    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        // A menu or the verb box's open list is not where the user works.
        if (now != nullptr && now->window()->windowType() != Qt::Popup) lastFocus = now;
        UpdateCommandStates();
    });
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] { UpdateCommandStates(); });

    created = true;
    // Lay the frame out now, so that reopened windows find the size of the
    // area they open in.
    if (layout() != nullptr) layout()->setGeometry(QRect(QPoint(0, 0), size()));
    RestoreChildWindows();
    SyncVerbBar();
    return true;
}

bool CMainFrame::LoadModules() {
    LanguageModuleLoadResult result = LoadLanguageModules(moduleFiles);
    if (!result.ok) {
        if (!result.errorText.empty()) {
            QString text = QString::fromStdString(result.errorText);
            if (!result.loaderMessage.empty()) text += '\n' + QString::fromStdString(result.loaderMessage);
            ShowUserMessage(nullptr, QMessageBox::Critical, text, QStringLiteral("Error"));
        }
        return false;
    }
    modules = std::move(result.modules);
    moduleCount = int(modules.size());
    // A definitions file that is there but cannot be read is left alone;
    // the user hears of it once, now.
    for (const auto& module : modules) {
        const std::string problem = module->DefinitionsReadError();
        if (!problem.empty())
            ShowUserMessage(nullptr, QMessageBox::Warning, QString::fromLocal8Bit(problem.c_str()));
    }
    return moduleCount > 0;
}

QAction* CMainFrame::Action(int id) {
    auto it = actions.find(id);
    if (it != actions.end()) return it.value();
    auto* action = new QAction(this);
    action->setData(id);
    QString text = MenuItemText(id);
    const QString strings = LoadString(id);
    if (text.isEmpty()) text = TooltipOf(strings).isEmpty() ? PromptOf(strings) : TooltipOf(strings);
    action->setText(text);
    action->setStatusTip(PromptOf(strings));
    action->setToolTip(TooltipOf(strings).isEmpty() ? QString(text).remove('&') : TooltipOf(strings));
    connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
    actions.insert(id, action);
    return action;
}

void CMainFrame::CreateActions() {
    for (const Command& command : Commands()) {
        QAction* action = Action(command.id);
        action->setCheckable(command.checkable);
        if (command.image >= 0) {
            action->setIcon(VerbBar::Image(command.image));
            action->setProperty("image", command.image);
        }
        if (!command.keys.isEmpty()) action->setShortcuts(command.keys);
    }
    for (int id = IdInsertFirst; id <= IdInsertLast; ++id) Action(id)->setText(LoadString(id).mid(7));

    // The keys of every multiple-document program: close the active child
    // window, go to the next or the previous one.
    auto windowKeys = [this](QList<QKeySequence> keys, void (QMdiArea::*step)()) {
        auto* action = new QAction(this);
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, [this, step] {
            if (mdiArea) (mdiArea->*step)();
        });
        addAction(action);
    };
    windowKeys({QKeySequence(Qt::CTRL | Qt::Key_F4), QKeySequence(Qt::CTRL | Qt::Key_W)},
               &QMdiArea::closeActiveSubWindow);
    windowKeys({QKeySequence(Qt::CTRL | Qt::Key_F6)}, &QMdiArea::activateNextSubWindow);
    windowKeys({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F6)}, &QMdiArea::activatePreviousSubWindow);
}

void CMainFrame::CreateBars() {
    verbBar = new VerbBar(this);
    addToolBar(Qt::TopToolBarArea, verbBar);

    // The verb boxes, one per module, on top of each other.
    comboFont = font();
    comboFont.setFamily(LoadString(ComboFontNameId));
    comboFont.setBold(true);
    comboFont.setPixelSize(14);
    for (int n = 0; n < moduleCount; ++n) {
        auto* combo = new VerbComboBox(VerbComboBox::FirstControlId + n, verbBar->ComboArea());
        combo->setObjectName(QStringLiteral("verbCombo%1").arg(n));
        combo->setFont(comboFont);
        combo->setGeometry(0, 0, VerbBar::ComboAreaWidth, combo->sizeHint().height());
        combo->setToolTip(TooltipOf(LoadString(138)));
        combo->setStatusTip(PromptOf(LoadString(138)));
        combo->Fill(*modules[size_t(n)]);
        connect(combo, &VerbComboBox::verbChosen, this, &CMainFrame::ApplyChosenVerb);
        connect(combo, &VerbComboBox::unknownVerb, this, &CMainFrame::ShowUnknownVerb);
        connect(combo->lineEdit(), &QLineEdit::selectionChanged, this, [this] { UpdateCommandStates(); });
        verbCombos.append(combo);
    }
    const int comboHeight = verbCombos.isEmpty() ? 24 : verbCombos[0]->height();
    verbBar->ComboArea()->setFixedHeight(comboHeight + 1);
    verbBar->addSeparator();
    verbBar->addAction(Action(IdPronominal));
    verbBar->addSeparator();
    verbBar->addAction(Action(IdAlternate1));
    verbBar->addAction(Action(IdAlternate2));
    verbBar->addSeparator();
    verbBar->addAction(Action(IdCut));
    verbBar->addAction(Action(IdCopy));
    verbBar->addAction(Action(IdPaste));
    verbBar->addSeparator();
    verbBar->addAction(Action(IdPrint));

    statusBarWidget = new QStatusBar(this);
    statusBarWidget->setObjectName(QStringLiteral("statusBar"));
    setStatusBar(statusBarWidget);
    lockKeys = new LockKeyIndicators(statusBarWidget, LoadString(IndicatorCapsId), LoadString(IndicatorNumId),
                                     LoadString(IndicatorScrlId));
    connect(statusBarWidget, &QStatusBar::messageChanged, this, [this](const QString& message) {
        if (message.isEmpty()) statusBarWidget->showMessage(LoadString(ReadyStringId));
    });
    statusBarWidget->showMessage(LoadString(ReadyStringId));
    uint32_t statusShown = 1;
    ReadDword(settings::SettingsKey, settings::StatusBar, statusShown);
    statusBarShown = statusShown != 0;
    statusBarWidget->setVisible(statusBarShown);

    definitionBar = new DefinitionBar(this);
    definitionBar->hide();
    definitionBar->edit->activeVerbWindow = [this] { return ActiveVerbWindow(); };
    // Cut and Copy follow the selection.
    connect(definitionBar->edit, &QPlainTextEdit::selectionChanged, this, [this] { UpdateCommandStates(); });
    uint32_t englishShown = 1;
    ReadDword(settings::SettingsKey, settings::EnglishBar, englishShown);
    if (englishShown != 0) ToggleDefinitionBar();
}

bool CMainFrame::CreateMenus() {
    auto actionFor = [this](int id) { return Action(id); };
    savedMenu = LoadMenuResource(FrameMenuId, actionFor, this);
    ChildMenu = LoadMenuResource(ChildMenuId, actionFor, this);
    if (savedMenu.isEmpty() || ChildMenu.isEmpty()) return false;

    // The accented letters, as the "Insert" popup of the verb-window Edit menu.
    insertMenu = new QMenu(QStringLiteral("Insert"), this);
    for (int id = IdInsertFirst; id <= IdInsertLast; ++id) insertMenu->addAction(Action(id));
    if (QMenu* edit = FindPopup(ChildMenu, QStringLiteral("&Edit"))) {
        QAction* first = edit->actions().value(0);
        edit->insertMenu(first, insertMenu);
    }

    // New-window entries at the top of both File menus.
    for (const QList<QMenu*>* menus : {&savedMenu, &ChildMenu}) {
        QMenu* file = FindPopup(*menus, QStringLiteral("&File"));
        if (file == nullptr) return false;
        QAction* first = file->actions().value(0);
        if (moduleCount == 1) {
            QAction* action = Action(IdNewWindowFirst);
            action->setText(QStringLiteral("&New ") + FromCp1252(modules[0]->GetLanguage()) +
                            QStringLiteral(" Window"));
            file->insertAction(first, action);
        } else {
            if (newWindowMenu == nullptr) {
                newWindowMenu = new QMenu(QStringLiteral("New Verb Window"), this);
                for (int n = 0; n < moduleCount && n <= IdNewWindowLast - IdNewWindowFirst; ++n) {
                    QAction* action = Action(IdNewWindowFirst + n);
                    action->setText(FromCp1252(modules[size_t(n)]->GetLanguage()));
                    newWindowMenu->addAction(action);
                }
            }
            file->insertMenu(first, newWindowMenu);
        }
    }

    if (QMenu* window = FindPopup(ChildMenu, QStringLiteral("&Window")))
        connect(window, &QMenu::aboutToShow, this, [this, window] { RebuildWindowList(window); });
    for (const QList<QMenu*>* menus : {&savedMenu, &ChildMenu})
        for (QMenu* menu : *menus)
            connect(menu, &QMenu::aboutToShow, this, [this] { UpdateCommandStates(); });
    // The prompt of the item last pointed at goes with the menu.
    for (QMenu* menu : findChildren<QMenu*>())
        connect(menu, &QMenu::aboutToHide, this, [this] {
            if (statusBarWidget != nullptr) statusBarWidget->clearMessage();
        });
    ShowMenus(false);
    return true;
}

QMenu* CMainFrame::createPopupMenu() { return nullptr; }

void CMainFrame::ShowMenus(bool childMenus) {
    if (childMenus == childMenusShown && !menuBar()->actions().isEmpty()) return;
    childMenusShown = childMenus;
    menuBar()->clear();
    for (QMenu* menu : childMenus ? ChildMenu : savedMenu) menuBar()->addMenu(menu);
}

void CMainFrame::RebuildWindowList(QMenu* menu) {
    for (QAction* action : windowListActions) {
        menu->removeAction(action);
        delete action;
    }
    windowListActions.clear();
    const QList<QMdiSubWindow*> windows = mdiArea->subWindowList(QMdiArea::CreationOrder);
    if (windows.isEmpty()) return;
    QAction* separator = menu->addSeparator();
    windowListActions.append(separator);
    int number = 1;
    for (QMdiSubWindow* window : windows) {
        QString title = window->windowTitle();
        title.replace('&', QLatin1String("&&"));
        QAction* action = menu->addAction(number < 10 ? QStringLiteral("&%1 %2").arg(number).arg(title)
                                                      : QStringLiteral("%1 %2").arg(number).arg(title));
        // A check beside the active window only; the others have no box.
        const bool active = window == mdiArea->currentSubWindow();
        action->setCheckable(active);
        action->setChecked(active);
        QPointer<QMdiSubWindow> target = window;
        connect(action, &QAction::triggered, this, [this, target] {
            if (target) mdiArea->setActiveSubWindow(target);
        });
        windowListActions.append(action);
        ++number;
    }
}

// ---------------------------------------------------------------- verb windows

CChildFrame* CMainFrame::ActiveVerbWindow() const {
    if (mdiArea == nullptr) return nullptr;
    // The area's current window stays the active child while another
    // application has the focus: the buttons keep their states.
    auto* window = qobject_cast<CChildFrame*>(mdiArea->currentSubWindow());
    return window != nullptr && VerbWindowList.contains(window) ? window : nullptr;
}

DefinitionEdit* CMainFrame::DefinitionField() const { return definitionBar ? definitionBar->edit : nullptr; }

CChildFrame* CMainFrame::OpenVerbWindow(LanguageModule* module, int32_t verbIndex, bool pronominal,
                                        bool alternate, uint32_t style, std::optional<QRect> rect) {
    CChildFrame* window;
    if (fullScreenLayout)
        window = new CFullScreen(module, verbIndex, pronominal, alternate);
    else
        window = new CTabbedScreen(module, verbIndex, pronominal, alternate);
    // A window opened over a maximised one opens maximised as well.
    QMdiSubWindow* active = mdiArea->currentSubWindow();
    const bool overMaximized = !restoringWindows && active != nullptr && active->isMaximized();
    Adopt(window);
    mdiArea->addSubWindow(window);
    if (!window->Create()) {
        delete window;
        return nullptr;
    }
    if (rect) window->setGeometry(*rect);
    // A reopened window stays disabled until all are back: the MDI area
    // activates every window it shows enabled, and each activation costs
    // time in proportion to the square of the windows open.
    if (restoringWindows) {
        window->setEnabled(false);
        windowsBeingRestored.append(window);
    }
    window->show();
    // Shown over a maximised window, the area has maximised it already; its
    // place and size are those of its normal state, set in that state.
    if (window->isMaximized()) window->showNormal();
    if (!rect) PlaceDefaultWindow(window);
    window->AdjustToPage();
    window->RememberRestoredGeometry();
    if (style & PosMinimized)
        window->showMinimized();
    else if ((style & PosMaximized) || overMaximized)
        window->showMaximized();
    if (restoringWindows) return window;  // activated once, when all are back
    mdiArea->setActiveSubWindow(window);
    window->View()->setFocus(Qt::OtherFocusReason);
    SyncVerbBar();
    return window;
}

void CMainFrame::PlaceDefaultWindow(CChildFrame* window) {
    // Cascade from the top-left corner; a full-screen window is made large
    // enough for its page where the area allows.
    const int step = 24;
    int offset = (cascadeIndex++ % 8) * step;
    window->move(offset, offset);
    FitToPage(window);
    // Before the frame is shown, the window's borders are not final yet.
    if (!isVisible()) windowsToFit.append(window);
}

void CMainFrame::FitToPage(CChildFrame* window) {
    if (qobject_cast<CFullScreen*>(window) == nullptr) return;
    const QSize area = MdiAreaSize();
    QSize frame = window->size() - window->widget()->size();
    if (!window->isVisible() || frame.width() <= 0 || frame.height() <= 0) {
        const QMargins margins = window->contentsMargins();
        frame = QSize(margins.left() + margins.right(), margins.top() + margins.bottom());
    }
    // Wide enough for the widest page, so that typing another verb or its
    // pronominal form does not cut a column.
    QSize size(window->WidestPageWidth() + frame.width(), window->PageHeight() + frame.height());
    size = size.boundedTo(
        QSize(std::max(200, area.width() - window->x()), std::max(150, area.height() - window->y())));
    window->resize(size);
}

void CMainFrame::FinishRestoring() {
    for (const QPointer<CChildFrame>& window : std::as_const(windowsBeingRestored))
        if (window) window->setEnabled(true);
    windowsBeingRestored.clear();
    // The window that was active at the last exit (child 0, opened last).
    if (CChildFrame* last = lastRestoredWindow) {
        mdiArea->setActiveSubWindow(last);
        SyncVerbBar();
        FocusVerbBox();
    }
    lastRestoredWindow = nullptr;
}

void CMainFrame::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!windowsBeingRestored.isEmpty()) FinishRestoring();
    if (!shownOnce) {
        shownOnce = true;
        // Showing the frame activates its windows, which take the focus;
        // the first keystroke is meant for the verb box.
        QTimer::singleShot(0, this, [this] { FocusVerbBox(); });
    }
    if (windowsToFit.isEmpty()) return;
    // Once the frame and its windows are laid out, their borders are known.
    QTimer::singleShot(0, this, [this] {
        for (const QPointer<CChildFrame>& window : std::as_const(windowsToFit)) {
            if (!window || window->isMinimized() || window->isMaximized()) continue;
            if (window->layout() != nullptr) window->layout()->activate();
            FitToPage(window);
        }
        windowsToFit.clear();
    });
}

QSize CMainFrame::MdiAreaSize() const {
    // Before the frame is shown the area's viewport has no size yet.
    if (mdiArea->isVisible()) return mdiArea->viewport()->size();
    return mdiArea->contentsRect().size();
}

void CMainFrame::OnSubWindowActivated(QMdiSubWindow* window) {
    // The frame's keys close and switch the child windows from anywhere; the
    // child's own system menu claiming Ctrl+F4 as well would make the key
    // ambiguous, and then neither would act.
    if (window != nullptr && window->systemMenu() != nullptr)
        for (QAction* action : window->systemMenu()->actions())
            if (!action->shortcuts().isEmpty()) action->setShortcuts({});
    SyncVerbBar();
}

void CMainFrame::SyncVerbBar() {
    if (!created) return;
    CChildFrame* window = ActiveVerbWindow();
    for (VerbComboBox* combo : verbCombos) combo->hide();
    DefinitionEdit* edit = DefinitionField();
    if (window != nullptr && window->Module() != nullptr) {
        VerbComboBox* combo = verbCombos.value(window->Module()->moduleNumber);
        if (combo != nullptr) {
            combo->setEnabled(true);
            combo->setCurrentIndex(window->VerbIndex());
            combo->setEditText(combo->itemText(window->VerbIndex()));
            combo->raise();
            combo->show();
        }
        // Typing in the field, or text waiting to be fixed, is not replaced.
        if (edit != nullptr && !(edit->hasFocus() && edit->IsModified()) && !edit->HoldsRefusedText())
            edit->SetText(FromCp1252(window->EnglishDefinition()));
        if (edit != nullptr) edit->setReadOnly(false);
    } else {
        if (!verbCombos.isEmpty()) {
            VerbComboBox* combo = verbCombos[0];
            combo->setCurrentIndex(-1);
            combo->setEditText(QString());
            combo->setEnabled(false);
            combo->show();
        }
        // Nothing typed there could be stored: the field says so by taking no text.
        if (edit != nullptr) {
            edit->SetText(QString());
            edit->setReadOnly(true);
        }
    }
    // Any child window, results windows too, has the child menus with
    // their Window menu.
    ShowMenus(mdiArea->currentSubWindow() != nullptr);
    UpdateCommandStates();
}

bool CMainFrame::FocusFrameControl(bool next) {
    // Forwards the verb box comes first, backwards the definition field.
    QWidget* combo = nullptr;
    for (VerbComboBox* box : verbCombos)
        if (box->isVisible() && box->isEnabled()) combo = box;
    QWidget* definition = nullptr;
    if (definitionBandShown && definitionBar->isVisible()) definition = definitionBar->edit;
    QWidget* target = next ? (combo ? combo : definition) : (definition ? definition : combo);
    if (target == nullptr) return false;
    target->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

bool CMainFrame::FocusVerbBox() {
    for (VerbComboBox* box : verbCombos) {
        if (box->isHidden() || !box->isEnabled()) continue;
        box->setFocus(Qt::OtherFocusReason);
        box->lineEdit()->selectAll();  // what is typed replaces the name
        return true;
    }
    return false;
}

void CMainFrame::ShowUnknownVerb(int controlId, const QString& text) {
    const int n = controlId - VerbComboBox::FirstControlId;
    if (n < 0 || n >= moduleCount || statusBarWidget == nullptr) return;
    QString message = QStringLiteral("\u201C%1\u201D is not a verb of the list.").arg(text);
    if (const std::optional<std::string> bytes = ToCp1252(text)) {
        QStringList names;
        for (const std::string& name : SuggestVerbs(*modules[size_t(n)], *bytes))
            names.append(FromCp1252(name));
        if (!names.isEmpty())
            message += QStringLiteral(" Did you mean: %1?").arg(names.join(QStringLiteral(", ")));
    }
    statusBarWidget->showMessage(message);
}

void CMainFrame::ApplyChosenVerb(int controlId) {
    CChildFrame* window = ActiveVerbWindow();
    if (window == nullptr) return;
    VerbComboBox* combo = verbCombos.value(controlId - VerbComboBox::FirstControlId);
    if (combo == nullptr) return;
    const FormReading* reading = combo->ChosenReading();
    // "se souvenir", "s'asseoir": the verb in its pronominal form, until a
    // plain name is typed. A form chosen with the Pronominal command stays.
    // A form chosen in the list of forms comes in its form and variant.
    if (reading != nullptr)
        window->TakeReadingForm(reading->Pronominal(), reading->Alternate());
    else
        window->TakeTypedForm(combo->PronominalTyped());
    window->SetVerb(combo->currentIndex());
    if (reading != nullptr) {
        window->SetHighlightedSlot(reading->slot);
        window->ShowTense(reading->tense);
    }
    if (DefinitionEdit* edit = DefinitionField()) edit->SetText(FromCp1252(window->EnglishDefinition()));
    ShowOtherVariant(*window);
}

void CMainFrame::ShowOtherVariant(const CChildFrame& window) {
    if (statusBarWidget == nullptr) return;
    // A learner must not take the variant shown for the only one. (A
    // pronominal form takes être whatever the auxiliary variant.)
    const std::string& other = window.UsesAlternate() ? window.AlternateLabel1() : window.AlternateLabel2();
    if (!window.HasAlternate() || (window.IsPronominal() && (other == "A" || other == "E"))) {
        statusBarWidget->clearMessage();
        return;
    }
    const QString what = other == "A"   ? QStringLiteral("is also conjugated with avoir")
                         : other == "E" ? QStringLiteral("is also conjugated with \u00EAtre")
                                        : QStringLiteral("has a second spelling");
    statusBarWidget->showMessage(
        QStringLiteral("%1 %2: the %3 button, or Ctrl+Shift+A.")
            .arg(FromCp1252(window.Module()->GetVerb(window.VerbIndex())), what, FromCp1252(other)));
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    SaveSettings();
    QMainWindow::closeEvent(event);
}
