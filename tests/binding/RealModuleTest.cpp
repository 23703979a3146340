// LanguageModule against the real French.ldl, when it has been built.
#include <algorithm>
#include <cstring>
#include <set>
#include <string_view>

#include "LanguageModule.h"
#include "TestSupport.h"

namespace {

class RealModule : public InTempDirectory {
protected:
    void SetUp() override {
        InTempDirectory::SetUp();
        if (!std::filesystem::exists(platform::ProgramDirectory() + "/French.ldl"))
            FAIL() << "French.ldl is built with the tests and must be beside them";
    }
};

}  // namespace

TEST_F(RealModule, AModuleWithAFlippedBitInItsDataIsRefusedAsDamaged) {
    // One bit flipped in the middle of each database blob, found in the file
    // by its bytes as the loaded module holds them.
    const std::string file = ReadFile(platform::ProgramDirectory() + "/French.ldl");
    platform::ModuleHandle whole = platform::LoadModule("French.ldl");
    ASSERT_NE(whole, nullptr);
    const ResourceDirectory* directory = platform::FindResourceDirectory(whole);
    ASSERT_NE(directory, nullptr);
    int flipped = 0;
    for (uint32_t i = 0; i < directory->count; ++i) {
        const ResourceEntry& blob = directory->entries[i];
        if (std::strcmp(blob.type, "PLIMO") != 0 || blob.size < 64) continue;
        const size_t at = file.find(std::string_view(static_cast<const char*>(blob.data), 64));
        ASSERT_NE(at, std::string::npos) << blob.id;
        std::string damaged = file;
        damaged[at + blob.size / 2] ^= 0x04;
        const std::string name = "Damaged" + std::to_string(blob.id) + ".ldl";
        WriteFile(dir_ / name, damaged);
        LanguageModule m;
        m.readOnlyDefinitions = true;
        EXPECT_FALSE(m.Load((dir_ / name).string())) << blob.id;
        EXPECT_NE(platform::LastErrorMessage().find("is damaged"), std::string::npos)
            << blob.id << ": " << platform::LastErrorMessage();
        EXPECT_EQ(m.Handle(), nullptr);
        ++flipped;
    }
    EXPECT_GE(flipped, 6);
    platform::FreeModule(whole);
}

TEST_F(RealModule, LoadsBindsAndConjugates) {
    LanguageModule m;
    ASSERT_TRUE(m.Load("French.ldl")) << platform::LastErrorMessage();
    EXPECT_EQ(m.definitionsPath, (dir_ / "French.txt").string());
    ASSERT_NE(m.moduleIcon, nullptr);
    EXPECT_STREQ(m.moduleIcon->type, "ICON");
    EXPECT_GT(m.moduleIcon->size, 6u);
    EXPECT_NE(platform::FindModuleResource(m.Handle(), "BITMAP", ModuleBitmapId), nullptr);
    EXPECT_STREQ(m.GetLanguage(), "French");
    EXPECT_STREQ(m.GetTenseName2(0), "Pr\xE9sent");
    EXPECT_EQ(m.GetTenseName(18), nullptr);
    EXPECT_STREQ(m.GetTabName(0), "Indicatif");

    int32_t count = m.GetVerbCount();
    ASSERT_GT(count, 20);
    EXPECT_EQ(m.GetVerb(count), nullptr);
    int32_t placer = m.FindVerbIndex("placer");
    ASSERT_GE(placer, 0);
    EXPECT_STREQ(m.GetVerb(placer), "placer");

    char buffer[FormSlotCount][FormBufferSize];
    char* forms[FormSlotCount];
    for (int i = 0; i < FormSlotCount; ++i) forms[i] = buffer[i];
    char labels[256] = {};
    bool hasAlternate = false, canBePronominal = false, useAlternate = false, pronominal = false;
    ASSERT_TRUE(m.ConjugateVerb(placer, false, &hasAlternate, &canBePronominal, &useAlternate, &pronominal,
                                labels, forms));
    EXPECT_STREQ(forms[0], "je place");
    EXPECT_STREQ(forms[InfinitiveSlot], "placer");

    ASSERT_TRUE(m.CanLookUpForms());
    const auto readings = m.LookupForm("fumes", IgnoreAccents);
    ASSERT_FALSE(readings.empty());
    EXPECT_EQ(readings[0].form, "tu fumes");  // the exact reading before the folded fûmes
    EXPECT_EQ(readings[0].slot, 1);
    bool etre = false;
    for (const auto& r : readings)
        etre |= r.infinitive == "\xEAtre" && r.slot == 15 && r.tense == 2 && r.word == "f\xFBmes" &&
                r.VerbIndex() == m.FindVerbIndex("\xEAtre") && (r.value & ResultFolded);
    EXPECT_TRUE(etre);
    m.Unload();
    EXPECT_FALSE(m.CanLookUpForms());
}

