#include "DeviceBitmap.h"

#include "platform/ModuleResources.h"

namespace {

uint32_t Read32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
uint16_t Read16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }

constexpr size_t InfoHeaderSize = 40;

}  // namespace

QList<QRgb> CreateDIBPalette(const uint8_t* info, size_t size, int& colourCount) {
    colourCount = 0;
    QList<QRgb> colours;
    if (info == nullptr || size < InfoHeaderSize) return colours;
    const int bits = Read16(info + 14);
    if (bits < 1 || bits > 8) return colours;
    colourCount = 1 << bits;
    if (size < InfoHeaderSize + 4 * size_t(colourCount)) return colours;
    colours.reserve(colourCount);
    const uint8_t* entry = info + InfoHeaderSize;
    for (int i = 0; i < colourCount; ++i, entry += 4) colours.append(qRgb(entry[2], entry[1], entry[0]));
    return colours;
}

QImage DecodeDIB(const uint8_t* data, size_t size, QList<QRgb>* palette) {
    if (data == nullptr || size < InfoHeaderSize) return {};
    const uint32_t headerSize = Read32(data);
    const int32_t width = int32_t(Read32(data + 4));
    const int32_t rawHeight = int32_t(Read32(data + 8));
    const int bits = Read16(data + 14);
    const uint32_t compression = Read32(data + 16);
    if (headerSize < InfoHeaderSize || headerSize > size || compression != 0) return {};
    if (width <= 0 || width > 16384 || rawHeight == 0 || rawHeight < -16384 || rawHeight > 16384) return {};
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return {};
    const bool bottomUp = rawHeight > 0;
    const int height = bottomUp ? rawHeight : -rawHeight;

    int colourCount = 0;
    QList<QRgb> colours = CreateDIBPalette(data, size, colourCount);
    if (colourCount > 0 && colours.isEmpty()) return {};
    const size_t stride = ((size_t(width) * size_t(bits) + 31) / 32) * 4;
    const size_t bitsOffset = headerSize + 4 * size_t(colourCount);
    if (bitsOffset > size || (size - bitsOffset) / stride < size_t(height)) return {};

    QImage image(width, height, bits <= 8 ? QImage::Format_Indexed8 : QImage::Format_RGB32);
    if (image.isNull()) return {};
    if (bits <= 8) image.setColorTable(colours);
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = data + bitsOffset + stride * size_t(bottomUp ? height - 1 - y : y);
        uchar* out = image.scanLine(y);
        for (int x = 0; x < width; ++x) {
            switch (bits) {
            case 1:
                out[x] = (row[x / 8] >> (7 - x % 8)) & 1;
                break;
            case 4:
                out[x] = (row[x / 2] >> (x % 2 ? 0 : 4)) & 0x0F;
                break;
            case 8:
                out[x] = row[x];
                break;
            default: {
                const uint8_t* p = row + size_t(x) * size_t(bits / 8);
                reinterpret_cast<QRgb*>(out)[x] = qRgb(p[2], p[1], p[0]);
                break;
            }
            }
        }
    }
    if (palette != nullptr) *palette = colours;
    return image;
}

QImage LoadDIB(platform::ModuleHandle module, int32_t id, QList<QRgb>* palette) {
    const ResourceEntry* entry = platform::FindModuleResource(module, "BITMAP", id);
    if (entry == nullptr || entry->data == nullptr) return {};
    return DecodeDIB(static_cast<const uint8_t*>(entry->data), entry->size, palette);
}
