// The rules for reading a definitions file, line by line.
#include <gtest/gtest.h>

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
                       "aller\r\n"                    // no comma: no definition
                       "abattre,,text\r\n"            // definition starts 3 after the comma
                       "abolir,1,\r\n"                // empty definition
                       "abonder,1\r\n"                // ends after the flag
                       "aboyer,x,barks\r\n"           // any flag but "1" is plain
                       "abreuver,1;to water\r\n"      // third character skipped whatever it is
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
