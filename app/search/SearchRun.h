// The Find command: asks for a search with the Find dialog, runs it in a
// language module with the progress window shown, and opens a results window
// with the matches, or says that there are none and asks again.
#pragma once

#include <QString>
#include <cstdint>
#include <string>
#include <vector>

#include "LanguageModuleAbi.h"
#include "OwnedResultList.h"

class CResultWnd;
class LanguageModule;
class QMdiArea;
class QWidget;

// The title of a results window: "1 Match for parle", "17 Matches for eux",
// "First 200 Matches for e" (200 is the most a search returns).
QString ResultWindowTitle(int count, const QString& searchText);

// A search result as the user sees it: the module's own list, but with the
// user's English definitions in place of the module's for the verbs they
// rewrote, and each verb and form listed once for its definition. Owns its
// texts; `list` points into them.
using MergedResult = OwnedResultList;
// Merges the user's definitions of `language` into `moduleResult`, the
// result of Find(pattern, flags); at most 200 entries, as the module gives.
MergedResult MergeUserDefinitions(const LanguageModule& language, const SearchResultList& moduleResult,
                                  const std::string& pattern, uint32_t flags);

// One search as the dialog's fields state it, in module `language`, with the
// progress window over `mainFrame`; opens the results window in `area` and
// returns it, or null when nothing was found.
CResultWnd* RunSearch(QWidget* mainFrame, QMdiArea* area, LanguageModule* language, uint32_t flags,
                      const std::string& pattern, const QString& searchText);

// Runs the command over the main window `mainFrame`, whose MDI area `area`
// receives the results window. Returns that window, or null when the user
// cancelled. `ignoreAccents`, when given, sets the dialog's "Ignore accents"
// box and receives its state once the user has searched.
CResultWnd* RunFindCommand(QWidget* mainFrame, QMdiArea* area, const std::vector<LanguageModule*>& modules,
                           bool* ignoreAccents = nullptr);
