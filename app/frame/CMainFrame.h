// The main window: the multiple-document frame holding the verb windows.
//
// It owns the loaded language modules, the verb bar with one verb box per
// module, the English definition bar and the status bar; it opens verb
// windows, switches them between the full-screen and the tabbed layout,
// applies the display font, and routes the commands of its menus and
// toolbar to the active verb window or to the focused edit field.
#pragma once

#include <QHash>
#include <QKeySequence>
#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "LanguageModule.h"
#include "VerbWindowHost.h"

class CChildFrame;
class CResultWnd;
class DefinitionBar;
class DefinitionEdit;
class DefinitionsSaver;
class LockKeyIndicators;
class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class VerbBar;
class VerbComboBox;

class CMainFrame : public QMainWindow, public VerbWindowHost {
    Q_OBJECT

public:
    explicit CMainFrame(std::vector<std::string> moduleFiles = LanguageModuleFileNames());
    ~CMainFrame() override;

    // Creates the frame's contents in order: display font, language modules,
    // bars, menus, then the verb windows of the last run. False when the
    // frame cannot be made (the user has been told why).
    bool Create();

    // Opens a verb window in the current layout; `rect` (MDI area
    // coordinates) or a default place. `style` may carry the minimised or
    // maximised bit of a saved window.
    CChildFrame* OpenVerbWindow(LanguageModule* module, int32_t verbIndex, bool pronominal, bool alternate,
                                uint32_t style = VerbWindowStyle,
                                std::optional<QRect> rect = std::nullopt) override;

    // Makes the verb bar and the definition bar follow the active window.
    void SyncVerbBar();
    // Sets the enabled, checked and image states of every command.
    void UpdateCommandStates();
    bool FocusFrameControl(bool next) override;
    // Shows, in the active verb window, the verb selected in verb box `controlId`.
    void ApplyChosenVerb(int controlId);
    // Tells in the status bar that `text`, typed in verb box `controlId`, is
    // no verb, with the closest names.
    void ShowUnknownVerb(int controlId, const QString& text);
    // Says in the status bar that the verb shown has another variant.
    void ShowOtherVariant(const CChildFrame& window);
    // Gives the keyboard focus to the verb box shown, its text selected.
    // False when no verb box is enabled.
    bool FocusVerbBox();

    // The active child if it is a verb window.
    CChildFrame* ActiveVerbWindow() const;

    // Runs command `id` as the menus and buttons do.
    void OnCommand(int id);
    QAction* Action(int id);

    // The settings: reopening the windows of the last run, and everything
    // that is saved at shutdown.
    void RestoreChildWindows();
    // Enables the reopened windows and activates the last one.
    void FinishRestoring();
    void SaveChildWindows();
    void SaveSettings();
    // Stores the definition being typed and saves every changed definition,
    // asking nobody (the session is ending).
    void SaveDefinitionsWithoutAsking();
    // Ends the program as File > Exit does, but asks nothing: for a signal
    // to end, where nobody may be there to answer.
    void EndWithoutAsking();

    // Shows or hides the definition bar (View > English Definition).
    void ToggleDefinitionBar();
    bool DefinitionBarShown() const { return definitionBandShown; }
    bool StatusBarShown() const { return statusBarShown; }

    // Applies a new display font and colour to every verb window.
    void ApplyDisplayFont(const QFont& font, uint32_t colour);

    QMdiArea* MdiArea() const { return mdiArea; }
    VerbComboBox* VerbCombo(int n) const { return verbCombos.value(n); }
    DefinitionEdit* DefinitionField() const;
    VerbBar* VerbToolBar() const { return verbBar; }
    DefinitionBar* DefinitionToolBar() const { return definitionBar; }
    LockKeyIndicators* LockKeyState() const { return lockKeys; }
    const QList<QMenu*>& FrameMenus() const { return savedMenu; }
    bool MenusAreChildMenus() const { return childMenusShown; }
    bool fullScreenLayout = true;

    // The main window's "Pos" word from the settings, if stored.
    static std::optional<uint32_t> SavedMainWindowPos();

    std::vector<std::unique_ptr<LanguageModule>> modules;
    int moduleCount = 0;

protected:
    void closeEvent(QCloseEvent* event) override;
    QMenu* createPopupMenu() override;
    void showEvent(QShowEvent* event) override;

private:
    bool LoadModules();
    void CreateActions();
    bool CreateMenus();
    void CreateBars();
    void ApplySavedPlacement();
    void ShowMenus(bool childMenus);
    void SwitchLayout(bool fullScreen);
    void ShowFontDialog();
    void ShowAboutBox();
    void RunFind();

    // One command of the frame: its handler and the look of its action.
    struct Command {
        int id;
        std::function<void(CMainFrame&, CChildFrame* activeWindow)> run;
        bool checkable;
        int image;  // its picture in the toolbar strip, or -1
        QList<QKeySequence> keys;
    };
    static const std::vector<Command>& Commands();
    void TogglePronominal(CChildFrame* window);
    void OpenPractice(CChildFrame* window);
    void SendDefinitions(CChildFrame* window);
    void ToggleStatusBar(CChildFrame* window);
    void EditCommand(int id, CChildFrame* window);
    // Connects a window the frame made to the frame, and hands it the frame.
    void Adopt(CChildFrame* window);
    void Adopt(CResultWnd* window);
    void OnChildClosed();
    void InsertLetter(int id);
    void ArrangeIcons();
    void RebuildWindowList(QMenu* menu);
    void OnSubWindowActivated(QMdiSubWindow* window);
    void PlaceDefaultWindow(CChildFrame* window);
    void FitToPage(CChildFrame* window);
    QSize MdiAreaSize() const;

    QWidget* FocusedProgramEdit() const;

    std::vector<std::string> moduleFiles;
    QList<QMenu*> savedMenu;
    QList<VerbComboBox*> verbCombos;
    QFont comboFont;
    QMenu* newWindowMenu = nullptr;
    QMenu* insertMenu = nullptr;
    VerbBar* verbBar = nullptr;
    QStatusBar* statusBarWidget = nullptr;
    LockKeyIndicators* lockKeys = nullptr;
    DefinitionBar* definitionBar = nullptr;
    QMdiArea* mdiArea = nullptr;
    QHash<int, QAction*> actions;
    QList<QAction*> windowListActions;
    QPointer<QWidget> lastFocus;
    bool definitionBandShown = false;
    bool statusBarShown = true;
    bool childMenusShown = false;
    bool created = false;
    bool settingsSaved = false;
    bool askBeforeEnding = true;
    DefinitionsSaver* definitionsSaver = nullptr;
    bool shownOnce = false;
    bool restoringWindows = false;                      // while the last run's windows are reopened
    QList<QPointer<CChildFrame>> windowsBeingRestored;  // disabled until shown
    QPointer<CChildFrame> lastRestoredWindow;
    std::string settingsProblem_;  // why the settings file could not be read
    int cascadeIndex = 0;
    QList<QPointer<CChildFrame>> windowsToFit;  // placed before the frame was shown
};
