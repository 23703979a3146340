// Case and accent folding of Windows-1252 text, shared by Find and the form
// lookup: à â ä -> a, ç -> c, é è ê ë -> e, î ï -> i, ô ö -> o, ù û ü -> u,
// ÿ -> y, œ -> oe, æ -> ae, capitals to small letters. Every other byte is
// kept. A folded text is at most twice as long as its source.
#pragma once

#include <cstddef>
#include <string>

namespace french {

// The folded form of one byte: one or two characters in `out`; returns how many.
inline int FoldByte(unsigned char c, char out[2]) {
    static const char kLatin1[] =                 // 0xC0-0xFF, '\0' where the byte is kept
        "aaaaaa\0ceeeeiiii\0nooooo\0\0uuuuy\0\0"  // 0xC0-0xDF (0xC6 Æ, 0xDE, 0xDF kept)
        "aaaaaa\0ceeeeiiii\0nooooo\0\0uuuuy\0y";  // 0xE0-0xFF (0xE6 æ, 0xF7, 0xFE kept)
    if (c >= 'A' && c <= 'Z') {
        out[0] = static_cast<char>(c - 'A' + 'a');
        return 1;
    }
    if (c == 0x8C || c == 0x9C || c == 0xC6 || c == 0xE6) {  // Œ œ Æ æ
        out[0] = (c == 0x8C || c == 0x9C) ? 'o' : 'a';
        out[1] = 'e';
        return 2;
    }
    if (c == 0x9F) {  // Ÿ
        out[0] = 'y';
        return 1;
    }
    if (c >= 0xC0 && kLatin1[c - 0xC0]) {
        out[0] = kLatin1[c - 0xC0];
        return 1;
    }
    out[0] = static_cast<char>(c);
    return 1;
}

// Folds `text` into `out`, which holds at least 2 * strlen(text) + 1 bytes.
inline size_t FoldInto(const char* text, char* out) {
    size_t n = 0;
    for (; *text; ++text) n += static_cast<size_t>(FoldByte(static_cast<unsigned char>(*text), out + n));
    out[n] = 0;
    return n;
}

inline std::string Folded(const char* text, size_t length) {
    std::string out;
    out.reserve(length);
    char pair[2];
    for (size_t i = 0; i < length; ++i)
        out.append(pair, static_cast<size_t>(FoldByte(static_cast<unsigned char>(text[i]), pair)));
    return out;
}

}  // namespace french
