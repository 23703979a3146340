// LanguageModule against the real French.ldl, when it has been built.
#include <cstring>

#include "LanguageModule.h"
#include "TestSupport.h"

namespace {

class RealModule : public InTempDirectory {
protected:
    void SetUp() override {
        InTempDirectory::SetUp();
        if (!std::filesystem::exists(platform::ProgramDirectory() + "/French.ldl"))
            GTEST_SKIP() << "French.ldl has not been built";
    }
};

}  // namespace

TEST_F(RealModule, LoadsBindsAndConjugates) {
    LanguageModule m;
    ASSERT_TRUE(m.Load("French.ldl")) << platform::LastErrorMessage();
    EXPECT_EQ(m.definitionsPath, (dir_ / "French.txt").string());
    ASSERT_NE(m.moduleIcon, nullptr);
    EXPECT_STREQ(m.moduleIcon->type, "ICON");
    EXPECT_GT(m.moduleIcon->size, 6u);
    EXPECT_NE(platform::FindModuleResource(m.moduleHandle, "BITMAP", ModuleBitmapId), nullptr);
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
    ASSERT_TRUE(m.ConjugateVerb(placer, false, &hasAlternate, &canBePronominal, &useAlternate,
                                &pronominal, labels, forms));
    EXPECT_STREQ(forms[0], "je place");
    EXPECT_STREQ(forms[InfinitiveSlot], "placer");
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
