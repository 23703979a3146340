// The rules for reading a definitions file, line by line.
#include <gtest/gtest.h>

#include "DefinitionsFile.h"
#include "LanguageModule.h"

namespace {

using Map = std::unordered_map<std::string, std::string>;

const std::string Header = "Verb, Pronominal ( 0 or 1), English Definition\r\n";

Map Read(const std::string& text, int* count = nullptr) {
    Map map;
    int read = LanguageModule::ReadDefinitions(text, map);
    if (count) *count = read;
    return map;
}

}  // namespace

TEST(DefinitionsFile, LinesFollowTheCommaRules) {
    int count = 0;
    Map map = Read(Header +
                       "abaisser,1,to be lowered, humbled\r\n"  // later commas are text
                       "placer,0,to place\r\n"
                       "aller\r\n"                // no comma: no definition
                       "abattre,,text\r\n"        // definition starts 3 after the comma
                       "abolir,1,\r\n"            // empty definition
                       "abonder,1\r\n"            // ends after the flag
                       "aboyer,x,barks\r\n"       // any flag but "1" is plain
                       "abreuver,1;to water\r\n"  // third character skipped whatever it is
                       ",0,no verb\r\n",
                   &count);
    EXPECT_EQ(count, 6);
    EXPECT_EQ(map.size(), 6u);
    EXPECT_EQ(map["abaisser1"], "to be lowered, humbled");
    EXPECT_EQ(map["placer0"], "to place");
    EXPECT_EQ(map["abattre0"], "ext");
    EXPECT_EQ(map["aboyer0"], "barks");
    EXPECT_EQ(map["abreuver1"], "to water");
    EXPECT_EQ(map["0"], "no verb");
    EXPECT_EQ(map.count("aller0"), 0u);
    EXPECT_EQ(map.count("abolir1"), 0u);
    EXPECT_EQ(map.count("abonder1"), 0u);
}

TEST(DefinitionsFile, TheHeaderIsKnownByItsText) {
    Map noHeader = Read("abaisser,0,to lower\r\nplacer,0,to place\r\n");
    EXPECT_EQ(noHeader["abaisser0"], "to lower");  // a first line that is a definition stays one
    EXPECT_EQ(noHeader["placer0"], "to place");
    EXPECT_EQ(Read("Verb, Pronominal,0,x\r\n").size(), 0u);
    EXPECT_TRUE(Read("").empty());
    EXPECT_TRUE(Read(Header).empty());
    EXPECT_TRUE(Read("Verb, Pronominal ( 0 or 1), English Definition").empty());
}

TEST(DefinitionsFile, ALaterLineWithTheSameKeyWins) {
    Map map = Read(Header + "placer,0,first\r\nplacer,1,pronominal\r\nplacer,0,second\r\n");
    EXPECT_EQ(map["placer0"], "second");
    EXPECT_EQ(map["placer1"], "pronominal");
    // An ignored (empty) line does not erase an earlier definition.
    Map kept = Read(Header + "placer,0,first\r\nplacer,0,\r\n");
    EXPECT_EQ(kept["placer0"], "first");
}

TEST(DefinitionsFile, AnyLineEndIsALineEnd) {
    for (const char* end : {"\r\n", "\n", "\r"}) {
        std::string e = end;
        Map map = Read("header" + e + "a,0,one" + e + "b,1,two" + e + "c,0,three");
        EXPECT_EQ(map.size(), 3u) << "line end " << (e == "\r" ? "CR" : e == "\n" ? "LF" : "CRLF");
        EXPECT_EQ(map["a0"], "one");
        EXPECT_EQ(map["b1"], "two");
        EXPECT_EQ(map["c0"], "three");  // the last line has no line end
    }
    Map mixed = Read("h\r\na,0,one\nb,0,two\rc,0,three\r\n\r\n\n");
    EXPECT_EQ(mixed.size(), 3u);
    EXPECT_EQ(mixed["b0"], "two");
}

TEST(DefinitionsFile, BinaryBytesAreKeptAndNulBytesEndTheLineText) {
    std::string latin = "\xE9mouvoir,0,to move \x80 \x9C \xFF \x01 \t end";
    Map map = Read(Header + latin + "\r\n" + std::string("nul,0,to\0cut", 12) + "\r\n" +
                   std::string("\0skip,0,x", 9) + "\r\nafter,0,still read\r\n");
    EXPECT_EQ(map["\xE9mouvoir0"], "to move \x80 \x9C \xFF \x01 \t end");
    EXPECT_EQ(map["nul0"], "to");
    EXPECT_EQ(map["after0"], "still read");
    EXPECT_EQ(map.size(), 3u);
}

