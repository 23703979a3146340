// Pictures a language module carries as device-independent bitmaps: a
// 40-byte information header, its colour table, then the pixel rows, bottom
// row first, each padded to four bytes.
#pragma once

#include <QImage>
#include <QList>
#include <QRgb>
#include <cstddef>
#include <cstdint>

#include "platform/ModuleLoader.h"

// The colour table of a bitmap of 8 bits per pixel or fewer, read from right
// after the 40-byte header; its length is 2 to the bits per pixel (the
// header's count of colours used is not consulted). Empty for a deeper
// bitmap, or when the data is too short to hold the table; `colourCount` is
// the table's length in either case (0 when there is none).
QList<QRgb> CreateDIBPalette(const uint8_t* info, size_t size, int& colourCount);

// Decodes a bitmap of 1, 4, 8, 24 or 32 bits per pixel, uncompressed, into
// an image; a null image when the data is anything else or too short for
// what its header says.
QImage DecodeDIB(const uint8_t* data, size_t size, QList<QRgb>* palette = nullptr);

// The "BITMAP" resource `id` of a loaded module, decoded; a null image when
// the module has no such resource or it cannot be decoded. `palette`, when
// given, receives its colour table (left alone when there is no resource).
QImage LoadDIB(platform::ModuleHandle module, int32_t id, QList<QRgb>* palette = nullptr);
