// What a verb window needs from the main frame, without knowing the frame.
#pragma once

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
};
