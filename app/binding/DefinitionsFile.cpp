// The definitions file as its lines: reading and line-by-line changes.
#include "DefinitionsFile.h"

#include <optional>

#include "Cp1252.h"

namespace definitions {
namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

// The length of the UTF-8 sequence starting at text[i], or 0 when it is not
// a valid one (overlong forms, surrogates and code points past U+10FFFF
// included).
size_t Utf8SequenceLength(std::string_view text, size_t i) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    size_t length = lead < 0x80         ? 1
                    : (lead >> 5) == 6  ? 2
                    : (lead >> 4) == 14 ? 3
                    : (lead >> 3) == 30 ? 4
                                        : 0;
    if (length == 0 || i + length > text.size()) return 0;
    char32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
        code = (code << 6) | (byte(i + k) & 0x3F);
    }
    static constexpr char32_t Smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < Smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return length;
}

// Valid UTF-8 with at least one byte outside ASCII.
bool LooksLikeUtf8(std::string_view text) {
    bool nonAscii = false;
    for (size_t i = 0; i < text.size();) {
        const size_t length = Utf8SequenceLength(text, i);
        if (length == 0) return false;
        nonAscii = nonAscii || length > 1;
        i += length;
    }
    return nonAscii;
}

// UTF-8 to Windows-1252, "?" for characters that have no byte there.
std::string Utf8ToCp1252(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        size_t length = Utf8SequenceLength(text, i);
        if (length == 0) {  // not reached for a file read as UTF-8
            out += '?';
            ++i;
            continue;
        }
        char32_t code = length == 1 ? static_cast<unsigned char>(text[i])
                                    : static_cast<unsigned char>(text[i]) & (0x7F >> length);
        for (size_t k = 1; k < length; ++k)
            code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        std::optional<unsigned char> b = cp1252::FromUnicode(code);
        out += b ? static_cast<char>(*b) : '?';
        i += length;
    }
    return out;
}

// A line read by the file's rules: the key it stores under (infinitive and
// flag) and its definition text, in Windows-1252; nothing for a line with
// no comma. The text may be empty: such a line stores nothing.
struct Entry {
    std::string key;
    std::string text;
};

std::optional<Entry> ReadLine(const FileText& file, std::string_view line) {
    // Text after a NUL byte is not part of the line's text.
    line = line.substr(0, line.find('\0'));
    // verb, comma, flag character, comma, definition: the definition starts
    // three characters after the first comma, whatever those are.
    const size_t comma = line.find(',');
    if (comma == std::string_view::npos) return std::nullopt;
    const bool pronominal = comma + 1 < line.size() && line[comma + 1] == '1';
    std::string_view text = comma + 3 < line.size() ? line.substr(comma + 3) : std::string_view();
    Entry entry;
    entry.key = file.utf8 ? Utf8ToCp1252(line.substr(0, comma)) : std::string(line.substr(0, comma));
    entry.key += pronominal ? '1' : '0';
    entry.text = file.utf8 ? Utf8ToCp1252(text) : std::string(text);
    return entry;
}

// "verb,0,..." or "verb,1": the shape of a line Plimo writes.
bool IsDefinitionLine(std::string_view line) {
    const size_t comma = line.find(',');
    if (comma == 0 || comma == std::string_view::npos || comma + 1 >= line.size()) return false;
    if (line[comma + 1] != '0' && line[comma + 1] != '1') return false;
    return comma + 2 == line.size() || line[comma + 2] == ',';
}

bool IsBlank(std::string_view line) { return line.find_first_not_of(" \t") == std::string_view::npos; }

}  // namespace

FileText Parse(std::string_view contents) {
    FileText file;
    if (contents.substr(0, ByteOrderMark.size()) == ByteOrderMark) {
        file.byteOrderMark = true;
        contents.remove_prefix(ByteOrderMark.size());
    }
    file.utf8 = file.byteOrderMark || LooksLikeUtf8(contents);
    size_t pos = 0;
    while (pos < contents.size()) {
        // A line ends at CR LF, LF or a lone CR.
        size_t end = contents.find_first_of("\r\n", pos);
        Line line;
        if (end == std::string_view::npos) {
            end = contents.size();
        } else if (contents[end] == '\r' && end + 1 < contents.size() && contents[end + 1] == '\n') {
            line.end = "\r\n";
        } else {
            line.end = std::string(1, contents[end]);
        }
        line.text = std::string(contents.substr(pos, end - pos));
        pos = end + line.end.size();
        file.lines.push_back(std::move(line));
    }
    if (!file.lines.empty()) {
        if (!file.lines.front().end.empty()) file.lineEnd = file.lines.front().end;
        file.header = file.lines.front().text.compare(0, HeaderStart.size(), HeaderStart) == 0;
    }
    if (!file.header)
        for (const Line& line : file.lines)
            if (!IsBlank(line.text) && !IsDefinitionLine(line.text)) file.definitionsOnly = false;
    return file;
}

std::string Serialize(const FileText& file) {
    std::string out;
    size_t size = ByteOrderMark.size();
    for (const Line& line : file.lines) size += line.text.size() + line.end.size();
    out.reserve(size);
    if (file.byteOrderMark) out += ByteOrderMark;
    for (const Line& line : file.lines) {
        out += line.text;
        out += line.end;
    }
    return out;
}

int Read(const FileText& file, Map& definitions) {
    int read = 0;
    for (size_t i = file.header ? 1 : 0; i < file.lines.size(); ++i) {
        std::optional<Entry> entry = ReadLine(file, file.lines[i].text);
        if (!entry || entry->text.empty()) continue;
        definitions[entry->key] = std::move(entry->text);
        ++read;
    }
    return read;
}

void Store(FileText& file, std::string_view key, std::string_view text) {
    if (key.empty()) return;
    const std::string_view verb = key.substr(0, key.size() - 1);
    std::string line = file.utf8 ? cp1252::ToUtf8(verb) : std::string(verb);
    line += ',';
    line += key.back() == '1' ? '1' : '0';
    line += ',';
    line += file.utf8 ? cp1252::ToUtf8(text) : std::string(text);

    for (size_t i = file.lines.size(); i-- > (file.header ? 1u : 0u);) {
        std::optional<Entry> entry = ReadLine(file, file.lines[i].text);
        if (entry && entry->key == key) {
            file.lines[i].text = std::move(line);
            return;
        }
    }
    if (file.lines.empty()) {
        file.lines.push_back({std::string(Header), file.lineEnd});
        file.header = true;
    }
    if (!file.lines.empty() && file.lines.back().end.empty()) file.lines.back().end = file.lineEnd;
    file.lines.push_back({std::move(line), file.lineEnd});
}

}  // namespace definitions