TEST_F(RealModule, TheVerbsMetFirstNestAndBeginWithTheCommonestVerbs) {
    LanguageModule m;
    m.readOnlyDefinitions = true;
    ASSERT_TRUE(m.Load("French.ldl")) << platform::LastErrorMessage();
    // The module ranks at least 1,000 verbs, so each choice below holds as
    // many verbs as it names.
    const size_t ranked = m.VerbsMetFirst(m.GetVerbCount()).size();
    ASSERT_GE(ranked, 1000u);
    std::vector<int32_t> shorter;
    for (int32_t tier : {50, 200, 1000}) {
        const std::vector<int32_t> verbs = m.VerbsMetFirst(tier);
        EXPECT_EQ(verbs.size(), std::min<size_t>(ranked, tier)) << tier;
        EXPECT_TRUE(std::equal(shorter.begin(), shorter.end(), verbs.begin())) << tier;  // the tiers nest
        const std::set<int32_t> distinct(verbs.begin(), verbs.end());
        EXPECT_EQ(distinct.size(), verbs.size()) << tier;
        EXPECT_TRUE(*distinct.begin() >= 0 && *distinct.rbegin() < m.GetVerbCount()) << tier;
        shorter = verbs;
    }
    std::set<std::string> first50;
    for (int32_t v : m.VerbsMetFirst(50)) first50.insert(m.GetVerb(v));
    for (const char* verb : {"\xEAtre", "avoir", "aller", "faire", "dire", "venir", "prendre"})
        EXPECT_TRUE(first50.count(verb)) << verb;
    EXPECT_EQ(m.GetVerb(m.VerbsMetFirst(1).at(0)), std::string("\xEAtre"));
}

TEST_F(RealModule, UserDefinitionsOverrideTheModulesAndArePersisted) {
    {
        LanguageModule m;
        ASSERT_TRUE(m.Load("French.ldl"));
        int32_t placer = m.FindVerbIndex("placer");
        ASSERT_GE(placer, 0);
        const char* own = m.GetEnglishDefinition(placer, false);
        std::string module = own ? own : "";
        ASSERT_TRUE(m.SetEnglishDefinition(placer, false, "to put in its place"));
        EXPECT_STREQ(m.GetEnglishDefinition(placer, false), "to put in its place");
        ASSERT_TRUE(m.SetEnglishDefinition(placer, false, ""));
        const char* back = m.GetEnglishDefinition(placer, false);
        EXPECT_EQ(back ? std::string(back) : "", module);
        m.SetEnglishDefinition(placer, true, "to take one's seat");
    }
    std::string text = ReadFile(dir_ / "French.txt");
    EXPECT_EQ(text.size(), DefinitionsHeaderLine.size() + 11 + 29);
    EXPECT_EQ(text.rfind(DefinitionsHeaderLine, 0), 0u);
    EXPECT_NE(text.find("\r\nplacer,0,\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nplacer,1,to take one's seat\r\n"), std::string::npos);
}
