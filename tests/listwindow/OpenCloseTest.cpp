#include "support/FileSizeLimit.h"
#include "support/ProgramFixture.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <iostream>
#include <optional>

#include <sys/stat.h>
#include <unistd.h>

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

// An empty folder line is no folder saved: the default scripts folder is
// listed, and the close saves it.
TEST_F(OpenClose, AnEmptyFolderLineListsAndSavesTheDefaultScriptsFolder)
{
    const std::string volume = Make({"Volume/"});
    LayOutFirstVolume(volume);
    const std::string scripts = volume + "/Applications/Adobe Illustrator CS3/Presets.localized/Scripts.localized";
    WriteFile(scripts + "/default.jsx", "");
    WriteFile(PreferencesFile(), "1\n2\n150\n200\n\n");
    platform->Scripts().Answer(168, "13.0.0");
    auto window = Start();
    EXPECT_EQ(Rows(window->LB1()), std::vector<std::string>{"default.jsx"});
    window->Close();
    EXPECT_EQ(ReadFile(PreferencesFile()), "1\n2\n150\n200\n" + scripts + "\n");
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

struct UnwritableCase {
    const char* what;
    std::function<void()> make;  // after the open, before the close
    bool diskFull;               // while the close writes
    int error;
    bool needsNormalUser;  // root writes into a read-only folder
};

TEST_F(OpenClose, ASaveThatCannotBeWrittenIsToldOnceAndTheProgramStillQuitsWithZero)
{
    namespace fs = std::filesystem;
    // A folder line longer than what standard error is to hold, so that the
    // full disk stops the save and not the report of it.
    const std::string former = "1\n2\n150\n200\n" + Make({std::string(200, 'x') + "/"}) + "\n";
    const UnwritableCase cases[] = {
        {"the folder gone", [&] { fs::remove_all(preferencesFolder); }, false, ENOENT, false},
        {"a folder in the file's place",
         [&] {
             fs::remove(PreferencesFile());
             fs::create_directories(PreferencesFile() + "/kept");
         },
         false, EISDIR, false},
        {"a read-only folder", [&] { fs::permissions(preferencesFolder, fs::perms::owner_read | fs::perms::owner_exec); },
         false, EACCES, true},
        {"a full disk", [] {}, true, EFBIG, false},
    };
    for (const UnwritableCase& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.needsNormalUser && ::geteuid() == 0) {
            std::cout << "[   INFO   ] skipped as root: " << c.what << "\n";
            continue;
        }
        fs::create_directories(preferencesFolder);
        WriteFile(PreferencesFile(), former);
        auto window = Start();
        window->SetLeft(300);  // the move that is lost
        c.make();
        const std::string told =
            "quillmere: could not write " + PreferencesFile() + ": " + std::strerror(c.error) + "\n";
        ::testing::internal::CaptureStderr();
        {
            std::optional<fwtest::FileSizeLimit> full;
            if (c.diskFull) full.emplace(told.size());
            window->Close();
        }
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), told);
        EXPECT_TRUE(QuitRequested());
        EXPECT_EQ(RuntimeExit(), 0);

        // What was there is left as it was, and nothing beside it.
        std::error_code gone;
        fs::permissions(preferencesFolder, fs::perms::owner_all, fs::perm_options::add, gone);
        if (c.error == EISDIR) {
            EXPECT_TRUE(fs::exists(PreferencesFile() + "/kept"));
            EXPECT_EQ(GetFolderItem(PreferencesFile())->MacType(), "");
        } else if (!gone) {
            EXPECT_EQ(ReadFile(PreferencesFile()), former);
        }
        if (!gone) {
            EXPECT_EQ(std::distance(fs::directory_iterator(preferencesFolder), {}), 1);
        }
        fs::remove_all(preferencesFolder);
        Restart();
    }
}

