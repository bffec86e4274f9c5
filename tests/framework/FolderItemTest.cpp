#include "TemporaryFolder.h"

#include "framework/FolderItem.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace fw;
using namespace std::string_literals;

namespace {

const std::string kReplacement = "\xEF\xBF\xBD";  // U+FFFD

std::vector<std::string> NamesOf(FolderItem& folder)
{
    std::vector<std::string> names;
    std::int32_t n = folder.Count();
    for (std::int32_t i = 1; i <= n; ++i) names.push_back(folder.Item(i)->Name());
    return names;
}

// Sets an environment variable for the length of a test.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const char* value) : name_(name)
    {
        if (const char* old = std::getenv(name)) old_ = old;
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~ScopedEnvironment() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }

private:
    const char* name_;
    std::optional<std::string> old_;
};

using FolderItemTest = fwtest::TemporaryFolderTest;

TEST_F(FolderItemTest, EntriesAreNumberedByNameWithoutRegardToCaseThenByBytes)
{
    for (const char* name : {"banana", "Apple", "apple", "Cherry", "_x", "10", "2"}) Write(name);
    MakeFolder("Bin");
    auto folder = GetFolderItem(Root());
    ASSERT_TRUE(folder);
    EXPECT_EQ(NamesOf(*folder), (std::vector<std::string>{"10", "2", "_x", "Apple", "apple", "banana",
                                                          "Bin", "Cherry"}));
    EXPECT_FALSE(folder->Item(0));
    EXPECT_FALSE(folder->Item(-1));
    EXPECT_FALSE(folder->Item(9));
}

TEST_F(FolderItemTest, ItemNumbersFromTheLastCount)
{
    Write("b");
    Write("c");
    auto folder = GetFolderItem(Root());
    EXPECT_EQ(folder->Item(1)->Name(), "b");  // no Count before: read now

    ASSERT_EQ(folder->Count(), 2);
    Write("a");
    EXPECT_EQ(folder->Item(1)->Name(), "b");  // the reading of that Count
    EXPECT_EQ(folder->Count(), 3);
    EXPECT_EQ(folder->Item(1)->Name(), "a");
}

// Counts how often a folder itself is opened (each reading of it opens it),
// as inotify reports it.
class FolderOpenings {
public:
    explicit FolderOpenings(const std::string& folder) : fd_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
    {
        // Closings are watched too: inotify merges an event into an equal one
        // just before it, and each closing stands between two openings.
        if (fd_ >= 0 && ::inotify_add_watch(fd_, folder.c_str(), IN_OPEN | IN_CLOSE_NOWRITE) < 0)
            ::close(fd_), fd_ = -1;
    }
    ~FolderOpenings()
    {
        if (fd_ >= 0) ::close(fd_);
    }
    bool Watching() const { return fd_ >= 0; }

    // Openings since the last call.
    int Take()
    {
        int openings = 0;
        alignas(inotify_event) char buffer[4096];
        ssize_t n;
        while ((n = ::read(fd_, buffer, sizeof buffer)) > 0) {
            for (ssize_t at = 0; at < n;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                bool itself = event->len == 0 && (event->mask & IN_ISDIR);  // not an entry inside
                if (itself && (event->mask & IN_OPEN)) ++openings;
                at += ssize_t(sizeof(inotify_event) + event->len);
            }
        }
        return openings;
    }

private:
    int fd_;
};

TEST_F(FolderItemTest, WalkingALargeFolderReadsItOnce)
{
    const int n = 20000;
    char name[16];
    for (int i = 0; i < n; ++i) {
        std::snprintf(name, sizeof name, "f%05d", n - 1 - i);
        ::close(::open(PathOf(name).c_str(), O_CREAT | O_WRONLY, 0644));
    }
    auto folder = GetFolderItem(Root());
    FolderOpenings openings(Root());
    ASSERT_TRUE(openings.Watching());
    auto start = std::chrono::steady_clock::now();
    auto names = NamesOf(*folder);
    auto took = std::chrono::steady_clock::now() - start;

    ASSERT_EQ(names.size(), std::size_t(n));
    EXPECT_EQ(names.front(), "f00000");
    EXPECT_EQ(names.back(), "f19999");
    EXPECT_EQ(openings.Take(), 1);
    EXPECT_LT(took, std::chrono::seconds(10));
}

TEST_F(FolderItemTest, FoldersThatCannotBeListedHaveNoEntries)
{
    EXPECT_EQ(FolderItem::ForPath(PathOf("missing"))->Count(), 0);
    EXPECT_EQ(FolderItem::ForPath(Write("file", "x"))->Count(), 0);
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not stop root";
    std::string locked = MakeFolder("locked");
    Write("locked/inside");
    ::chmod(locked.c_str(), 0);
    auto item = GetFolderItem(locked);
    EXPECT_EQ(item->Count(), 0);
    EXPECT_FALSE(item->Item(1));
    ::chmod(locked.c_str(), 0755);
}

