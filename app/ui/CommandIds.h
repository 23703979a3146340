// Command ids of the program's menus, toolbar buttons and accelerators.
#pragma once

enum CommandId : int {
    IdPronominal = 131,
    IdAlternate1 = 132,
    IdAlternate2 = 133,
    IdNewWindowFirst = 1100,
    IdNewWindowLast = 1110,
    IdFind = 32772,
    IdEnglishDefinition = 32773,
    IdFullScreen = 32775,
    IdTabbedScreen = 32776,
    IdFont = 32777,
    IdInsertFirst = 32779,
    IdInsertLast = 32790,
    IdSendEmail = 32791,
    IdSendDefinitions = 32794,
    IdOtherForm = 32795,  // the other of the verb's two forms (Ctrl+Shift+A)
    IdPractice = 32796,   // a practice window (Ctrl+R)
    IdPrint = 57607,
    IdCopy = 57634,
    IdCut = 57635,
    IdPaste = 57637,
    IdArrangeIcons = 57649,
    IdCascade = 57650,
    IdTile = 57651,
    IdAbout = 57664,
    IdExit = 57665,
    IdStatusBar = 59393,
};

// Menu resources and strings.
enum ResourceId : int {
    FrameMenuId = 128,
    ChildMenuId = 129,
    PronominalOnlyStringId = 134,  // the Pronominal button of a verb that has no other form
    VerbBarTitleId = 136,
    ComboFontNameId = 137,
    ReadyStringId = 57345,
    IndicatorCapsId = 59137,
    IndicatorNumId = 59138,
    IndicatorScrlId = 59139,
};

// Window style of a verb window (child, visible, overlapped window).
inline constexpr unsigned VerbWindowStyle = 0x50CF0000u;
