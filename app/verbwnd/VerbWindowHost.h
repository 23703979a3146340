// What a verb window needs from the main frame, without knowing the frame.
#pragma once

#include <QRect>
#include <cstdint>
#include <optional>

class CChildFrame;
class LanguageModule;

class VerbWindowHost {
public:
    virtual ~VerbWindowHost() = default;

    // Makes the verb bar and the definition bar follow the active window.
    virtual void SyncVerbBar() = 0;

    // A verb window's state (verb, pronominal, variant) changed: enabled,
    // checked and image states of the commands must be refreshed.
    virtual void UpdateCommandStates() = 0;

    // Tab (next) or Shift+Tab past the last or first control of a verb
    // window: moves the keyboard focus to the frame's own fields. False when
    // none of them can take it.
    virtual bool FocusFrameControl(bool next) = 0;

    // Opens a verb window on verb `verbIndex` of `module`, in the form given,
    // in the current layout; `rect` (MDI area coordinates) or a default
    // place. `style` may carry the minimised or maximised bit.
    virtual CChildFrame* OpenVerbWindow(LanguageModule* module, int32_t verbIndex, bool pronominal,
                                        bool alternate, uint32_t style = 0x50CF0000u,
                                        std::optional<QRect> rect = std::nullopt) = 0;
};
