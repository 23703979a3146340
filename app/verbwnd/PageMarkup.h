// The colour markup of page lines.
//
// A line may carry colour codes: a backslash followed by "blue", "red" or
// "black". A code is not shown; it colours the rest of the line. Every line
// starts in the verb text colour.
#pragma once

#include <cstdint>
#include <string>

// Colours of the codes, as 0x00BBGGRR.
inline constexpr uint32_t MarkupBlue = 0x00FF0000;
inline constexpr uint32_t MarkupRed = 0x000000FF;
inline constexpr uint32_t MarkupBlack = 0x00000000;

// Longest visible text of one line; longer lines are cut.
inline constexpr int MaxVisibleLineLength = 255;

struct ColourCode {
    int length = 0;       // characters to drop, backslash included; 0 when there is no code
    uint32_t colour = 0;  // 0x00BBGGRR
};

// The colour code at the start of `text`, if any.
ColourCode ColourCodeAt(const char* text);

// The line without any of its colour codes, at most MaxVisibleLineLength
// characters; an empty text for null.
std::string VisibleText(const char* line);
