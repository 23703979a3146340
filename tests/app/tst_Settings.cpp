// The settings: the registry layer on the settings store, what the program
// saves at the end of a run and finds again at the next start, and damaged
// settings files.
#include <QFile>
#include <QGuiApplication>
#include <QMdiArea>
#include <QScreen>
#include <QDir>
#include <QFileInfo>
#include <QTest>

#include "AppTestSupport.h"
#include "CFullScreen.h"
#include "CMainFrame.h"
#include "CTabbedScreen.h"
#include "CommandIds.h"
#include "DefinitionBar.h"
#include "FontRecord.h"
#include "PageTabCtrl.h"
#include "ProgramObjects.h"
#include "Registry.h"

namespace {

const std::string Key(settings::SettingsKey);
const std::string MainKey = Key + "\\Main Window";
std::string ChildKey(int n) { return Key + "\\Child " + std::to_string(n); }

// The store path of a registry path below the current user.
std::string StorePath(const std::string& path) {
    return path.substr(std::string("HKEY_CURRENT_USER\\").size());
}

void WriteChild(int n, StoredRect rect, uint32_t pos, const char* verb, uint32_t flags,
                const char* language = "French") {
    WriteChildRecord(ChildKey(n), rect, pos, language, verb, flags);
}

}  // namespace

// Each function starts and stops the program itself, to see what one run
// leaves to the next.
class SettingsTest : public RunningProgramTest {
    Q_OBJECT

public:
    SettingsTest() : RunningProgramTest(Start::WorkspaceOnly) {}

private slots:

    void registryLayer() {
        QVERIFY(!OpenKeyPath("HKEY_NOWHERE\\Software", true));
        QVERIFY(!OpenKeyPath("hkey_current_user\\Software", true));  // the root is case-sensitive
        QVERIFY(OpenKeyPath("HKEY_CURRENT_USER", false));
        QVERIFY(OpenKeyPath("\\HKEY_CURRENT_USER\\", false));
        QVERIFY(!OpenKeyPath("HKEY_CURRENT_USER\\Software\\Missing", false));
        QVERIFY(OpenKeyPath("HKEY_CURRENT_USER\\Software\\Made", true));
        QVERIFY(OpenKeyPath("HKEY_CURRENT_USER\\Software\\Made", false));
        const std::string longest = "HKEY_CURRENT_USER\\" + std::string(998 - 18, 'k');
        QVERIFY(OpenKeyPath(longest, true));
        QVERIFY(!OpenKeyPath(longest + "k", true));

        uint32_t number = 7;
        QVERIFY(WriteDword(Key, "Number", 42));
        QVERIFY(ReadDword(Key, "Number", number));
        QCOMPARE(number, 42u);
        QVERIFY(WriteString(Key, "Text", "abc"));
        QVERIFY(!WriteString(Key, "Text", nullptr));
        number = 7;
        QVERIFY(!ReadDword(Key, "Text", number));  // wrong type
        QCOMPARE(number, 7u);
        uint8_t four[4] = {1, 2, 3, 4};
        QVERIFY(WriteBinary(Key, "Bytes", four, 4));
        QVERIFY(!ReadDword(Key, "Bytes", number));
        uint8_t five[5] = {};
        QVERIFY(!ReadBinary(Key, "Bytes", five, 5));  // wrong size
        std::string text;
        QVERIFY(ReadString(Key, "Text", text));
        QCOMPARE(text, std::string("abc"));

        // Placement: all five values or nothing.
        StoredRect rect{1, 2, 3, 4};
        WritePlacement(MainKey, {10, -20, 300, 400}, PosMaximized);
        uint32_t pos = 0;
        QVERIFY(ReadPlacement(MainKey, rect, pos));
        QCOMPARE(rect.top, -20);
        QCOMPARE(pos, PosMaximized);
        SettingsRegistry().DeleteValue(StorePath(MainKey), "Pos");
        rect = {1, 2, 3, 4};
        QVERIFY(!ReadPlacement(MainKey, rect, pos));
        QCOMPARE(rect.left, 1);
        // A child record with a negative top comes back with top 0.
        WriteChild(0, {5, -20, 300, 200}, 0, "aimer", 1);
        std::string language, verb;
        uint32_t flags = 0;
        QVERIFY(ReadChildRecord(ChildKey(0), rect, pos, language, verb, flags));
        QCOMPARE(rect.top, 0);
        QCOMPARE(verb, std::string("aimer"));
        QCOMPARE(flags, 1u);
        QVERIFY(DeleteKey(Key, "Child 0"));
        QVERIFY(!OpenKeyPath(ChildKey(0), false));
    }

