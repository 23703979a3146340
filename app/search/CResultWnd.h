// A results window: the matches of one search in a sortable list. For a
// search of the conjugated forms each row shows the infinitive, the form and
// its tense; for a search of the definitions, the infinitive and the
// definition. A double click or Enter on a row opens that verb, in the form
// in which it matched, in a new verb window.
#pragma once

#include <QMdiSubWindow>
#include <cstdint>

#include "LanguageModuleAbi.h"

class CSortingListCtrl;
class LanguageModule;
class VerbWindowHost;

class CResultWnd : public QMdiSubWindow {
    Q_OBJECT

public:
    static constexpr int ListId = 127;

    CResultWnd();
    ~CResultWnd() override;

    // Creates the list filling the window, with its columns. Set `language`
    // and `searchFlags` first. False when the window cannot be made.
    bool Create();

    // Fills the list from a search result, in the result's order. The
    // window keeps copies of everything it shows.
    void Fill(const SearchResultList& result);

    // Opens the selected row's verb in a new verb window; nothing when no
    // row is selected.
    void OpenSelectedRow();

    CSortingListCtrl* List() const { return list; }

    LanguageModule* language = nullptr;
    uint32_t searchFlags = 0;

    // The frame that opens verb windows and takes the focus on from the
    // list; null for none (rows then open nothing).
    void SetHost(VerbWindowHost* frame) { host = frame; }

signals:
    // The window is going; OpenChildCount no longer counts it.
    void closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Tab leaves the list for the verb box and the definition field, as
    // from a verb window.
    bool focusNextPrevChild(bool next) override;

private:
    bool FormsSearch() const { return (searchFlags & SearchForms) != 0; }

    CSortingListCtrl* list = nullptr;
    VerbWindowHost* host = nullptr;
    bool registered = false;
};