TEST_F(FolderItemTest, HiddenEntries)
{
    const struct {
        const char* name;
        bool visible;
    } cases[] = {
        {"plain.jsx", true}, {".DS_Store", false}, {".hidden", false},
        {"secret.jsx", false},  // listed in .hidden
        {"crlf.jsx", false},    // listed on a CRLF line
        {"secret", true},       // a prefix of a listed name
        {"Secret.jsx", true},   // names are matched by their bytes
    };
    for (const auto& c : cases)
        if (std::string(c.name) != ".hidden") Write(c.name);
    Write(".hidden", "secret.jsx\ncrlf.jsx\r\n\nunlisted-but-absent\n");

    auto folder = GetFolderItem(Root());
    std::int32_t n = folder->Count();
    ASSERT_EQ(n, std::int32_t(std::size(cases)));
    for (std::int32_t i = 1; i <= n; ++i) {
        auto entry = folder->Item(i);
        bool expected = true;
        for (const auto& c : cases)
            if (entry->Name() == c.name) expected = c.visible;
        EXPECT_EQ(entry->Visible(), expected) << entry->Name() << " listed by number";
    }
    for (const auto& c : cases)
        EXPECT_EQ(folder->Child(c.name)->Visible(), c.visible) << c.name << " looked up by name";
}

TEST_F(FolderItemTest, DirectoriesButNotApplicationPackages)
{
    MakeFolder("Tools");
    MakeFolder("Batch.app");
    MakeFolder("Shout.APP");
    MakeFolder("app");
    Write("a.jsx");
    ::symlink(PathOf("Tools").c_str(), PathOf("to-tools").c_str());
    ::symlink(PathOf("a.jsx").c_str(), PathOf("to-file").c_str());
    ::symlink(PathOf("nowhere").c_str(), PathOf("dangling").c_str());

    const struct {
        const char* name;
        bool directory;
    } cases[] = {
        {"Tools", true},     {"Batch.app", false}, {"Shout.APP", false}, {"app", true},
        {"a.jsx", false},    {"to-tools", true},   {"to-file", false},   {"dangling", false},
    };
    auto folder = GetFolderItem(Root());
    for (const auto& c : cases) {
        auto item = folder->Child(c.name);
        ASSERT_TRUE(item) << c.name;
        EXPECT_EQ(item->Directory(), c.directory) << c.name;
    }
    // An application package is still a folder on the disk.
    Write("Batch.app/Info");
    EXPECT_EQ(folder->Child("Batch.app")->Count(), 1);
}

TEST_F(FolderItemTest, EntriesListedByNumberAreFoldersAsTheDiskHasThem)
{
    MakeFolder("Tools");
    MakeFolder("Batch.app");
    Write("a.jsx");
    ::mkfifo(PathOf("pipe").c_str(), 0600);
    ::symlink(PathOf("Tools").c_str(), PathOf("to-tools").c_str());
    ::symlink(PathOf("Batch.app").c_str(), PathOf("to-batch.app").c_str());
    ::symlink(PathOf("a.jsx").c_str(), PathOf("to-file").c_str());
    ::symlink(PathOf("nowhere").c_str(), PathOf("dangling").c_str());
    const std::vector<std::string> folders = {"Tools", "to-tools"};

    auto folder = GetFolderItem(Root());
    std::int32_t n = folder->Count();
    ASSERT_EQ(n, 8);
    for (std::int32_t i = 1; i <= n; ++i) {
        auto entry = folder->Item(i);
        bool expected = std::count(folders.begin(), folders.end(), entry->Name()) == 1;
        EXPECT_EQ(entry->Directory(), expected) << entry->Name();
    }
}

TEST_F(FolderItemTest, ANameShownForMoreThanOneEntryFindsNone)
{
    for (const std::string& name : {"bad\xFF.jsx"s, "bad" + kReplacement + ".jsx", "two\xFE"s, "two\xFF"s,
                                    "one\xFE.jsx"s, "only" + kReplacement + ".jsx"})
        Write(name);
    const struct {
        std::string asked;
        std::string found;  // "": none
    } cases[] = {
        {"bad" + kReplacement + ".jsx", ""},  // that very name, and another shown as it
        {"two" + kReplacement, ""},           // two shown as it, neither of that name
        {"bad\xFF.jsx", "bad\xFF.jsx"},       // a name that is no text is one entry's own
        {"one" + kReplacement + ".jsx", "one\xFE.jsx"},
        {"only" + kReplacement + ".jsx", "only" + kReplacement + ".jsx"},
        {"none" + kReplacement, ""},
    };
    auto folder = GetFolderItem(Root());
    for (const auto& c : cases) {
        auto item = folder->Child(c.asked);
        if (c.found.empty()) {
            EXPECT_FALSE(item) << c.asked;
            continue;
        }
        ASSERT_TRUE(item) << c.asked;
        EXPECT_EQ(item->Name(), c.found);
    }
    EXPECT_FALSE(folder->Child("one\xFE.jsx")->Child("x" + kReplacement));  // no folder to look in
}

