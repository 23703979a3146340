// LanguageModule against the fake modules built beside the tests.
#include <sys/resource.h>
#include <sys/stat.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <functional>
#include <vector>

#include "LanguageModule.h"
#include "TestSupport.h"
#include "platform/CallbackMessageTarget.h"

namespace {

using Binding = InTempDirectory;

bool AnyEntryPointBound(const LanguageModule& m) {
    const LanguageModuleEntryPoints& e = m.EntryPoints();
    return e.GetVerb || e.GetVerbCount || e.GetTenseName || e.ConjugateVerb || e.Find || e.FreeSearchPtr ||
           e.GetTenseName2 || e.SetSearchProgressHwnd || e.GetEnglishDefinition || e.GetLanguageVersion ||
           e.GetQuestion || e.GetLanguage || e.GetTabName;
}

bool AllEntryPointsBound(const LanguageModule& m) {
    const LanguageModuleEntryPoints& e = m.EntryPoints();
    return e.GetVerb && e.GetVerbCount && e.GetTenseName && e.ConjugateVerb && e.Find && e.FreeSearchPtr &&
           e.GetTenseName2 && e.SetSearchProgressHwnd && e.GetEnglishDefinition && e.GetLanguageVersion &&
           e.GetQuestion && e.GetLanguage && e.GetTabName;
}

}  // namespace

TEST_F(Binding, AnUnboundObjectAnswersNullZeroOrFalse) {
    LanguageModule m;
    EXPECT_FALSE(m.IsBound());
    EXPECT_FALSE(AnyEntryPointBound(m));
    EXPECT_EQ(m.moduleIcon, nullptr);
    EXPECT_EQ(m.moduleNumber, 0);
    EXPECT_EQ(m.DefinitionsChanged(), false);
    EXPECT_TRUE(m.definitionsPath.empty());
    EXPECT_EQ(m.GetVerbCount(), 0);
    EXPECT_EQ(m.GetVerb(0), nullptr);
    EXPECT_EQ(m.GetTenseName(0), nullptr);
    EXPECT_EQ(m.GetTenseName2(0), nullptr);
    EXPECT_EQ(m.GetTabName(0), nullptr);
    EXPECT_EQ(m.GetLanguage(), nullptr);
    EXPECT_EQ(m.GetEnglishDefinition(0, false), nullptr);
    EXPECT_EQ(m.FindVerbIndex("placer"), -1);
    EXPECT_FALSE(m.SetEnglishDefinition(0, false, "x"));
    EXPECT_EQ(m.DefinitionsChanged(), false);
    char buffer[FormSlotCount][FormBufferSize];
    char* forms[FormSlotCount];
    for (int i = 0; i < FormSlotCount; ++i) forms[i] = buffer[i];
    bool a = false, p = false, u = false, r = false;
    EXPECT_FALSE(m.ConjugateVerb(0, false, &a, &p, &u, &r, nullptr, forms));
    SearchResultList* untouched = reinterpret_cast<SearchResultList*>(&buffer);
    m.Find("a", SearchForms, &untouched);
    EXPECT_EQ(untouched, reinterpret_cast<SearchResultList*>(&buffer));
    m.FreeSearchPtr(nullptr);
    m.SetSearchProgressHwnd(nullptr);
    EXPECT_TRUE(m.SaveDefinitions());  // nothing to save
    m.Unload();
}

