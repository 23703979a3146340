// The database compiler: reading the sources and laying out the blobs.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <unistd.h>
#include <filesystem>
#include <fstream>

#include "../TempFolder.h"
#include "Crc32.h"
#include "DataFiles.h"
#include "DatabaseBuilder.h"
#include "DatabaseFormat.h"
#include "TextCodec.h"

namespace fs = std::filesystem;

namespace {

class Sources : public ::testing::Test {
protected:
    void SetUp() override { dir_ = folder_.path; }

    std::string Write(const std::string& name, const std::string& text) {
        const auto path = (dir_ / name).string();
        std::ofstream(path) << text;
        return path;
    }

    // A model block with the given header lines and simple endings.
    static std::string Block(int number, const std::string& extra = "",
                             const std::string& present = "e es e ons ez ent") {
        return "model " + std::to_string(number) + " m" + std::to_string(number) + "\n" + extra +
               "  present " + present +
               "\n  imperfect a a a a a a\n  simple-past a a a a a a\n"
               "  future a a a a a a\n  subjunctive a a a a a a\n  past-subjunctive a a a a a a\n"
               "  conditional a a a a a a\n  imperative a b c\n  past-participle é ée és ée\n"
               "  present-participle ant\n";
    }

    // Models 0..n-1, with 30 and 99 present as the auxiliaries need.
    std::map<int, dbc::Model> Models(int count = 100, const std::string& extra = "") {
        std::string text;
        for (int n = 0; n < count; ++n) text += Block(n, n == 1 ? extra : "");
        std::map<int, dbc::Model> models;
        dbc::ReadModelFile(Write("models.txt", text), models);
        return models;
    }

    static std::vector<dbc::Verb> Verbs(int count) {
        std::vector<dbc::Verb> verbs;
        for (int i = 0; i < count; ++i)
            verbs.push_back({"verbe" + std::to_string(i) + "er", 1, 0, false, false, "v"});
        return verbs;
    }