    void firstRunDefaults() {
        frame = StartFrame();
        QVERIFY(frame);
        QCOMPARE(VerbWindowList.size(), 1);
        QVERIFY(qobject_cast<CFullScreen*>(VerbWindowList[0]));
        QCOMPARE(VerbWindowList[0]->VerbIndex(), 0);
        QCOMPARE(VerbFont->family(), QStringLiteral("Arial"));
        QCOMPARE(VerbFont->pixelSize(), 16);  // 12 points at 96 dots per inch
        QCOMPARE(VerbTextColor, 0u);
        QVERIFY(frame->DefinitionBarShown());
        QVERIFY(frame->StatusBarShown());
        QVERIFY(frame->fullScreenLayout);
        StopFrame(frame);
        // Everything is written at the end of the run.
        QVERIFY(QFile::exists(workspace->SettingsFile()));
        uint32_t value = 9;
        QVERIFY(ReadDword(Key, "Number of Children", value));
        QCOMPARE(value, 1u);
        QVERIFY(ReadDword(Key, "English Bar", value));
        QCOMPARE(value, 1u);
        uint8_t record[60];
        QVERIFY(ReadBinary(Key, "Font", record, 60));
        QCOMPARE(FontRecord::FromBytes(record).height, -16);
        QCOMPARE(QByteArray(FontRecord::FromBytes(record).faceName.data()), QByteArray("Arial"));
        std::string path;
        QVERIFY(ReadString(settings::LanguageKey, "Path", path));
        QVERIFY(!path.empty() && path.back() != '/');
    }

    void windowsComeBackAsTheyWere() {
        frame = StartFrame();
        QVERIFY(frame);
        LanguageModule* module = frame->modules[0].get();
        CChildFrame* first = VerbWindowList[0];
        first->SetVerb(Monter);
        first->SetAlternate(1);
        first->setGeometry(10, 20, 500, 300);
        frame->fullScreenLayout = false;
        CChildFrame* second = frame->OpenVerbWindow(module, Asseoir, true, false);
        second->move(200, 150);
        frame->fullScreenLayout = true;
        CChildFrame* third = frame->OpenVerbWindow(module, Ressortir2, false, false);
        third->setGeometry(60, 70, 400, 250);
        frame->MdiArea()->setActiveSubWindow(second);  // active at the end
        QFont font(QStringLiteral("Liberation Serif"));
        font.setPixelSize(20);
        font.setItalic(true);
        frame->ApplyDisplayFont(font, 0x00112233);
        frame->OnCommand(IdEnglishDefinition);  // hide the definition bar
        frame->OnCommand(IdStatusBar);          // hide the status bar
        StopFrame(frame);

        uint32_t count = 0;
        QVERIFY(ReadDword(Key, "Number of Children", count));
        QCOMPARE(count, 3u);
        StoredRect rect;
        uint32_t pos = 0, flags = 0;
        std::string language, verb;
        QVERIFY(ReadChildRecord(ChildKey(0), rect, pos, language, verb, flags));
        QCOMPARE(verb, std::string("asseoir"));  // the active one first
        QCOMPARE(flags, 1u | ChildFlagTabbed);
        QCOMPARE(language, std::string("French"));

        frame = StartFrame();
        QVERIFY(frame);
        QCOMPARE(VerbWindowList.size(), 3);
        CChildFrame* active = frame->ActiveVerbWindow();
        // Each window in its layout, at its place, a tabbed one sized to its page.
        auto* tabbed = qobject_cast<CTabbedScreen*>(active);
        QVERIFY(tabbed);
        QCOMPARE(active->VerbIndex(), int(Asseoir));
        QVERIFY(active->IsPronominal());
        QCOMPARE(active->pos(), QPoint(200, 150));
        QCOMPARE(active->size(), tabbed->PageWindowSize());
        CChildFrame* monter = nullptr;
        CChildFrame* ressortir = nullptr;
        for (CChildFrame* w : VerbWindowList) {
            if (w->VerbIndex() == Monter) monter = w;
            if (w->VerbIndex() == Ressortir1) ressortir = w;
        }
        QVERIFY(monter && ressortir);  // the second "ressortir" comes back as the first
        QVERIFY(qobject_cast<CFullScreen*>(monter) && qobject_cast<CFullScreen*>(ressortir));
        QVERIFY(monter->UsesAlternate());
        QCOMPARE(monter->geometry(), QRect(10, 20, 500, 300));
        QCOMPARE(ressortir->geometry(), QRect(60, 70, 400, 250));
        QCOMPARE(VerbFont->family(), QStringLiteral("Liberation Serif"));
        QCOMPARE(VerbFont->pixelSize(), 20);
        QVERIFY(VerbFont->italic());
        QCOMPARE(VerbTextColor, 0x00112233u);
        QVERIFY(!frame->DefinitionBarShown());
        QVERIFY(!frame->DefinitionToolBar()->isVisible());
        QVERIFY(!frame->StatusBarShown());

        // A second run with fewer windows leaves no stale child key.
        const QList<CChildFrame*> open = VerbWindowList;
        open[0]->close();
        open[1]->close();
        ProcessEvents();
        StopFrame(frame);
        QVERIFY(ReadDword(Key, "Number of Children", count));
        QCOMPARE(count, 1u);
        QVERIFY(OpenKeyPath(ChildKey(0), false));
        QVERIFY(!OpenKeyPath(ChildKey(1), false));
        QVERIFY(!OpenKeyPath(ChildKey(2), false));
    }