TEST_F(Binding, LoadBindsEveryEntryPointReadsTheIconAndCreatesNoDefinitionsFile) {
    LanguageModule m;
    ASSERT_TRUE(m.Load("FakeFull.ldl")) << platform::LastErrorMessage();
    EXPECT_TRUE(m.IsBound());
    EXPECT_TRUE(AllEntryPointsBound(m));
    ASSERT_NE(m.moduleIcon, nullptr);
    EXPECT_STREQ(m.moduleIcon->type, "ICON");
    EXPECT_EQ(m.moduleIcon->id, ModuleIconId);
    EXPECT_NE(platform::FindModuleResource(m.Handle(), "BITMAP", ModuleBitmapId), nullptr);

    EXPECT_EQ(m.definitionsPath, (dir_ / "FakeFull.txt").string());
    EXPECT_EQ(m.DefinitionsChanged(), false);

    EXPECT_EQ(m.GetVerbCount(), 5);
    EXPECT_STREQ(m.GetVerb(1), "placer");
    EXPECT_EQ(m.GetVerb(5), nullptr);
    EXPECT_EQ(m.GetVerb(-1), nullptr);
    EXPECT_STREQ(m.GetLanguage(), "Fake");
    EXPECT_STREQ(m.GetTenseName(0), "\\bluePr\xE9sent");
    EXPECT_STREQ(m.GetTenseName2(0), "Pr\xE9sent");
    EXPECT_EQ(m.GetTenseName2(18), nullptr);
    EXPECT_STREQ(m.GetTabName(3), "Conditionnel/Participe");
    // LookupForm is optional: this module has none and loads all the same.
    EXPECT_FALSE(m.CanLookUpForms());
    EXPECT_TRUE(m.LookupForm("place", 0).empty());
    // So is GetVerbRank: no ranking, no verbs met first.
    EXPECT_FALSE(m.CanRankVerbs());
    EXPECT_TRUE(m.VerbsMetFirst(50).empty());

    m.Unload();
    EXPECT_FALSE(m.IsBound());
    EXPECT_FALSE(AnyEntryPointBound(m));
    EXPECT_EQ(m.moduleIcon, nullptr);
    EXPECT_EQ(m.GetVerbCount(), 0);
    // Nothing was stored, so no file was made.
    EXPECT_FALSE(std::filesystem::exists(dir_ / "FakeFull.txt"));
}

TEST_F(Binding, AModuleLackingAnyOneEntryPointIsRejected) {
    for (const char* name : EntryPointNames) {
        std::string file = std::string("FakeNo") + name + ".ldl";
        std::string definitions = std::string("FakeNo") + name + ".txt";
        WriteFile(definitions, DefinitionsHeaderLine + "placer,0,to put\r\nno comma\r\n");
        LanguageModule m;
        EXPECT_FALSE(m.Load(file)) << file;
        EXPECT_EQ(platform::LastErrorCode(), ENOSYS) << file;
        EXPECT_NE(platform::LastErrorMessage().find(name), std::string::npos) << file;
        EXPECT_FALSE(m.IsBound()) << file;
        EXPECT_FALSE(AnyEntryPointBound(m)) << file;
        EXPECT_EQ(m.moduleIcon, nullptr) << file;
        EXPECT_EQ(m.GetVerbCount(), 0) << file;
        // The definitions were read, and the file is left exactly as it was.
        EXPECT_EQ(m.UserDefinitions().at("placer0"), "to put");
        EXPECT_EQ(m.DefinitionsChanged(), true);
        EXPECT_EQ(ReadFile(definitions), DefinitionsHeaderLine + "placer,0,to put\r\nno comma\r\n") << file;
    }
}

TEST_F(Binding, AFileThatIsNoLibraryOrIsMissingIsRejectedKeepingTheDefinitions) {
    {
        WriteFile("NotALibrary.txt", DefinitionsHeaderLine + "placer,1,to take one's place");
        LanguageModule m;
        EXPECT_FALSE(m.Load("NotALibrary.ldl"));
        EXPECT_EQ(platform::LastErrorCode(), ENOEXEC);
        EXPECT_FALSE(platform::LastErrorMessage().empty());
        EXPECT_FALSE(AnyEntryPointBound(m));
        EXPECT_EQ(m.UserDefinitions().at("placer1"), "to take one's place");
    }
    // Nothing was changed, so nothing was written.
    EXPECT_EQ(ReadFile("NotALibrary.txt"), DefinitionsHeaderLine + "placer,1,to take one's place");

    LanguageModule missing;
    EXPECT_FALSE(missing.Load("NoSuchModule.ldl"));
    EXPECT_EQ(platform::LastErrorCode(), ENOENT);
    EXPECT_FALSE(std::filesystem::exists("NoSuchModule.txt"));
}