    TempFolder folder_{"plimo-dbc-test"};
    fs::path dir_;
};

TEST(Crc32, KnownValuesAndEveryBitOfALongRun) {
    // The check value of CRC-32, and the eight-byte steps against one byte at a time.
    EXPECT_EQ(french::Crc32(0, "123456789", 9), 0xCBF43926u);
    EXPECT_EQ(french::Crc32(0, "", 0), 0u);
    std::string bytes(1003, '\0');
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = char(i * 131 + 7);
    uint32_t byByte = 0;
    for (char c : bytes) byByte = french::Crc32(byByte, &c, 1);
    const uint32_t whole = french::Crc32(0, bytes.data(), bytes.size());
    EXPECT_EQ(whole, byByte);
    // A single flipped bit anywhere changes the checksum.
    for (size_t bit = 0; bit < bytes.size() * 8; bit += 37) {
        std::string flipped = bytes;
        flipped[bit / 8] ^= char(1 << (bit % 8));
        EXPECT_NE(french::Crc32(0, flipped.data(), flipped.size()), whole) << bit;
    }
}

TEST(TextCodec, ConvertsUtf8ToWindows1252) {
    EXPECT_EQ(dbc::Utf8ToCp1252("plaçons"), std::optional<std::string>("pla\xE7ons"));
    EXPECT_EQ(dbc::Utf8ToCp1252("œuvrer"), std::optional<std::string>("\x9Cuvrer"));
    EXPECT_EQ(dbc::Utf8ToCp1252("€"), std::optional<std::string>("\x80"));
    EXPECT_FALSE(dbc::Utf8ToCp1252("ř").has_value());         // no Windows-1252 byte
    EXPECT_FALSE(dbc::Utf8ToCp1252("\xC3").has_value());      // cut short
    EXPECT_FALSE(dbc::Utf8ToCp1252("\xC3\x28").has_value());  // bad continuation
}

TEST_F(Sources, ModelFlagsAndEndings) {
    const auto models =
        Models(100, "  strip 4\n  caret 3 1\n  flags noAgreement impersonal\n  missing 2 5\n");
    const dbc::Model& m = models.at(1);
    EXPECT_EQ(m.flags & french::StripCountMask, 4u);
    EXPECT_EQ((m.flags >> french::CaretOffsetShift) & 7, 3u);
    EXPECT_EQ((m.flags >> french::CaretLengthShift) & 7, 1u);
    EXPECT_TRUE(m.flags & french::NoAgreement);
    EXPECT_TRUE(m.flags & french::Impersonal);
    EXPECT_EQ(m.flags >> french::MissingTenseShift & 0x3FFF, (1u << 2) | (1u << 5));
    EXPECT_EQ(m.endings[3], "ons");
    EXPECT_EQ(m.endings[48], "\xE9");
    EXPECT_EQ(m.endings[51],
              "\xE9"
              "e");
    EXPECT_EQ(m.endings[45], "");
}

TEST_F(Sources, RejectsMalformedModels) {
    std::map<int, dbc::Model> models;
    const std::vector<std::string> malformed = {
        Block(1, "  flags shiny\n"),   Block(1, "  strip 9\n"),
        Block(1, "  caret 2 3\n"),     Block(1, "  missing 14\n"),
        Block(1, "", "e es e ons ez"), Block(1) + Block(1),
        "  present a a a a a a\n",     Block(1, "  grammar x\n"),
        "model 128 too-big\n",         Block(1, "  present-participle ant\n")};
    for (const std::string& bad : malformed) {
        models.clear();
        EXPECT_THROW(dbc::ReadModelFile(Write("bad.txt", bad), models), dbc::DataError) << bad;
    }
}

TEST_F(Sources, VerbLinesWithSpacesAndMarks) {
    const auto verbs =
        dbc::ReadVerbFile(Write("verbs.txt", "# comment\nressortir à 2 0\nhaïr 56 3 +h\nabstenir 7 3 +p\n"));
    ASSERT_EQ(verbs.size(), 3u);
    EXPECT_EQ(verbs[0].infinitive, "ressortir \xE0");
    EXPECT_EQ(verbs[0].model, 2);
    EXPECT_TRUE(verbs[1].hAspire);
    EXPECT_EQ(verbs[1].infinitive, "ha\xEFr");
    EXPECT_TRUE(verbs[2].pronominalOnly);
    EXPECT_THROW(dbc::ReadVerbFile(Write("v.txt", "placer 1\n")), dbc::DataError);
    EXPECT_THROW(dbc::ReadVerbFile(Write("v.txt", "placer 1 16\n")), dbc::DataError);
    EXPECT_THROW(dbc::ReadVerbFile(Write("v.txt", "placer 1 3 +x\n")), dbc::DataError);
}

TEST_F(Sources, DefinitionLines) {
    std::map<std::string, dbc::Definition> defs;
    dbc::ReadDefinitionFile(
        Write("d.txt", "abaisser | to lower, to pull down | to stoop\narriver | to arrive | \n"), defs);
    EXPECT_EQ(defs.at("abaisser").plain, "to lower, to pull down");
    EXPECT_EQ(defs.at("abaisser").pronominal, "to stoop");
    EXPECT_EQ(defs.at("arriver").pronominal, "");
    for (const std::string& bad :
         {std::string("x | \n"), std::string("x | a | b | c\n"), std::string("x | a\n"),
          "x | " + std::string(256, 'a') + " | \n", std::string("x | a |\nx | b |\n")}) {
        std::map<std::string, dbc::Definition> d;
        EXPECT_THROW(dbc::ReadDefinitionFile(Write("bad.txt", bad), d), dbc::DataError) << bad;
    }
}

TEST_F(Sources, BlobLayout) {
    auto models = Models();
    auto verbs = Verbs(20);
    verbs[3].hAspire = true;
    verbs[4].pronominalOnly = true;
    verbs[5].kind = 9;
    std::map<std::string, dbc::Definition> defs = {{"verbe2er", {"to verb", "", "d"}},
                                                   {"verbe5er", {"to five", "to five oneself", "d"}}};
    const auto db = dbc::BuildDatabase(models, verbs, defs);
    EXPECT_EQ(db.verbCount, 20);
    EXPECT_EQ(db.modelTable.size(), 100u * french::ModelRecordSize);
    EXPECT_EQ(db.endingPool.at(0), 0);  // offset 0 is the empty ending
    EXPECT_EQ(db.verbNameIndex.size(), 40u);
    EXPECT_EQ(db.verbInfoTable.size(), 80u);
    auto info = [&](int i) {
        uint32_t v;
        std::memcpy(&v, db.verbInfoTable.data() + 4 * i, 4);
        return v;
    };
    EXPECT_EQ(info(2) & french::DefinitionRefMask, 1u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(db.definitionPool.data())), "to verb");
    EXPECT_EQ(info(5) & french::DefinitionRefMask, 1u + 8u + 1u);
    EXPECT_EQ((info(5) >> french::KindShift) & french::KindMask, 9u);
    EXPECT_EQ((info(5) >> french::ModelShift) & french::ModelMask, 1u);
    EXPECT_TRUE(info(3) & french::HAspireBit);
    EXPECT_TRUE(info(4) & french::PronominalOnlyBit);
    EXPECT_EQ(info(0) & french::DefinitionRefMask, 0u);
    uint16_t second;
    std::memcpy(&second, db.verbNameIndex.data() + 2, 2);
    EXPECT_STREQ(reinterpret_cast<const char*>(db.infinitivePool.data() + second), "verbe1er");
}