TEST_F(FolderItemTest, ChildFindsOnlyWhatIsThereAndNewChildAlsoWhatIsToBeMade)
{
    MakeFolder("Tools");
    Write("Tools/b.scpt");
    auto folder = GetFolderItem(Root());

    auto found = folder->Child("Tools")->Child("b.scpt");
    ASSERT_TRUE(found);
    EXPECT_TRUE(found->Exists());
    EXPECT_EQ(found->AbsolutePath(), PathOf("Tools/b.scpt"));

    // A vanished file is found missing...
    EXPECT_FALSE(folder->Child("fennic.pref"));
    // ...while the preferences file on a first run is an item that a file
    // can be made for, though nothing is there yet.
    auto fresh = folder->NewChild("fennic.pref");
    ASSERT_TRUE(fresh);
    EXPECT_EQ(folder->NewChild("Tools")->AbsolutePath(), PathOf("Tools"));
    EXPECT_FALSE(fresh->Exists());
    EXPECT_EQ(fresh->AbsolutePath(), PathOf("fennic.pref"));

    // Nothing to give below something that is no folder.
    EXPECT_FALSE(folder->Child("Gone"));
    EXPECT_FALSE(folder->NewChild("Gone")->Child("b.scpt"));
    EXPECT_FALSE(folder->Child("Tools")->Child("b.scpt")->Child("x"));
    EXPECT_FALSE(found->NewChild("x"));
    for (const std::string& bad : {""s, "."s, ".."s, "a/b"s, "/"s, "Tools\0x"s}) {
        EXPECT_FALSE(folder->Child(bad)) << '"' << bad << '"';
        EXPECT_FALSE(folder->NewChild(bad)) << '"' << bad << '"';
    }
}

TEST_F(FolderItemTest, NamesThatAreNotUtf8AreShownAsValidText)
{
    const struct {
        std::string name;
        std::string display;
    } cases[] = {
        {"plain.jsx", "plain.jsx"},
        {"スクリプト", "スクリプト"},
        {"emoji \xF0\x9F\x98\x80", "emoji \xF0\x9F\x98\x80"},
        {"caf\xE9.jsx", "caf" + kReplacement + ".jsx"},                              // Latin-1
        {"over\xC0\xAF", "over" + kReplacement + kReplacement},                      // overlong
        {"sur\xED\xA0\x80", "sur" + kReplacement + kReplacement + kReplacement},     // surrogate
        {"cut\xE3\x81", "cut" + kReplacement + kReplacement},                        // cut short
        {"big\xF4\x90\x80\x80", "big" + kReplacement + kReplacement + kReplacement + kReplacement},
    };
    for (const auto& c : cases) Write(c.name, "x");
    auto folder = GetFolderItem(Root());
    for (const auto& c : cases) {
        auto byName = folder->Child(c.name);
        EXPECT_EQ(byName->DisplayName(), c.display);
        // A row shows the display name and is looked up by it.
        auto byDisplayName = folder->Child(c.display);
        ASSERT_TRUE(byDisplayName);
        EXPECT_EQ(byDisplayName->Name(), c.name);
        EXPECT_TRUE(byDisplayName->Exists());
        // The path keeps the bytes and resolves back.
        auto back = GetFolderItem(byName->AbsolutePath());
        ASSERT_TRUE(back);
        EXPECT_EQ(back->Name(), c.name);
    }
}

TEST_F(FolderItemTest, AbsolutePathResolvesBackToTheSameItem)
{
    MakeFolder("Adobe Illustrator 10.0.3");
    MakeFolder("Adobe Illustrator 10.0.3/プリセット");
    std::string deep = MakeFolder("Adobe Illustrator 10.0.3/プリセット/スクリプト");
    auto item = GetFolderItem(Root())->Child("Adobe Illustrator 10.0.3")->Child("プリセット")->Child("スクリプト");
    ASSERT_TRUE(item);
    EXPECT_EQ(item->AbsolutePath(), deep);
    EXPECT_EQ(item->Name(), "スクリプト");

    for (const std::string& spelling : {deep, deep + "/", Root() + "//Adobe Illustrator 10.0.3/./プリセット/スクリプト",
                                        deep + "/../スクリプト"}) {
        auto back = GetFolderItem(spelling);
        ASSERT_TRUE(back) << spelling;
        EXPECT_EQ(back->AbsolutePath(), deep) << spelling;
        EXPECT_TRUE(back->Directory());
    }
    EXPECT_EQ(GetFolderItem("/")->AbsolutePath(), "/");
    // An entry of the root has one slash before its name, as it is spelt.
    auto tmp = GetFolderItem("/")->Child("tmp");
    ASSERT_TRUE(tmp);
    EXPECT_EQ(tmp->AbsolutePath(), "/tmp");
}

