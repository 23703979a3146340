// What a verb window or a results window asks of the main frame, where it
// needs an answer; everything else they tell the frame through signals
// (CChildFrame::stateChanged, focusEntered, closed; CResultWnd::closed),
// connected where the frame creates them. The frame hands itself to each
// window at creation; a window without a host works on its own.
#pragma once

#include <QRect>
#include <cstdint>
#include <optional>

#include "CommandIds.h"

class CChildFrame;
class LanguageModule;

class VerbWindowHost {
public:
    virtual ~VerbWindowHost() = default;

    // Tab (next) or Shift+Tab past the last or first control of a verb
    // window: moves the keyboard focus to the frame's own fields. False when
    // none of them can take it.
    virtual bool FocusFrameControl(bool next) = 0;

    // Opens a verb window on verb `verbIndex` of `module`, in the form given,
    // in the current layout; `rect` (MDI area coordinates) or a default
    // place. `style` may carry the minimised or maximised bit.
    virtual CChildFrame* OpenVerbWindow(LanguageModule* module, int32_t verbIndex, bool pronominal,
                                        bool alternate, uint32_t style = VerbWindowStyle,
                                        std::optional<QRect> rect = std::nullopt) = 0;
};