TEST(DefinitionsFile, AMegabyteLineIsReadWhole) {
    std::string big(1 << 20, 'w');
    Map map = Read(Header + "big,0," + big + "\r\nsmall,1,next\r\n");
    EXPECT_EQ(map["big0"], big);
    EXPECT_EQ(map["small1"], "next");
}

// What Plimo does to a file when it saves one change: that line alone
// changes (or one is added), everything else stays byte for byte.
TEST(DefinitionsFile, AStoredChangeTouchesOnlyItsOwnLine) {
    using definitions::Parse;
    using definitions::Serialize;
    struct Case {
        const char* what;
        std::string before, key, text, after;
    };
    const std::string nul("a\0b,0,kept\n", 11);
    const std::vector<Case> cases = {
        {"LF file, line replaced", Header.substr(0, Header.size() - 2) + "\n# mine\nplacer,0,old\n\nzz",
         "placer0", "new", Header.substr(0, Header.size() - 2) + "\n# mine\nplacer,0,new\n\nzz"},
        {"last line without end gets one", "placer,0,x", "aller1", "to go away",
         "placer,0,x\r\naller,1,to go away\r\n"},
        {"new file gets the header, CR LF", "", "placer0", "to put", Header + "placer,0,to put\r\n"},
        {"NUL lines and later duplicates", nul + "p,0,one\np,0,two\n", "p0", "three",
         nul + "p,0,one\np,0,three\n"},
        {"cleared definition keeps its line", "p,1,one\r\n", "p1", "", "p,1,\r\n"},
        {"UTF-8 file stays UTF-8", "\xEF\xBB\xBF" + Header + "\xC3\xA9mouvoir,0,old\r\n", "\xE9mouvoir0",
         "to move \xE0 tears", "\xEF\xBB\xBF" + Header + "\xC3\xA9mouvoir,0,to move \xC3\xA0 tears\r\n"},
        {"Windows-1252 file stays so", "\xE9mouvoir,0,old\r\n", "\xE9mouvoir0", "\xE0",
         "\xE9mouvoir,0,\xE0\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Serialize(Parse(c.before)), c.before);
        definitions::FileText file = Parse(c.before);
        definitions::Store(file, c.key, c.text);
        EXPECT_EQ(Serialize(file), c.after);
    }
}

TEST(DefinitionsFile, UnicodeTextAndByteOrderMarksReadAsTheUserWroteThem) {
    // The header after a BOM is still the header; a first definition after
    // one is still that definition; UTF-8 letters become their own bytes.
    EXPECT_EQ(Read("\xEF\xBB\xBF" + Header +
                   "\xC3\xA9"
                   "diter,0,\xC3\xA9"
                   "dit\xC3\xA9 \xE2\x82\xAC \xC5\x82\r\n"),
              (Map{{"\xE9"
                    "diter0",
                    "\xE9"
                    "dit\xE9 \x80 ?"}}));
    EXPECT_EQ(Read("\xEF\xBB\xBFplacer,0,to put\n"), (Map{{"placer0", "to put"}}));
    // Bytes that are not UTF-8 are Windows-1252, as before.
    EXPECT_EQ(Read("\xE9mouvoir,0,\xE0 \xC3\r\n"), (Map{{"\xE9mouvoir0", "\xE0 \xC3"}}));
}

TEST(DefinitionsFile, OnlyADefinitionsFileMayBeWritten) {
    struct Case {
        std::string text;
        bool ours;
    };
    const std::vector<Case> cases = {
        {"", true},
        {Header + "anything at all\r\n", true},
        {"placer,0,to put\r\n\r\naller,1\r\n", true},  // header lost by an editor
        {"Mes notes de fran\xE7"
         "ais\nbonjour = hello\n",
         false},
        {"# ~/.bashrc\nexport PATH=$HOME/bin:$PATH\n", false},
        {"placer,0,to put\nJe dois r\xE9viser: le subjonctif, le pass\xE9 simple\n", false},
    };
    for (const Case& c : cases) EXPECT_EQ(definitions::Parse(c.text).definitionsOnly, c.ours) << c.text;
}