TEST_F(Binding, FindVerbIndexFindsTheFirstExactMatch) {
    LanguageModule m;
    ASSERT_TRUE(m.Load("FakeFull.ldl"));
    EXPECT_EQ(m.FindVerbIndex("abaisser"), 0);
    EXPECT_EQ(m.FindVerbIndex("saillir"), 2);  // index 3 has the same name
    EXPECT_EQ(m.FindVerbIndex("aller"), 4);
    EXPECT_EQ(m.FindVerbIndex("Aller"), -1);
    EXPECT_EQ(m.FindVerbIndex("alle"), -1);
    EXPECT_EQ(m.FindVerbIndex(""), -1);
}

TEST_F(Binding, TheUsersDefinitionComesFirst) {
    LanguageModule m;
    ASSERT_TRUE(m.Load("FakeFull.ldl"));
    EXPECT_STREQ(m.GetEnglishDefinition(0, false), "to lower");
    EXPECT_STREQ(m.GetEnglishDefinition(0, true), "to be lowered");
    EXPECT_STREQ(m.GetEnglishDefinition(1, true), "");     // module: plain only
    EXPECT_EQ(m.GetEnglishDefinition(4, false), nullptr);  // module: none
    EXPECT_EQ(m.GetEnglishDefinition(5, false), nullptr);
    EXPECT_EQ(m.GetEnglishDefinition(-1, false), nullptr);

    ASSERT_TRUE(m.SetEnglishDefinition(0, true, "to stoop"));
    EXPECT_EQ(m.DefinitionsChanged(), true);
    EXPECT_STREQ(m.GetEnglishDefinition(0, true), "to stoop");
    EXPECT_STREQ(m.GetEnglishDefinition(0, false), "to lower");  // the other key

    // Equal infinitives keep definitions of their own.
    ASSERT_TRUE(m.SetEnglishDefinition(2, false, "to gush"));
    EXPECT_STREQ(m.GetEnglishDefinition(2, false), "to gush");
    EXPECT_EQ(m.GetEnglishDefinition(3, false), nullptr);

    // The text of a user definition is overwritten by the next one.
    const char* first = m.GetEnglishDefinition(0, true);
    std::string copy = first;
    m.GetEnglishDefinition(2, false);
    EXPECT_STREQ(first, "to gush");
    EXPECT_EQ(copy, "to stoop");

    // An empty definition brings back the module's own.
    ASSERT_TRUE(m.SetEnglishDefinition(0, true, ""));
    EXPECT_STREQ(m.GetEnglishDefinition(0, true), "to be lowered");
    EXPECT_EQ(m.UserDefinitions().at("abaisser1"), "");

    EXPECT_FALSE(m.SetEnglishDefinition(5, false, "x"));
    EXPECT_FALSE(m.SetEnglishDefinition(-1, false, "x"));
    EXPECT_EQ(m.UserDefinitions().count("5"), 0u);
}

TEST_F(Binding, ADefinitionIsAlwaysOneLine) {
    LanguageModule m;
    ASSERT_TRUE(m.Load("FakeFull.ldl"));
    ASSERT_TRUE(m.SetEnglishDefinition(1, false, std::string("to put\r\nto set\nto lay\rto\0pose", 29)));
    EXPECT_STREQ(m.GetEnglishDefinition(1, false), "to put to set to lay to pose");
    m.Unload();
    LanguageModule again;
    ASSERT_TRUE(again.Load("FakeFull.ldl"));
    EXPECT_STREQ(again.GetEnglishDefinition(1, false), "to put to set to lay to pose");
    EXPECT_EQ(again.UserDefinitions().size(), 1u);
}

