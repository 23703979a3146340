// The definitions file as its lines.
//
// Plimo reads the user's definitions from the file and, when it writes the
// definitions this run changed, replaces only their lines (or adds lines at
// the end): every other line, with its bytes and its own line end, the
// byte-order mark and the header are carried over exactly. A file that holds
// anything but definitions (no header, and a line that is no definition) is
// somebody else's file and is never written.
//
// Text in the program is Windows-1252. A file with a UTF-8 byte-order mark,
// or one that is valid UTF-8 and holds non-ASCII bytes, is read as UTF-8
// (characters without a Windows-1252 byte read as "?"); the lines Plimo
// writes into it are UTF-8 too, so the file keeps one encoding. Every other
// file, a new one included, is Windows-1252.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace definitions {

// The header line of a definitions file, and the start by which a first
// line is known to be the header.
inline constexpr std::string_view Header = "Verb, Pronominal ( 0 or 1), English Definition";
inline constexpr std::string_view HeaderStart = "Verb, Pronominal";

struct Line {
    std::string text;  // as in the file, without its line end
    std::string end;   // "\r\n", "\n", "\r", or "" for a last line without one
};

struct FileText {
    bool byteOrderMark = false;    // a UTF-8 byte-order mark before the first line
    bool utf8 = false;             // read and written as UTF-8
    bool header = false;           // the first line is the header
    bool definitionsOnly = true;   // false: somebody else's file, never written
    std::string lineEnd = "\r\n";  // for lines Plimo adds: the file's first line end
    std::vector<Line> lines;
};

using Map = std::unordered_map<std::string, std::string>;

// Splits `contents` into lines and tells what kind of file it is.
FileText Parse(std::string_view contents);

// The file's bytes again: Serialize(Parse(x)) == x for every x.
std::string Serialize(const FileText& file);

// Adds the definitions of the file to `definitions` (a later line wins over
// an earlier one with the same key); returns how many lines held one.
int Read(const FileText& file, Map& definitions);

// Puts `text` (Windows-1252, one line) as the definition stored under `key`
// (infinitive followed by "0" or "1"): the last line holding that key gets
// the new text, or a line is added at the end. A new file gets the header
// first.
void Store(FileText& file, std::string_view key, std::string_view text);

}  // namespace definitions