TEST_F(OpenClose, AFileThatExistsButCannotBeReadIsLeftAsItIs)
{
    const std::string path = PreferencesFile();
    struct Case {
        const char* what;
        std::function<void()> make;
        bool needsNormalUser;  // root reads a file whatever its mode
    };
    const Case cases[] = {
        {"mode 000",
         [&] {
             WriteFile(path, "40\n80\n170\n220\n/kept\n");
             std::filesystem::permissions(path, std::filesystem::perms::none);
         },
         true},
        {"a FIFO", [&] { ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.needsNormalUser && ::geteuid() == 0) {
            std::cout << "[   INFO   ] skipped as root: " << c.what << "\n";
            continue;
        }
        c.make();
        struct stat before {};
        ASSERT_EQ(::lstat(path.c_str(), &before), 0);
        auto window = Start();
        EXPECT_EQ(window->Width(), 150);  // nothing was read
        window->Close();
        EXPECT_TRUE(QuitRequested());
        EXPECT_EQ(RuntimeExit(), 0);
        struct stat after {};
        ASSERT_EQ(::lstat(path.c_str(), &after), 0);
        EXPECT_EQ(after.st_ino, before.st_ino);
        EXPECT_EQ(after.st_mode, before.st_mode);
        std::filesystem::remove(path);
        Restart();
    }
}

struct FolderLineCase {
    const char* what;
    std::optional<std::string> chosen;  // the dialog's answer; nothing: no press of the button
    bool cancelled;
    bool chosenIsWritten;
};

TEST_F(OpenClose, ASavedFolderAbsentForOneRunKeepsItsLineUntilAnotherIsChosen)
{
    const std::string absent = scratch + "/unplugged disk/スクリプト";
    const std::string chosen = Make({"Chosen/", "Chosen/a.jsx"});
    const FolderLineCase cases[] = {
        {"no folder chosen", std::nullopt, false, false},
        {"the dialog cancelled", std::nullopt, true, false},
        {"another folder chosen", chosen, false, true},
    };
    for (const FolderLineCase& c : cases) {
        SCOPED_TRACE(c.what);
        WriteFile(PreferencesFile(), "1\n2\n150\n200\n" + absent + "\n");
        auto window = Start();
        EXPECT_FALSE(window->gMyScriptFolder);
        if (c.chosen) platform->folderAnswers.push_back(*c.chosen);
        if (c.chosen || c.cancelled) window->BevelButton1()->ViewPressed();
        window->Close();
        EXPECT_EQ(ReadFile(PreferencesFile()), "1\n2\n150\n200\n" + (c.chosenIsWritten ? chosen : absent) + "\n");
        Restart();
    }

    // Back again, the folder is listed as before.
    WriteFile(PreferencesFile(), "1\n2\n150\n200\n" + absent + "\n");
    Start()->Close();
    Restart();
    std::filesystem::create_directories(absent);
    Make({"unplugged disk/スクリプト/b.jsx"});
    EXPECT_EQ(Rows(Start()->LB1()), std::vector<std::string>{"b.jsx"});
}

TEST_F(OpenClose, AFolderWhosePathHoldsALineBreakIsRefusedAndTheFileKeepsFiveLines)
{
    const std::string former = Make({"Former/", "Former/old.jsx"});
    for (const char* name : {"two\nlines", "two\rlines", "two\r\nlines"}) {
        SCOPED_TRACE(::testing::PrintToString(std::string(name)));
        const std::string broken = Make({std::string(name) + "/", std::string(name) + "/new.jsx"});
        WriteFile(PreferencesFile(), "1\n2\n150\n200\n" + former + "\n");
        auto window = Start();
        platform->folderAnswers.push_back(broken);
        window->BevelButton1()->ViewPressed();
        EXPECT_EQ(platform->messages, std::vector<std::string>{"改行を含むフォルダは選択できません。"});
        EXPECT_EQ(window->gMyScriptFolder->AbsolutePath(), former);
        EXPECT_EQ(Rows(window->LB1()), std::vector<std::string>{"old.jsx"});
        window->Close();
        EXPECT_EQ(ReadFile(PreferencesFile()), "1\n2\n150\n200\n" + former + "\n");

        // However such a folder came to be listed, the close keeps the former line.
        Restart();
        window = Start();
        window->gMyScriptFolder = GetFolderItem(broken);
        ASSERT_TRUE(window->gMyScriptFolder);
        window->Close();
        EXPECT_EQ(ReadFile(PreferencesFile()), "1\n2\n150\n200\n" + former + "\n");

        Restart();
        window = Start();
        EXPECT_TRUE(platform->messages.empty());
        EXPECT_EQ(Rows(window->LB1()), std::vector<std::string>{"old.jsx"});
        window->Close();
        Restart();
    }
}

TEST_F(OpenClose, ASaveRemovesTheUnfinishedFileOfAKilledOne)
{
    const std::string leftover = preferencesFolder + "/.fennic.pref.q7Xz0a";
    WriteFile(leftover, "20\n60\n");
    Start()->Close();
    EXPECT_EQ(ReadFile(PreferencesFile()), "20\n60\n150\n200\n\n");
    EXPECT_FALSE(std::filesystem::exists(leftover));
}

struct SavedBoundsCase {
    const char* saved;
    const char* written;  // by the next close
};

TEST_F(OpenClose, SavedBoundsThatNoScreenCanShowAreFittedAndSavedSo)
{
    const SavedBoundsCase cases[] = {
        {"100\n100\n32000\n32000\n", "0\n0\n1024\n768\n"},
        {"40000\n40000\n150\n200\n", "874\n568\n150\n200\n"},
        {"40\n80\n150\n200\n", "40\n80\n150\n200\n"},
        {"-100\n700\n150\n200\n", "-100\n700\n150\n200\n"},  // partly off: as the user left it
    };
    for (const SavedBoundsCase& c : cases) {
        SCOPED_TRACE(c.saved);
        platform->screenAreas = {{0, 0, 1024, 768}};
        WriteFile(PreferencesFile(), std::string(c.saved) + "\n");
        Start()->Close();
        EXPECT_EQ(ReadFile(PreferencesFile()), std::string(c.written) + "\n");
        Restart();
    }
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