    void minimisedAndMaximisedWindows() {
        WritePlacement(MainKey, {50, 60, 850, 660}, PosMaximized);
        WriteChild(0, {0, 0, 400, 300}, PosMaximized, "aimer", 0);
        WriteChild(1, {0, 0, 400, 300}, PosMinimized, "payer", 0);
        WriteDword(Key, "Number of Children", 2);
        CloseSettingsRegistry();
        frame = StartFrame();
        QVERIFY(frame);
        QVERIFY(frame->isMaximized());
        QCOMPARE(VerbWindowList.size(), 2);
        QVERIFY(VerbWindowList[0]->isMinimized());
        QVERIFY(VerbWindowList[1]->isMaximized());
        QCOMPARE(frame->ActiveVerbWindow(), VerbWindowList[1]);
        StopFrame(frame);
        uint32_t pos = 0;
        StoredRect rect;
        QVERIFY(ReadPlacement(MainKey, rect, pos));
        QCOMPARE(pos, PosMaximized);
        QCOMPARE(rect.left, 50);  // the restored rectangle
        QCOMPARE(rect.right, 850);
        // The maximised child keeps its restored rectangle too.
        std::string language, verb;
        uint32_t flags = 0;
        QVERIFY(ReadChildRecord(ChildKey(0), rect, pos, language, verb, flags));
        QCOMPARE(verb, std::string("aimer"));
        QCOMPARE(pos, PosMaximized);
        QCOMPARE(rect.right - rect.left, 400);
        QCOMPARE(rect.bottom - rect.top, 300);
    }

    void mainWindowIsClampedToTheScreen() {
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        WritePlacement(MainKey, {100, 10, 100 + 3000, 500}, 0);
        CloseSettingsRegistry();
        frame = StartFrame();
        QVERIFY(frame);
        QCOMPARE(frame->geometry().left(), 0);
        QCOMPARE(frame->geometry().width(), screen.width());
        StopFrame(frame);
        WritePlacement(MainKey, {screen.width() - 300, 10, screen.width() + 100, 400}, 0);
        CloseSettingsRegistry();
        frame = StartFrame();
        QCOMPARE(frame->geometry().left(), screen.width() - 400);
        QCOMPARE(frame->geometry().width(), 400);
    }

