#include "FontRecord.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <cstring>

#include "QtText.h"

namespace {

void PutInt(uint8_t* out, int32_t value) {
    uint32_t v = uint32_t(value);
    for (int i = 0; i < 4; ++i) out[i] = uint8_t(v >> (8 * i));
}

int32_t GetInt(const uint8_t* in) {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= uint32_t(in[i]) << (8 * i);
    return int32_t(v);
}

int ScreenDpi() {
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? int(screen->logicalDotsPerInchY() + 0.5) : 96;
}

}  // namespace

std::array<uint8_t, FontRecord::Size> FontRecord::ToBytes() const {
    std::array<uint8_t, Size> bytes{};
    PutInt(&bytes[0], height);
    PutInt(&bytes[4], width);
    PutInt(&bytes[8], escapement);
    PutInt(&bytes[12], orientation);
    PutInt(&bytes[16], weight);
    bytes[20] = italic;
    bytes[21] = underline;
    bytes[22] = strikeOut;
    bytes[23] = charSet;
    bytes[24] = outPrecision;
    bytes[25] = clipPrecision;
    bytes[26] = quality;
    bytes[27] = pitchAndFamily;
    std::memcpy(&bytes[28], faceName.data(), FaceNameSize);
    return bytes;
}

FontRecord FontRecord::FromBytes(const uint8_t* bytes) {
    FontRecord record;
    record.height = GetInt(&bytes[0]);
    record.width = GetInt(&bytes[4]);
    record.escapement = GetInt(&bytes[8]);
    record.orientation = GetInt(&bytes[12]);
    record.weight = GetInt(&bytes[16]);
    record.italic = bytes[20];
    record.underline = bytes[21];
    record.strikeOut = bytes[22];
    record.charSet = bytes[23];
    record.outPrecision = bytes[24];
    record.clipPrecision = bytes[25];
    record.quality = bytes[26];
    record.pitchAndFamily = bytes[27];
    std::memcpy(record.faceName.data(), &bytes[28], FaceNameSize);
    return record;
}

FontRecord FontRecord::FromFont(const QFont& font) {
    FontRecord record;
    int pixels = font.pixelSize();
    if (pixels <= 0) pixels = int(font.pointSizeF() * ScreenDpi() / 72.0 + 0.5);
    record.height = -pixels;
    record.weight = font.weight();
    record.italic = font.italic() ? 1 : 0;
    record.underline = font.underline() ? 1 : 0;
    record.strikeOut = font.strikeOut() ? 1 : 0;
    record.outPrecision = 3;   // stroke
    record.clipPrecision = 2;  // stroke
    record.quality = 1;        // draft
    record.pitchAndFamily = 0x22;
    std::optional<std::string> face = ToCp1252(font.family());
    if (face) {
        size_t length = std::min(face->size(), FaceNameSize - 1);
        std::memcpy(record.faceName.data(), face->data(), length);
    }
    return record;
}

std::optional<QFont> FontRecord::ToFont() const {
    const void* nul = std::memchr(faceName.data(), '\0', FaceNameSize);
    if (nul == nullptr) return std::nullopt;
    std::string face(faceName.data());
    if (face.empty()) return std::nullopt;
    if (height < -1000 || height > 1000) return std::nullopt;
    QFont font(FromCp1252(face));
    if (height < 0) {
        font.setPixelSize(-height);
    } else if (height > 0) {
        // A positive height is the cell height: scale the character height to it.
        font.setPixelSize(height);
        QFontMetrics metrics(font);
        if (metrics.height() > 0) font.setPixelSize(std::max(1, height * height / metrics.height()));
    } else {
        font.setPixelSize(int(12.0 * ScreenDpi() / 72.0 + 0.5));
    }
    int w = weight;
    if (w <= 0 || w > 1000) w = 400;
    font.setWeight(QFont::Weight(std::clamp(w, 1, 1000)));
    font.setItalic(italic != 0);
    font.setUnderline(underline != 0);
    font.setStrikeOut(strikeOut != 0);
    return font;
}

FontRecord FontRecord::Default() {
    FontRecord record;
    record.height = -int(12.0 * ScreenDpi() / 72.0 + 0.5);
    record.weight = 400;
    record.outPrecision = 3;
    record.clipPrecision = 2;
    record.quality = 1;
    record.pitchAndFamily = 0x22;
    std::memcpy(record.faceName.data(), "Arial", 5);
    return record;
}