// Definitions past the first pool's 17-bit offsets go to the second pool,
// marked by bit 20; definitionRef keeps its meaning in the pool it selects.
TEST_F(Sources, DefinitionsOverflowIntoTheSecondPool) {
    auto verbs = Verbs(600);
    std::map<std::string, dbc::Definition> defs;
    for (int i = 0; i < 600; ++i)
        defs["verbe" + std::to_string(i) + "er"] = {std::to_string(i) + std::string(240, 'x'), "p", "d"};
    const auto db = dbc::BuildDatabase(Models(), verbs, defs);
    EXPECT_LE(db.definitionPool.size(), french::DefinitionRefMask + 256u);
    ASSERT_FALSE(db.secondDefinitionPool.empty());
    int inSecond = 0;
    for (int i = 0; i < 600; ++i) {
        uint32_t info;
        std::memcpy(&info, db.verbInfoTable.data() + 4 * i, 4);
        const bool second = info & french::SecondDefinitionPoolBit;
        const auto& pool = second ? db.secondDefinitionPool : db.definitionPool;
        const uint32_t ref = info & french::DefinitionRefMask;
        ASSERT_GT(ref, 0u);
        ASSERT_LT(ref - 1, pool.size());
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(pool.data() + ref - 1)),
                  std::to_string(i) + std::string(240, 'x'));
        inSecond += second;
    }
    EXPECT_GT(inSecond, 0);
    EXPECT_LT(inSecond, 600);
}

TEST_F(Sources, RefusesWhatTheModuleCouldNotUse) {
    auto models = Models();
    EXPECT_THROW(dbc::BuildDatabase(models, Verbs(19), {}), dbc::DataError);  // too few verbs
    auto verbs = Verbs(20);
    verbs[0].model = 100;  // no such model
    EXPECT_THROW(dbc::BuildDatabase(models, verbs, {}), dbc::DataError);
    models.erase(50);  // a gap in the model numbers
    EXPECT_THROW(dbc::BuildDatabase(models, Verbs(20), {}), dbc::DataError);
    // The infinitive pool is addressed by 16-bit offsets.
    std::vector<dbc::Verb> many;
    for (int i = 0; i < 7000; ++i)
        many.push_back({"verbeassezlong" + std::to_string(i) + "er", 1, 0, false, false, "v"});
    EXPECT_THROW(dbc::BuildDatabase(Models(), many, {}), dbc::DataError);
}