    void damagedSettingsFallBack_data() {
        QTest::addColumn<int>("damage");
        for (int i = 0; i < 9; ++i) QTest::newRow(qPrintable(QString::number(i))) << i;
    }
    void damagedSettingsFallBack() {
        QFETCH(int, damage);
        platform::SettingsStore& store = SettingsRegistry();
        const std::string key = StorePath(Key);
        uint8_t record[61] = {};
        FontRecord bad = FontRecord::Default();
        switch (damage) {
        case 0:
            store.SetBinary(key, "Font", record, 59);
            break;
        case 1:
            store.SetBinary(key, "Font", record, 61);
            break;
        case 2:
            store.SetString(key, "Font", "Arial");
            break;
        case 3:  // a face name without its NUL
            std::fill(bad.faceName.begin(), bad.faceName.end(), 'x');
            store.SetBinary(key, "Font", bad.ToBytes().data(), 60);
            break;
        case 4:  // an absurd height
            bad.height = -2000000000;
            store.SetBinary(key, "Font", bad.ToBytes().data(), 60);
            break;
        case 5:
            store.SetString(key, "Font Color", "red");
            store.SetBinary(key, "English Bar", record, 4);
            store.SetString(key, "Status Bar", "0");
            break;
        case 6:  // huge and negative rectangles, wrong types
            WritePlacement(MainKey, {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, 0);
            WriteChild(0, {INT32_MIN, -5, INT32_MAX, 100}, 0, "aimer", 0);
            WriteChild(1, {900000, 900000, 200, 100}, 0, "payer", 0);
            store.SetString(StorePath(ChildKey(2)), "Left", "0");
            WriteDword(Key, "Number of Children", 3);
            break;
        case 7:  // unknown verb and unknown language
            WriteChild(0, {0, 0, 300, 200}, 0, "parler", 0);
            WriteChild(1, {0, 0, 300, 200}, 0, "aimer", 0, "Klingon");
            WriteDword(Key, "Number of Children", 2);
            break;
        case 8:  // a count far beyond the records
            WriteDword(Key, "Number of Children", 0xFFFFFFFFu);
            WriteChild(5, {0, 0, 300, 200}, 0, "monter", 0);
            break;
        }
        CloseSettingsRegistry();
        frame = StartFrame();
        QVERIFY(frame);
        QVERIFY(!VerbWindowList.isEmpty());
        if (damage <= 4) {
            QCOMPARE(VerbFont->family(), QStringLiteral("Arial"));
            QCOMPARE(VerbFont->pixelSize(), 16);
        }
        if (damage == 5) {
            QCOMPARE(VerbTextColor, 0u);
            QVERIFY(frame->DefinitionBarShown());
            QVERIFY(frame->StatusBarShown());
        }
        if (damage == 6) {
            QCOMPARE(VerbWindowList.size(), 2);
            const QRect area = frame->MdiArea()->viewport()->rect();
            for (CChildFrame* w : VerbWindowList) QVERIFY(w->geometry().intersects(area));
            QVERIFY(frame->geometry().width() > 0 && frame->geometry().height() > 0);
        }
        if (damage == 7) {
            QCOMPARE(VerbWindowList.size(), 1);  // the default window
            QCOMPARE(VerbWindowList[0]->VerbIndex(), 0);
        }
        if (damage == 8) {
            QCOMPARE(VerbWindowList.size(), 1);
            QCOMPARE(VerbWindowList[0]->VerbIndex(), int(Monter));
        }
        StopFrame(frame);
        // The damaged keys are gone after the next save.
        QVERIFY(!OpenKeyPath(ChildKey(5), false));
    }

    void aThousandSavedChildren() {
        for (int i = 0; i < 1000; ++i)
            WriteChild(i, {(i % 20) * 10, (i % 15) * 10, (i % 20) * 10 + 300, (i % 15) * 10 + 200}, 0,
                       i % 2 ? "aimer" : "monter", uint32_t(i % 4));
        WriteDword(Key, "Number of Children", 1000);
        CloseSettingsRegistry();
        frame = StartFrame();
        QVERIFY(frame);
        QCOMPARE(VerbWindowList.size(), 1000);
        QCOMPARE(frame->ActiveVerbWindow()->VerbIndex(), int(Monter));  // child 0
        StopFrame(frame);
        uint32_t count = 0;
        QVERIFY(ReadDword(Key, "Number of Children", count));
        QCOMPARE(count, 1000u);
    }

    // A settings file that cannot be read is reported once at start and
    // left as it is at exit; a save that fails is reported.
    void unreadableOrUnsavableSettingsAreReported() {
        QDir().mkpath(workspace->SettingsFile());  // a folder in the file's place
        {
            MessageRecorder messages;
            frame = StartFrame();
            QVERIFY(frame);
            StopFrame(frame);
            QCOMPARE(messages.messages.size(), 1);
            QVERIFY(messages.messages[0].text.contains(QStringLiteral("cannot be read (it is a folder)")));
        }
        QVERIFY(QFileInfo(workspace->SettingsFile()).isDir());
        QDir(workspace->SettingsFile()).removeRecursively();

        // The folder of the settings file is a file: nothing can be saved.
        QFile::remove(QFileInfo(workspace->SettingsFile()).absolutePath());
        QDir(QFileInfo(workspace->SettingsFile()).absolutePath()).removeRecursively();
        {
            QFile blocker(QFileInfo(workspace->SettingsFile()).absolutePath());
            QVERIFY(blocker.open(QIODevice::WriteOnly));
        }
        MessageRecorder messages;
        frame = StartFrame();
        QVERIFY(frame);
        StopFrame(frame);
        QCOMPARE(messages.messages.size(), 1);
        QVERIFY(messages.messages[0].text.startsWith(QStringLiteral("Your settings could not be saved.")));
    }
};

QTEST_MAIN(SettingsTest)
#include "tst_Settings.moc"
