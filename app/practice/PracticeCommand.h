// The View menu's Practice command: opens a practice window in the MDI area.
#pragma once

#include <cstdint>

class LanguageModule;
class QMdiArea;

namespace practice {
class CPracticeWnd;

// Opens a practice window on `module`, offering `activeVerb` (the active
// verb window's verb, or -1) as the verbs to practise, and gives it the
// focus. Null when there is no module.
CPracticeWnd* RunPracticeCommand(QMdiArea* area, LanguageModule* module, int32_t activeVerb);
}  // namespace practice