TEST_F(FolderItemTest, GetFolderItemGivesNilForWhatNamesNothing)
{
    std::string folder = MakeFolder("Scripts");
    for (const std::string& path : {std::string(), std::string("Scripts"), std::string("./Scripts"),
                                    PathOf("Missing"), PathOf("Scripts/Missing/x"),
                                    folder + std::string("\0/Missing", 9)})
        EXPECT_FALSE(GetFolderItem(path)) << '"' << path << '"';
    EXPECT_FALSE(GetFolderItem(folder, 1));  // only the absolute form is known

    ASSERT_TRUE(GetFolderItem(folder));
    ::rmdir(folder.c_str());
    EXPECT_FALSE(GetFolderItem(folder));
}

TEST_F(FolderItemTest, VolumeZeroIsTheRoot)
{
    auto root = Volume(0);
    ASSERT_TRUE(root);
    EXPECT_EQ(root->AbsolutePath(), "/");
    EXPECT_TRUE(root->Directory());
    EXPECT_TRUE(root->Child("tmp"));
    EXPECT_FALSE(Volume(1));
    EXPECT_FALSE(Volume(-1));
}

TEST_F(FolderItemTest, FileTypeIsKeptWithTheFile)
{
    if (!KeepsUserAttributes()) GTEST_SKIP() << "this file system keeps no user attributes";
    auto file = FolderItem::ForPath(Write("fennic.pref", "1\n"));
    EXPECT_EQ(file->MacType(), "");
    file->SetMacType("pref");
    EXPECT_EQ(file->MacType(), "pref");
    EXPECT_EQ(GetFolderItem(file->AbsolutePath())->MacType(), "pref");
    file->SetMacType("");
    EXPECT_EQ(file->MacType(), "");
    // Nothing there: nothing to keep it, and nothing raised.
    auto missing = FolderItem::ForPath(PathOf("missing"));
    missing->SetMacType("pref");
    EXPECT_EQ(missing->MacType(), "");
}

TEST_F(FolderItemTest, PreferencesFolderIsMadeOnAFreshAccount)
{
    std::string home = MakeFolder("home");
    ScopedEnvironment setHome("HOME", home.c_str());
    struct {
        const char* configHome;  // nullptr: unset
        std::string expected;
    } const cases[] = {
        {nullptr, home + "/.config"},
        {"relative/config", home + "/.config"},  // a relative one is ignored
        {"", home + "/.config"},
    };
    for (const auto& c : cases) {
        ScopedEnvironment setConfig("XDG_CONFIG_HOME", c.configHome);
        auto folder = SpecialFolder::Preferences();
        ASSERT_TRUE(folder);
        EXPECT_EQ(folder->AbsolutePath(), c.expected);
        EXPECT_TRUE(folder->Directory());
    }
    std::string config = PathOf("state/deeper/config");
    ScopedEnvironment setConfig("XDG_CONFIG_HOME", config.c_str());
    auto folder = SpecialFolder::Preferences();
    ASSERT_TRUE(folder);
    EXPECT_EQ(folder->AbsolutePath(), config);
    struct stat st {};
    ASSERT_EQ(::stat(config.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
}

TEST_F(FolderItemTest, NoPreferencesFolderWhenNoneCanBeMade)
{
    std::string blocker = Write("not-a-folder", "x");
    // Beneath a file, or the file itself: no preferences could be saved there.
    for (const std::string& config : {blocker + "/config", blocker}) {
        SCOPED_TRACE(config);
        ScopedEnvironment setConfig("XDG_CONFIG_HOME", config.c_str());
        EXPECT_FALSE(SpecialFolder::Preferences());
    }
}

TEST_F(FolderItemTest, TestsCanMoveTheFirstVolumeAndPutItBack)
{
    SetFirstVolume(Root());
    ASSERT_TRUE(Volume(0));
    EXPECT_EQ(Volume(0)->AbsolutePath(), Root());
    EXPECT_FALSE(Volume(1));
    SetFirstVolume("");
    ASSERT_TRUE(Volume(0));
    EXPECT_EQ(Volume(0)->AbsolutePath(), "/");
}

} // namespace
