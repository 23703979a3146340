// The 60-byte logical-font record kept in the settings under "Font".
//
// Layout (little-endian): height, width, escapement, orientation, weight as
// 32-bit signed numbers; italic, underline, strike-out, character set,
// output precision, clip precision, quality, pitch and family as bytes; then
// a 32-byte face name in Windows-1252, NUL-terminated. A negative height is
// the character height in pixels.
#pragma once

#include <QFont>
#include <array>
#include <cstdint>
#include <optional>

struct FontRecord {
    static constexpr size_t Size = 60;
    static constexpr size_t FaceNameSize = 32;

    int32_t height = 0;
    int32_t width = 0;
    int32_t escapement = 0;
    int32_t orientation = 0;
    int32_t weight = 400;
    uint8_t italic = 0;
    uint8_t underline = 0;
    uint8_t strikeOut = 0;
    uint8_t charSet = 0;
    uint8_t outPrecision = 0;
    uint8_t clipPrecision = 0;
    uint8_t quality = 0;
    uint8_t pitchAndFamily = 0;
    std::array<char, FaceNameSize> faceName{};

    std::array<uint8_t, Size> ToBytes() const;
    static FontRecord FromBytes(const uint8_t* bytes);

    // The record of `font` (pixel height, weight, effects, face name).
    static FontRecord FromFont(const QFont& font);
    // The font of a record; nothing when the record cannot describe a usable
    // font (no NUL in the face name, an empty face name, a height of more
    // than 1000 pixels).
    std::optional<QFont> ToFont() const;
    // 12-point Arial at the screen's resolution.
    static FontRecord Default();
};
