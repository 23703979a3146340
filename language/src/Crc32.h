// CRC-32 (the polynomial of zip and PNG, reflected 0xEDB88320), eight bytes a
// step. Shared by the database compiler, which stores the checksum of the
// module's resources, and the module, which checks it when it is loaded.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace french {

namespace crc32_detail {

constexpr std::array<std::array<uint32_t, 256>, 8> MakeTables() {
    std::array<std::array<uint32_t, 256>, 8> t{};
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t c = i;
        for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        t[0][i] = c;
    }
    for (uint32_t i = 0; i < 256; ++i)
        for (int s = 1; s < 8; ++s) t[s][i] = (t[s - 1][i] >> 8) ^ t[0][t[s - 1][i] & 0xFF];
    return t;
}

inline constexpr auto Tables = MakeTables();

}  // namespace crc32_detail

// Continues `crc` (0 to start) over `size` bytes.
inline uint32_t Crc32(uint32_t crc, const void* data, size_t size) {
    const auto& t = crc32_detail::Tables;
    const auto* p = static_cast<const uint8_t*>(data);
    crc = ~crc;
    for (; size >= 8; size -= 8, p += 8) {
        const uint32_t low =
            crc ^ (uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24);
        crc = t[7][low & 0xFF] ^ t[6][(low >> 8) & 0xFF] ^ t[5][(low >> 16) & 0xFF] ^ t[4][low >> 24] ^
              t[3][p[4]] ^ t[2][p[5]] ^ t[1][p[6]] ^ t[0][p[7]];
    }
    for (; size > 0; --size, ++p) crc = t[0][(crc ^ *p) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

// Continues `crc` over a 32-bit number as four little-endian bytes.
inline uint32_t Crc32Word(uint32_t crc, uint32_t value) {
    const uint8_t bytes[4] = {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16),
                              uint8_t(value >> 24)};
    return Crc32(crc, bytes, 4);
}

// Continues `crc` over one resource of the module: its type name with the
// closing NUL, its id and size as words, then its bytes. The compiler and
// the module both go through here, so that they agree on the layout.
inline uint32_t Crc32Resource(uint32_t crc, const char* type, int32_t id, const void* data, uint32_t size) {
    size_t typeLength = 0;
    while (type[typeLength] != '\0') ++typeLength;
    crc = Crc32(crc, type, typeLength + 1);
    crc = Crc32Word(crc, static_cast<uint32_t>(id));
    crc = Crc32Word(crc, size);
    return Crc32(crc, data, size);
}

}  // namespace french
