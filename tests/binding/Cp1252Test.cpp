#include <gtest/gtest.h>

#include "Cp1252.h"

TEST(Cp1252, TheHighControlRangeCarriesTheWindowsLetters) {
    EXPECT_EQ(cp1252::ToUtf8("\x9C"
                             "uvre"),
              "\xC5\x93uvre");                                                  // œuvre
    EXPECT_EQ(cp1252::ToUtf8("\x80"), "\xE2\x82\xAC");                          // €
    EXPECT_EQ(cp1252::ToUtf8("\x8C\x9F\x99"), "\xC5\x92\xC5\xB8\xE2\x84\xA2");  // Œ Ÿ ™
    EXPECT_EQ(cp1252::ToUtf8("pr\xE9sent \xE0 c\xF4t\xE9"), "pr\xC3\xA9sent \xC3\xA0 c\xC3\xB4t\xC3\xA9");
    EXPECT_EQ(cp1252::ToUnicode(0x92), U'\u2019');
    EXPECT_EQ(cp1252::ToUnicode(0x81), U'\u0081');  // unassigned: the C1 control of that value
}

TEST(Cp1252, EveryByteSurvivesARoundTrip) {
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    cp1252::Conversion back = cp1252::FromUtf8(cp1252::ToUtf8(all));
    ASSERT_TRUE(back.ok);
    EXPECT_EQ(back.text, all);
    cp1252::Conversion back16 = cp1252::FromUtf16(cp1252::ToUtf16(all));
    ASSERT_TRUE(back16.ok);
    EXPECT_EQ(back16.text, all);
}

TEST(Cp1252, FromUtf8ConvertsFrenchText) {
    cp1252::Conversion c = cp1252::FromUtf8("s'\xC3\xA9mouvoir, \xC5\x93uvrer, na\xC3\xAEtre");
    ASSERT_TRUE(c.ok);
    EXPECT_EQ(c.text, "s'\xE9mouvoir, \x9Cuvrer, na\xEEtre");
    EXPECT_TRUE(c.ErrorMessage().empty());
}

TEST(Cp1252, TextWithoutAWindows1252ByteIsRefusedWithItsPosition) {
    cp1252::Conversion c = cp1252::FromUtf8("ab\xC5\x82\x63");  // ł
    EXPECT_FALSE(c.ok);
    EXPECT_TRUE(c.text.empty());
    EXPECT_EQ(c.errorOffset, 2u);
    EXPECT_EQ(c.codePoint, U'\u0142');
    EXPECT_FALSE(c.invalidEncoding);
    EXPECT_NE(c.ErrorMessage().find("U+0142"), std::string::npos);

    cp1252::Conversion emoji = cp1252::FromUtf8("\xF0\x9F\x98\x80");
    EXPECT_FALSE(emoji.ok);
    EXPECT_EQ(emoji.codePoint, U'\U0001F600');

    cp1252::Conversion u16 = cp1252::FromUtf16(u"x\u4E2D");
    EXPECT_FALSE(u16.ok);
    EXPECT_EQ(u16.errorOffset, 1u);
    cp1252::Conversion pair = cp1252::FromUtf16(u"\U0001F600");
    EXPECT_FALSE(pair.ok);
    EXPECT_FALSE(pair.invalidEncoding);
}

TEST(Cp1252, MalformedInputIsRefused) {
    for (const char* bad : {"\xE9t\xE9",         // Latin-1 bytes, not UTF-8
                            "\xC3",              // cut short
                            "\xC0\xA9",          // overlong
                            "\xED\xA0\x80",      // surrogate
                            "\xF4\x90\x80\x80",  // past U+10FFFF
                            "\xC3\x28"}) {
        cp1252::Conversion c = cp1252::FromUtf8(bad);
        EXPECT_FALSE(c.ok) << bad;
        EXPECT_TRUE(c.invalidEncoding) << bad;
    }
    std::u16string lone(1, char16_t(0xD800));
    EXPECT_TRUE(cp1252::FromUtf16(lone).invalidEncoding);
    EXPECT_TRUE(cp1252::FromUtf16(std::u16string(1, char16_t(0xDC00)) + u"a").invalidEncoding);
}