// Bit 18 is "pronominal only", or "être first" in a kind with avoir/être
// variants; bit 19 limits a pronominal form, or marks the invariable
// participle of a kind-0 verb: a mark that would read as the other is refused.
TEST_F(Sources, MarksThatShareABitAreRefusedWhereTheyWouldReadAsTheOther) {
    const auto marked = dbc::ReadVerbFile(Write("v.txt", "entrer 1 1 +e\n"));
    ASSERT_EQ(marked.size(), 1u);
    EXPECT_TRUE(marked[0].etreFirst);
    auto verbs = Verbs(20);
    verbs[0].kind = 8;
    verbs[0].etreFirst = true;
    const auto db = dbc::BuildDatabase(Models(), verbs, {});
    uint32_t info;
    std::memcpy(&info, db.verbInfoTable.data(), 4);
    EXPECT_TRUE(info & french::EtreFirstBit);
    verbs[0].kind = 3;  // no variants to order
    EXPECT_THROW(dbc::BuildDatabase(Models(), verbs, {}), dbc::DataError);
    verbs[0] = {"verbe0er", 1, 1, false, true, "v"};  // pronominal-only with variants
    EXPECT_THROW(dbc::BuildDatabase(Models(), verbs, {}), dbc::DataError);
    // A reciprocal verb is a pronominal-only verb of kind 2.
    verbs[0] = {"verbe0er", 1, 3, false, true, "v"};
    verbs[0].reciprocal = true;
    std::memcpy(&info, dbc::BuildDatabase(Models(), verbs, {}).verbInfoTable.data(), 4);
    EXPECT_EQ((info >> french::KindShift) & french::KindMask, uint32_t(french::ReciprocalKind));
    EXPECT_TRUE(info & french::PronominalOnlyBit);
    verbs[0].kind = 4;  // the kind would be lost
    EXPECT_THROW(dbc::BuildDatabase(Models(), verbs, {}), dbc::DataError);

    verbs[0] = {"verbe0er", 1, 0, false, false, "v"};
    verbs[0].invariableParticiple = true;
    std::memcpy(&info, dbc::BuildDatabase(Models(), verbs, {}).verbInfoTable.data(), 4);
    EXPECT_TRUE(info & french::InvariableParticipleBit);
    verbs[0].kind = 3;  // a pronominal form: bit 19 would limit it
    EXPECT_THROW(dbc::BuildDatabase(Models(), verbs, {}), dbc::DataError);
    verbs[0] = {"verbe0er", 1, 0, false, false, "v"};
    verbs[0].pronominalSimpleTenses = true;  // no pronominal form to limit
    EXPECT_THROW(dbc::BuildDatabase(Models(), verbs, {}), dbc::DataError);
}

TEST_F(Sources, ParadigmPairs) {
    std::string text;
    for (int n = 0; n < 100; ++n) text += n == 31 ? "model 31 balayer\n  paradigms 87 88 I Y\n" : Block(n);
    std::map<int, dbc::Model> models;
    dbc::ReadModelFile(Write("m.txt", text), models);
    auto verbs = Verbs(20);
    verbs[0].model = 31;
    const auto db = dbc::BuildDatabase(models, verbs, {});
    uint16_t entries[4];
    std::memcpy(entries, db.modelTable.data() + 31 * french::ModelRecordSize + 4, sizeof entries);
    EXPECT_EQ(entries[0], 87);
    EXPECT_EQ(entries[1], 88);
    EXPECT_EQ(entries[2], 'I');
    EXPECT_EQ(entries[3], 'Y');
    verbs[0].model = 87;  // a paradigm is never a verb's own model
    EXPECT_THROW(dbc::BuildDatabase(models, verbs, {}), dbc::DataError);
}

}  // namespace