TEST_F(Binding, DefinitionsSurviveARestartInTheFileFormat) {
    {
        LanguageModule m;
        ASSERT_TRUE(m.Load("FakeFull.ldl"));
        m.SetEnglishDefinition(0, false, "to pull down, to humble");
        m.SetEnglishDefinition(1, true, "to take one's place \xE0 table");
        m.SetEnglishDefinition(4, false, "");  // nothing was stored: no change
    }
    std::string text = ReadFile(dir_ / "FakeFull.txt");
    EXPECT_EQ(text.rfind(DefinitionsHeaderLine, 0), 0u);
    EXPECT_NE(text.find("\r\nabaisser,0,to pull down, to humble\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nplacer,1,to take one's place \xE0 table\r\n"), std::string::npos);
    EXPECT_EQ(text.find("aller"), std::string::npos);
    // Every line ends in CR LF and nothing else.
    size_t lines = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            EXPECT_EQ(text[i - 1], '\r');
            ++lines;
        }
    }
    EXPECT_EQ(lines, 3u);
    EXPECT_EQ(text.back(), '\n');

    LanguageModule m;
    ASSERT_TRUE(m.Load("FakeFull.ldl"));
    EXPECT_EQ(m.DefinitionsChanged(), true);
    EXPECT_EQ(m.UserDefinitions().size(), 2u);
    EXPECT_STREQ(m.GetEnglishDefinition(0, false), "to pull down, to humble");
    EXPECT_EQ(m.GetEnglishDefinition(4, false), nullptr);
}

TEST_F(Binding, AFileWithOnlyIgnoredLinesLeavesDefinitionsUnchanged) {
    WriteFile("FakeFull.txt", DefinitionsHeaderLine + "abaisser\r\nplacer,0,\r\n");
    LanguageModule m;
    ASSERT_TRUE(m.Load("FakeFull.ldl"));
    EXPECT_EQ(m.DefinitionsChanged(), false);
    EXPECT_TRUE(m.UserDefinitions().empty());
}

TEST_F(Binding, AFailedSaveReportsFailureAndKeepsThePreviousFile) {
    LanguageModule m;
    ASSERT_TRUE(m.Load("FakeFull.ldl"));
    m.SetEnglishDefinition(0, false, "to lower");
    ASSERT_TRUE(m.SaveDefinitions());
    std::string before = ReadFile("FakeFull.txt");

    // Let the disk "fill up": no file may grow past 4 KiB.
    m.SetEnglishDefinition(1, false, std::string(64 * 1024, 'x'));
    struct rlimit saved;
    getrlimit(RLIMIT_FSIZE, &saved);
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &small);
    bool saved_ok = m.SaveDefinitions();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(saved_ok);
    EXPECT_EQ(platform::LastErrorCode(), EFBIG);
    EXPECT_EQ(ReadFile("FakeFull.txt"), before);
    // No temporary file was left behind.
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir_)) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 1);

    m.definitionsPath = (dir_ / "missing" / "FakeFull.txt").string();
    EXPECT_FALSE(m.SaveDefinitions());
    m.definitionsPath = (dir_ / "FakeFull.txt").string();
}

TEST_F(Binding, TheDefinitionsFileBelongsToTheCurrentDirectory) {
    std::filesystem::create_directory("one");
    std::filesystem::create_directory("two");
    WriteFile("one/FakeFull.txt", DefinitionsHeaderLine + "placer,0,from one\r\n");
    WriteFile("two/FakeFull.txt", DefinitionsHeaderLine + "placer,0,from two\r\n");
    std::filesystem::current_path("one");
    LanguageModule a;
    ASSERT_TRUE(a.Load("FakeFull.ldl"));
    std::filesystem::current_path("../two");
    LanguageModule b;
    ASSERT_TRUE(b.Load("FakeFull.ldl"));  // the same module, found beside the program
    EXPECT_STREQ(a.GetEnglishDefinition(1, false), "from one");
    EXPECT_STREQ(b.GetEnglishDefinition(1, false), "from two");
    EXPECT_EQ(a.definitionsPath, (dir_ / "one" / "FakeFull.txt").string());
    std::filesystem::current_path(dir_);
}

