#include "support/ProgramFixture.h"

#include <filesystem>

using namespace fw;
using fwtest::ProgramFixture;

namespace {

using OpenClose = ProgramFixture;

struct VersionCase {
    const char* version;
    const char* scriptsFolder;  // under the first volume; nullptr: no default scripts folder
};

// Illustrator's scripts folder of every release, on a first volume at
// `volume`, which becomes Volume 0.
void LayOutFirstVolume(const std::string& volume)
{
    for (const char* release : {"CS4", "CS3", "CS2", "CS"})
        std::filesystem::create_directories(volume + "/Applications/Adobe Illustrator " + release +
                                            "/Presets.localized/Scripts.localized");
    std::filesystem::create_directories(volume + "/Applications/Adobe Illustrator 10.0.3/プリセット/スクリプト");
    SetFirstVolume(volume);
}

TEST_F(OpenClose, VersionTextPicksTheDefaultScriptsFolderInTableOrder)
{
    const std::string volume = Make({"Volume/"});
    LayOutFirstVolume(volume);
    const VersionCase cases[] = {
        {"13.0.0", "/Applications/Adobe Illustrator CS3/Presets.localized/Scripts.localized"},
        {"14.0.0 (13)", "/Applications/Adobe Illustrator CS4/Presets.localized/Scripts.localized"},
        {"10.0.3 14.0", "/Applications/Adobe Illustrator CS4/Presets.localized/Scripts.localized"},
        {"14.0.0 (10)", "/Applications/Adobe Illustrator CS4/Presets.localized/Scripts.localized"},
        {"12.0.1", "/Applications/Adobe Illustrator CS2/Presets.localized/Scripts.localized"},
        {"11", "/Applications/Adobe Illustrator CS/Presets.localized/Scripts.localized"},
        {"10.0.3", "/Applications/Adobe Illustrator 10.0.3/プリセット/スクリプト"},
        {"", nullptr},
        {"9.0", nullptr},
    };
    for (const VersionCase& c : cases) {
        SCOPED_TRACE(c.version);
        platform->Scripts().Answer(168, c.version);
        auto window = Start();
        EXPECT_EQ(window->gAiver, c.version);
        if (c.scriptsFolder) {
            ASSERT_TRUE(window->gMyScriptFolder);
            EXPECT_EQ(window->gMyScriptFolder->AbsolutePath(), volume + c.scriptsFolder);
        } else {
            EXPECT_FALSE(window->gMyScriptFolder);
        }
        EXPECT_EQ(window->Width(), 150);  // no preferences file: design-time bounds
        window->Close();
        std::filesystem::remove(PreferencesFile());
        Restart();
    }

    // A folder missing on the way stops the walk: no default scripts folder.
    std::filesystem::remove_all(volume + "/Applications/Adobe Illustrator CS3");
    platform->Scripts().Answer(168, "13.0.0");
    EXPECT_FALSE(Start()->gMyScriptFolder);
}

TEST_F(OpenClose, ASavedFolderThatHasVanishedLeavesTheDefaultScriptsFolderListed)
{
    const std::string volume = Make({"Volume/"});
    LayOutFirstVolume(volume);
    const std::string scripts = volume + "/Applications/Adobe Illustrator CS3/Presets.localized/Scripts.localized";
    WriteFile(scripts + "/default.jsx", "");
    const std::string vanished = Make({"Vanished/", "Vanished/old.jsx"});
    WriteFile(PreferencesFile(), "1\n2\n150\n200\n" + vanished + "\n");
    std::filesystem::remove_all(vanished);
    platform->Scripts().Answer(168, "13.0.0");
    auto window = Start();
    ASSERT_TRUE(window->gMyScriptFolder);
    EXPECT_EQ(window->gMyScriptFolder->AbsolutePath(), scripts);
    EXPECT_EQ(Rows(window->LB1()), std::vector<std::string>{"default.jsx"});
    EXPECT_EQ(window->Left(), 1);  // the bounds are still applied
}

TEST_F(OpenClose, ASavedFolderWinsAndTheBoundsAreApplied)
{
    std::string folder = Make({"スクリプト集/", "スクリプト集/a.jsx"});
    WriteFile(PreferencesFile(), "40\n80\n170\n220\n" + folder + "\n");
    platform->Scripts().Answer(168, "13.0");
    auto window = Start();
    EXPECT_EQ(OpenWindows().size(), 1u);
    EXPECT_EQ((std::array{window->Left(), window->Top(), window->Width(), window->Height()}),
              (std::array{40, 80, 170, 220}));
    ASSERT_TRUE(window->gMyScriptFolder);
    EXPECT_EQ(window->gMyScriptFolder->AbsolutePath(), folder);
    EXPECT_EQ(Rows(window->LB1()), std::vector<std::string>{"a.jsx"});
}

TEST_F(OpenClose, CloseWritesTheFiveLinesAndOpenReadsThemBack)
{
    std::string folder = Make({"日本語 フォルダ/", "日本語 フォルダ/a.jsx"});
    WriteFile(PreferencesFile(), "-30\n2147483647\n150\n200\n" + folder + "\nextra line\n");
    auto window = Start();
    window->Close();
    // The sixth line is not kept; the height was kept within the window's limits.
    EXPECT_EQ(ReadFile(PreferencesFile()), "-30\n2147483647\n150\n200\n" + folder + "\n");

    Restart();
    window = Start();
    EXPECT_EQ(window->Left(), -30);
    EXPECT_EQ(window->Top(), 2147483647);
    EXPECT_EQ(window->gMyScriptFolder->AbsolutePath(), folder);
    window->SetLeft(12);
    window->Close();
    EXPECT_EQ(ReadFile(PreferencesFile()), "12\n2147483647\n150\n200\n" + folder + "\n");
}

TEST_F(OpenClose, FirstCloseCreatesTheFileAndNoFolderLeavesLineFiveEmpty)
{
    auto window = Start();
    EXPECT_TRUE(window->gMyPref);
    EXPECT_FALSE(window->gMyPref->Exists());
    window->Close();
    EXPECT_EQ(ReadFile(PreferencesFile()), "20\n60\n150\n200\n\n");
}

struct BadFileCase {
    const char* what;
    std::string bytes;
    std::array<std::int32_t, 4> bounds;  // as the window shows them
    bool folderFromFile;
};

TEST_F(OpenClose, BadPreferencesFilesStillStartTheProgram)
{
    std::string folder = Make({"Listed/", "Listed/a.jsx"});
    const BadFileCase cases[] = {
        {"empty", "", {0, 0, 64, 64}, false},
        {"short", "100\n120\n", {100, 120, 64, 64}, false},
        {"CRLF", "10\r\n20\r\n300\r\n400\r\n" + folder + "\r\n", {10, 20, 300, 400}, true},
        {"CR", "10\r20\r300\r400\r" + folder + "\r", {10, 20, 300, 400}, true},
        {"garbage", std::string("\x00\xFF\xFE\n\x01", 5), {0, 0, 64, 64}, false},
        {"huge and non-numeric", "1e300\n-1e300\nabc\nNaN\n", {2147483647, -2147483647 - 1, 64, 64}, false},
        {"vanished folder", "1\n2\n150\n200\n/no/such/folder\n", {1, 2, 150, 200}, false},
    };
    for (const BadFileCase& c : cases) {
        SCOPED_TRACE(c.what);
        WriteFile(PreferencesFile(), c.bytes);
        auto window = Start();
        EXPECT_EQ((std::array{window->Left(), window->Top(), window->Width(), window->Height()}), c.bounds);
        if (c.folderFromFile) {
            ASSERT_TRUE(window->gMyScriptFolder);
            EXPECT_EQ(window->gMyScriptFolder->AbsolutePath(), folder);
        } else {
            EXPECT_FALSE(window->gMyScriptFolder);
        }
        window->Close();
        std::string saved = ReadFile(PreferencesFile());
        EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), 5);
        Restart();
    }
}

TEST_F(OpenClose, ClosingQuitsWithZeroEvenWhenNothingCanBeWritten)
{
    auto window = Start();
    std::filesystem::remove_all(preferencesFolder);  // the folder is gone: the file cannot be made
    window->Close();
    EXPECT_TRUE(QuitRequested());
    EXPECT_EQ(RuntimeExit(), 0);
    EXPECT_FALSE(std::filesystem::exists(PreferencesFile()));
}

TEST_F(OpenClose, EveryCloseLeavesTheFileOfTypePref)
{
    if (!fwtest::KeepsUserAttributes(preferencesFolder)) GTEST_SKIP() << "this file system keeps no user attributes";
    Start()->Close();
    EXPECT_EQ(GetFolderItem(PreferencesFile())->MacType(), "pref") << "first close";
    // A file that lost its type, or took another, gets it back at the next close.
    for (const char* before : {"", "TEXT"}) {
        SCOPED_TRACE(before);
        Restart();
        GetFolderItem(PreferencesFile())->SetMacType(before);
        Start()->Close();
        EXPECT_EQ(GetFolderItem(PreferencesFile())->MacType(), "pref");
    }
}

} // namespace