TEST_F(Binding, CallsAreForwardedUnchanged) {
    LanguageModule m;
    ASSERT_TRUE(m.Load("FakeFull.ldl"));
    char buffer[FormSlotCount][FormBufferSize];
    char* forms[FormSlotCount];
    for (int i = 0; i < FormSlotCount; ++i) forms[i] = buffer[i];
    char labels[256] = {};
    bool hasAlternate = false, canBePronominal = false, useAlternate = true, pronominal = true;
    ASSERT_TRUE(m.ConjugateVerb(4, false, &hasAlternate, &canBePronominal, &useAlternate, &pronominal, labels,
                                forms));
    EXPECT_TRUE(hasAlternate);
    EXPECT_TRUE(canBePronominal);
    EXPECT_STREQ(labels, "A");
    EXPECT_STREQ(labels + 2, "E");
    EXPECT_STREQ(forms[0], "se 0 aller (E)");
    EXPECT_STREQ(forms[InfinitiveSlot], "s'en aller");
    EXPECT_FALSE(m.ConjugateVerb(5, false, &hasAlternate, &canBePronominal, &useAlternate, &pronominal,
                                 labels, forms));

    std::vector<uintptr_t> progress;
    platform::CallbackMessageTarget window([&](uint32_t message, uintptr_t wParam, intptr_t) {
        if (message == WM_USER) progress.push_back(wParam);
        return intptr_t{0};
    });
    m.SetSearchProgressHwnd(window.handle());
    SearchResultList* list = nullptr;
    m.Find("ll", SearchForms, &list);
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count, 3);  // saillir, saillir, aller
    EXPECT_STREQ(list->texts[2], "aller\taller\t17");
    EXPECT_EQ(list->values[2], 4);
    EXPECT_EQ(progress, (std::vector<uintptr_t>{0, 100}));
    m.FreeSearchPtr(list);
    m.SetSearchProgressHwnd(nullptr);
}

TEST_F(Binding, StartUpLoadsTheListAndReportsTheFirstFailure) {
    EXPECT_EQ(LanguageModuleFileNames(), std::vector<std::string>{"French.ldl"});

    LanguageModuleLoadResult good = LoadLanguageModules({"FakeFull.ldl", "FakeFull.ldl"});
    ASSERT_TRUE(good.ok);
    ASSERT_EQ(good.modules.size(), 2u);
    EXPECT_EQ(good.modules[0]->moduleNumber, 0);
    EXPECT_EQ(good.modules[1]->moduleNumber, 1);
    EXPECT_TRUE(good.errorText.empty());
    good.modules.clear();

    LanguageModuleLoadResult bad = LoadLanguageModules({"FakeFull.ldl", "FakeNoGetTabName.ldl"});
    EXPECT_FALSE(bad.ok);
    EXPECT_TRUE(bad.modules.empty());
    EXPECT_EQ(bad.errorCode, ENOSYS);
    EXPECT_EQ(bad.errorText, "Could not load language module. Error #" + std::to_string(ENOSYS));
    EXPECT_NE(bad.loaderMessage.find("GetTabName"), std::string::npos);
    // Both modules were destroyed, and neither made a definitions file.
    EXPECT_FALSE(std::filesystem::exists("FakeFull.txt"));
    EXPECT_FALSE(std::filesystem::exists("FakeNoGetTabName.txt"));

    LanguageModuleLoadResult missing = LoadLanguageModules({"Nowhere.ldl"});
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.errorText, "Could not load language module. Error #" + std::to_string(ENOENT));

    LanguageModuleLoadResult none = LoadLanguageModules({});
    EXPECT_FALSE(none.ok);
    EXPECT_TRUE(none.errorText.empty());
}

TEST_F(Binding, LoadingTwiceReleasesTheFirstModule) {
    LanguageModule m;
    ASSERT_TRUE(m.Load("FakeFull.ldl"));
    m.SetEnglishDefinition(0, false, "kept");
    ASSERT_TRUE(m.Load("FakeFull.ldl"));
    EXPECT_TRUE(AllEntryPointsBound(m));
    EXPECT_STREQ(m.GetEnglishDefinition(0, false), "kept");
}

TEST_F(Binding, AReadOnlyObjectNeverCreatesOrWritesTheFile) {
    {
        LanguageModule m;
        m.readOnlyDefinitions = true;
        ASSERT_TRUE(m.Load("FakeFull.ldl"));
        m.SetEnglishDefinition(0, false, "only in memory");
        EXPECT_FALSE(m.SaveDefinitions());
    }
    EXPECT_FALSE(std::filesystem::exists("FakeFull.txt"));
    WriteFile("FakeFull.txt", DefinitionsHeaderLine + "placer,0,to put");
    LanguageModule m;
    m.readOnlyDefinitions = true;
    ASSERT_TRUE(m.Load("FakeFull.ldl"));
    EXPECT_STREQ(m.GetEnglishDefinition(1, false), "to put");
    m.Unload();
    EXPECT_EQ(ReadFile("FakeFull.txt"), DefinitionsHeaderLine + "placer,0,to put");
}

TEST_F(Binding, AnExistingFileThatCannotBeReadIsNeverOverwritten) {
    // A folder where the file should be: it cannot be read, and saving says why.
    std::filesystem::create_directory("FakeFull.txt");
    {
        LanguageModule m;
        ASSERT_TRUE(m.Load("FakeFull.ldl"));
        EXPECT_TRUE(m.UserDefinitions().empty());
        m.SetEnglishDefinition(0, false, "edited");
        EXPECT_FALSE(m.SaveDefinitions());
        EXPECT_EQ(platform::LastErrorCode(), EISDIR);
        EXPECT_EQ(m.DefinitionsSaveError(), "it is a folder");
    }
    EXPECT_TRUE(std::filesystem::is_directory("FakeFull.txt"));
    std::filesystem::remove("FakeFull.txt");

    // A file without read permission keeps its definitions (root reads
    // anything, so this half needs an ordinary user).
    if (geteuid() != 0) {
        WriteFile("FakeFull.txt", DefinitionsHeaderLine + "placer,0,precious\r\n");
        std::filesystem::permissions("FakeFull.txt", std::filesystem::perms::owner_write);
        {
            LanguageModule m;
            ASSERT_TRUE(m.Load("FakeFull.ldl"));
            m.SetEnglishDefinition(1, false, "edited");
            EXPECT_FALSE(m.SaveDefinitions());
            EXPECT_EQ(platform::LastErrorCode(), EACCES);
            m.DiscardDefinitionChanges();
        }
        std::filesystem::permissions("FakeFull.txt", std::filesystem::perms::owner_all);
        EXPECT_EQ(ReadFile("FakeFull.txt"), DefinitionsHeaderLine + "placer,0,precious\r\n");
    }

    // Once the file is readable again, the next Load saves normally.
    LanguageModule m;
    ASSERT_TRUE(m.Load("FakeFull.ldl"));
    m.SetEnglishDefinition(1, false, "edited");
    EXPECT_TRUE(m.SaveDefinitions());
}

// Whatever stands where the definitions file belongs (a named pipe, a link to
// a device, a huge file), Load neither waits nor reads it, says why, and the
// thing is left as it was.
TEST_F(Binding, OnlyARegularFileOfSaneSizeIsReadAsDefinitions) {
    struct Case {
        const char* what;
        std::function<void()> make;
        const char* reason;
    };
    const std::vector<Case> cases = {
        {"named pipe", [] { ASSERT_EQ(mkfifo("FakeFull.txt", 0600), 0); }, "not a regular file"},
        {"link to /dev/zero", [] { std::filesystem::create_symlink("/dev/zero", "FakeFull.txt"); },
         "not a regular file"},
        {"17 MB file",
         [] {
             WriteFile("FakeFull.txt", "x");
             std::filesystem::resize_file("FakeFull.txt", 17 << 20);
         },
         "larger than 16 MB"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.make();
        const auto type = std::filesystem::symlink_status("FakeFull.txt").type();
        {
            LanguageModule m;
            ASSERT_TRUE(m.Load("FakeFull.ldl"));
            EXPECT_TRUE(m.UserDefinitions().empty());
            EXPECT_NE(m.DefinitionsReadError().find(c.reason), std::string::npos) << m.DefinitionsReadError();
            m.SetEnglishDefinition(0, false, "edited");
            EXPECT_FALSE(m.SaveDefinitions());
        }
        EXPECT_EQ(std::filesystem::symlink_status("FakeFull.txt").type(), type);
        std::filesystem::remove("FakeFull.txt");
    }
    LanguageModule m;
    ASSERT_TRUE(m.Load("FakeFull.ldl"));
    EXPECT_EQ(m.DefinitionsReadError(), "");
}

// The second of two verbs spelled alike keeps a definition of its own, under
// a key that readers not knowing it keep as an unknown verb.
TEST_F(Binding, VerbsSpelledAlikeHaveDefinitionsOfTheirOwn) {
    {
        LanguageModule m;
        ASSERT_TRUE(m.Load("FakeFull.ldl"));
        ASSERT_STREQ(m.GetVerb(2), m.GetVerb(3));
        EXPECT_TRUE(m.SetEnglishDefinition(3, false, "(of a male animal) to cover"));
        EXPECT_STREQ(m.GetEnglishDefinition(2, false), "to jut out");
        EXPECT_STREQ(m.GetEnglishDefinition(3, false), "(of a male animal) to cover");
        EXPECT_EQ(m.UserDefinitionKey(2, true), "saillir1");
        EXPECT_EQ(m.UserDefinitionKey(3, true), "saillir#21");
    }
    EXPECT_NE(ReadFile("FakeFull.txt").find("\r\nsaillir#2,0,(of a male animal) to cover\r\n"),
              std::string::npos);
    LanguageModule again;
    ASSERT_TRUE(again.Load("FakeFull.ldl"));
    EXPECT_STREQ(again.GetEnglishDefinition(3, false), "(of a male animal) to cover");
    EXPECT_STREQ(again.GetEnglishDefinition(2, false), "to jut out");
}

// Two Plimos, a hand edit between their saves, in both orders: each save
// carries over what the others wrote and changes only its own definitions.
TEST_F(Binding, SavesMergeWithWhatTheFileHoldsNow) {
    for (bool firstSavesFirst : {true, false}) {
        SCOPED_TRACE(firstSavesFirst ? "first saves first" : "second saves first");
        WriteFile("FakeFull.txt", DefinitionsHeaderLine + "abaisser,1,to stoop\r\n");
        LanguageModule one, two, idle;
        ASSERT_TRUE(one.Load("FakeFull.ldl"));
        ASSERT_TRUE(two.Load("FakeFull.ldl"));
        ASSERT_TRUE(idle.Load("FakeFull.ldl"));
        one.SetEnglishDefinition(1, false, "to set");
        two.SetEnglishDefinition(4, false, "to go");
        LanguageModule& early = firstSavesFirst ? one : two;
        LanguageModule& late = firstSavesFirst ? two : one;
        ASSERT_TRUE(early.SaveDefinitions());
        WriteFile("FakeFull.txt", ReadFile("FakeFull.txt") + "abaisser,0,by hand\r\n");
        ASSERT_TRUE(late.SaveDefinitions());
        idle.Unload();  // no edits: writes nothing
        const std::string text = ReadFile("FakeFull.txt");
        for (const char* line : {"abaisser,1,to stoop\r\n", "placer,0,to set\r\n", "aller,0,to go\r\n",
                                 "abaisser,0,by hand\r\n"})
            EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;
        // The later saver now shows the others' definitions too.
        EXPECT_STREQ(late.GetEnglishDefinition(0, false), "by hand");
        std::filesystem::remove("FakeFull.txt");
    }
}

// Files that are not definitions files, or links to them, are never
// replaced; the user's edits stay in memory, and Save As keeps them.
TEST_F(Binding, AFileThatIsNotADefinitionsFileIsNeverWritten) {
    const std::string notes =
        "Mes notes de fran\xE7"
        "ais\nbonjour = hello\nJe dois r\xE9viser: le subjonctif, le pass\xE9 simple\n";
    WriteFile("bashrc", "# ~/.bashrc\nexport PATH=$HOME/bin:$PATH\n");
    for (bool link : {false, true}) {
        SCOPED_TRACE(link ? "link to another file" : "notes");
        if (link)
            std::filesystem::create_symlink("bashrc", "FakeFull.txt");
        else
            WriteFile("FakeFull.txt", notes);
        const std::string target = link ? "bashrc" : "FakeFull.txt";
        const std::string before = ReadFile(target);
        {
            LanguageModule m;
            ASSERT_TRUE(m.Load("FakeFull.ldl"));
            m.Unload();
            EXPECT_EQ(ReadFile(target), before);  // no edit: no write
            ASSERT_TRUE(m.Load("FakeFull.ldl"));
            m.SetEnglishDefinition(1, false, "to put");
            EXPECT_FALSE(m.SaveDefinitions());
            EXPECT_NE(m.DefinitionsSaveError().find("not a definitions file"), std::string::npos);
            EXPECT_TRUE(m.HasUnsavedDefinitions());
            ASSERT_TRUE(m.SaveDefinitionsAs("elsewhere.txt"));
            EXPECT_EQ(m.definitionsPath, (dir_ / "elsewhere.txt").string());
        }
        EXPECT_EQ(ReadFile(target), before);
        EXPECT_EQ(ReadFile("elsewhere.txt"), DefinitionsHeaderLine + "placer,0,to put\r\n");
        std::filesystem::remove("FakeFull.txt");
        std::filesystem::remove("elsewhere.txt");
    }
    // A link that points at itself is reported at start, not at the first save.
    std::filesystem::create_symlink("FakeFull.txt", "FakeFull.txt");
    LanguageModule m;
    ASSERT_TRUE(m.Load("FakeFull.ldl"));
    EXPECT_NE(m.DefinitionsReadError().find("symbolic links"), std::string::npos) << m.DefinitionsReadError();
}

// The writer never makes a file the reader refuses.
TEST_F(Binding, ASaveThatWouldPassTheSizeLimitIsRefused) {
    const std::string big =
        DefinitionsHeaderLine + "big,0," + std::string(MaxDefinitionsFileSize - 100, 'w') + "\n";
    WriteFile("FakeFull.txt", big);
    LanguageModule m;
    ASSERT_TRUE(m.Load("FakeFull.ldl"));
    m.SetEnglishDefinition(1, false, std::string(200, 'p'));
    EXPECT_FALSE(m.SaveDefinitions());
    EXPECT_NE(m.DefinitionsSaveError().find("larger than 16 MB"), std::string::npos);
    EXPECT_EQ(ReadFile("FakeFull.txt").size(), big.size());
    m.SetEnglishDefinition(1, false, "to put");
    EXPECT_TRUE(m.SaveDefinitions());
    m.DiscardDefinitionChanges();
}
