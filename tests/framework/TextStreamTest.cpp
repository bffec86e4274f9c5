#include "TemporaryFolder.h"
#include "support/FileSizeLimit.h"

#include "framework/Exceptions.h"
#include "framework/FolderItem.h"
#include "framework/TextStream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

using namespace fw;
using namespace std::string_literals;

namespace {

class TextStreamTest : public fwtest::TemporaryFolderTest {
protected:
    std::vector<std::string> LinesOf(const std::string& bytes)
    {
        auto stream = FolderItem::ForPath(Write("lines.txt", bytes))->OpenAsTextFile();
        EXPECT_TRUE(stream);
        std::vector<std::string> lines;
        while (stream && !stream->EndOfFile()) lines.push_back(stream->ReadLine());
        // Past the end: empty lines, and still the end.
        if (stream) {
            EXPECT_EQ(stream->ReadLine(), "");
            EXPECT_TRUE(stream->EndOfFile());
        }
        return lines;
    }

    // Closes the stream and gives what it told on standard error.
    static std::string CloseTelling(const TextOutputStreamRef& out)
    {
        ::testing::internal::CaptureStderr();
        out->Close();
        return ::testing::internal::GetCapturedStderr();
    }

    static std::string NotWritten(const std::string& path, int error)
    {
        return "quillmere: could not write " + path + ": " + std::strerror(error) + "\n";
    }

    // The names in the test folder, to see that no unfinished file is left.
    std::vector<std::string> Entries()
    {
        std::vector<std::string> names;
        auto folder = GetFolderItem(Root());
        for (std::int32_t i = 1, n = folder->Count(); i <= n; ++i) names.push_back(folder->Item(i)->Name());
        return names;
    }
};

using Lines = std::vector<std::string>;

TEST_F(TextStreamTest, EachOfLfCrlfAndCrEndsALine)
{
    const struct {
        std::string bytes;
        Lines lines;
    } cases[] = {
        {"a\nb\n", {"a", "b"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\nb\r\nc\rd", {"a", "b", "c", "d"}},
        {"a\n\rb", {"a", "", "b"}},  // LF then CR: two ends
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"no final newline", {"no final newline"}},
        {"", {}},
        {"\n", {""}},
        {"\r\n", {""}},
        {"\n\n", {"", ""}},
        {"nul\0byte\nx"s, {"nul\0byte"s, "x"}},
        {"-2147483648\n2147483647\n150\n200\n/Users/me/スクリプト\n",
         {"-2147483648", "2147483647", "150", "200", "/Users/me/スクリプト"}},
    };
    for (const auto& c : cases) EXPECT_EQ(LinesOf(c.bytes), c.lines) << '"' << c.bytes << '"';
}

TEST_F(TextStreamTest, LongLinesAndCrlfAcrossReadChunks)
{
    // The stream reads 64 KiB at a time: a CRLF may be split between two reads.
    for (std::size_t length : {65534u, 65535u, 65536u, 3u * 1024 * 1024}) {
        std::string line(length, 'x');
        EXPECT_EQ(LinesOf(line + "\r\ny"), (Lines{line, "y"})) << length;
    }
}

TEST_F(TextStreamTest, BinaryGarbageReadsToTheEnd)
{
    std::string bytes;
    std::uint32_t x = 88172645u;
    for (int i = 0; i < 1 << 20; ++i) {
        x ^= x << 13, x ^= x >> 17, x ^= x << 5;
        bytes += char(x & 0xFF);
    }
    std::size_t textBytes = 0;
    for (char c : bytes) textBytes += (c != '\r' && c != '\n');
    std::size_t read = 0;
    for (const std::string& line : LinesOf(bytes)) read += line.size();
    EXPECT_EQ(read, textBytes);
}

TEST_F(TextStreamTest, OnlyARegularFileOpens)
{
    std::string fifo = PathOf("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& path : {PathOf("missing"), MakeFolder("folder"), fifo})
        EXPECT_FALSE(FolderItem::ForPath(path)->OpenAsTextFile()) << path;
}

TEST_F(TextStreamTest, AClosedStreamReadsNothing)
{
    auto stream = FolderItem::ForPath(Write("a.txt", "one\ntwo\n"))->OpenAsTextFile();
    ASSERT_TRUE(stream);
    EXPECT_EQ(stream->ReadLine(), "one");
    stream->Close();
    EXPECT_TRUE(stream->EndOfFile());
    EXPECT_EQ(stream->ReadLine(), "");
}

TEST_F(TextStreamTest, WrittenLinesReadBackAsTheyWere)
{
    const Lines lines{"-2147483648", "", "/Volumes/Macintosh HD/スクリプト", "caf\xE9 \xFF", "\xF0\x9F\x98\x80"};
    auto item = GetFolderItem(Root())->NewChild("fennic.pref");
    auto out = item->CreateTextFile();
    ASSERT_TRUE(out);
    for (const auto& line : lines) out->WriteLine(line);
    EXPECT_EQ(CloseTelling(out), "");

    std::string expected;
    for (const auto& line : lines) expected += line + "\n";
    EXPECT_EQ(Contents(item->AbsolutePath()), expected);
    EXPECT_EQ(LinesOf(expected), lines);
    EXPECT_THROW(out->WriteLine("after close"), IOException);
}

TEST_F(TextStreamTest, TheFormerFileStaysWholeUntilClose)
{
    std::string path = Write("fennic.pref", "old\n");
    auto out = FolderItem::ForPath(path)->CreateTextFile();
    ASSERT_TRUE(out);
    std::string big(200 * 1024, 'n');  // more than the stream holds back
    out->WriteLine(big);
    EXPECT_EQ(Contents(path), "old\n");
    out->Close();
    EXPECT_EQ(Contents(path), big + "\n");
    EXPECT_EQ(Entries(), (Lines{"fennic.pref"}));
}

TEST_F(TextStreamTest, AStreamLetGoUnclosedIsClosed)
{
    std::string path = Write("fennic.pref", "old\n");
    FolderItem::ForPath(path)->CreateTextFile()->WriteLine("new");
    EXPECT_EQ(Contents(path), "new\n");
    EXPECT_EQ(Entries(), (Lines{"fennic.pref"}));
}

TEST_F(TextStreamTest, AnExceptionWhileWritingLeavesTheFormerFile)
{
    std::string path = Write("fennic.pref", "old\n");
    try {
        auto out = FolderItem::ForPath(path)->CreateTextFile();
        out->WriteLine("half");
        throw std::runtime_error("failed on the way");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(Contents(path), "old\n");
    EXPECT_EQ(Entries(), (Lines{"fennic.pref"}));
}

TEST_F(TextStreamTest, AFailedCloseIsToldOnceWithItsReason)
{
    std::string folder = MakeFolder("prefs");
    std::string path = Write("prefs/fennic.pref", "old\n");
    auto out = FolderItem::ForPath(path)->CreateTextFile();
    ASSERT_TRUE(out);
    out->WriteLine("new");
    fwtest::RemoveFolder(folder);
    EXPECT_EQ(CloseTelling(out), NotWritten(path, ENOENT));
    EXPECT_EQ(CloseTelling(out), "");  // closed already: nothing more to tell
}

// A write that fails (here the file-size limit) must not let the cut-short
// file take the former one's place at the close.
TEST_F(TextStreamTest, AFailedWriteLeavesTheFormerFileWhole)
{
    std::string path = Write("fennic.pref", "old\n");
    auto out = FolderItem::ForPath(path)->CreateTextFile();
    ASSERT_TRUE(out);
    {
        fwtest::FileSizeLimit full(4096);
        out->WriteLine(std::string(200 * 1024, 'n'));  // more than the stream holds back
    }
    EXPECT_EQ(CloseTelling(out), NotWritten(path, EFBIG));
    EXPECT_EQ(Contents(path), "old\n");
    EXPECT_EQ(Entries(), (Lines{"fennic.pref"}));
}

TEST_F(TextStreamTest, AFailedCloseLeavesNoUnfinishedFile)
{
    auto out = GetFolderItem(Root())->NewChild("fennic.pref")->CreateTextFile();
    ASSERT_TRUE(out);
    out->WriteLine("new");
    // Something else took the name meanwhile: the new file cannot replace it.
    MakeFolder("fennic.pref");
    Write("fennic.pref/inside");
    EXPECT_EQ(CloseTelling(out), NotWritten(PathOf("fennic.pref"), EISDIR));
    EXPECT_EQ(Entries(), (Lines{"fennic.pref"}));
}

TEST_F(TextStreamTest, NoStreamWhereNoFileCanBeMadeAndStandardErrorSaysWhy)
{
    const std::string folder = MakeFolder("folder");
    ASSERT_EQ(::symlink(folder.c_str(), PathOf("link").c_str()), 0);
    const struct {
        std::string path;
        int error;
    } cases[] = {
        {PathOf("missing/fennic.pref"), ENOENT},
        {Write("file") + "/fennic.pref", ENOTDIR},
        {folder, EISDIR},
        {PathOf("link"), EISDIR},  // a link to a folder is the folder
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        ::testing::internal::CaptureStderr();
        EXPECT_FALSE(FolderItem::ForPath(c.path)->CreateTextFile());
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), NotWritten(c.path, c.error));
    }
    EXPECT_EQ(Entries(), (Lines{"file", "folder", "link"}));
}

TEST_F(TextStreamTest, TheTypeSetBeforeWritingEndsOnTheNewFile)
{
    if (!KeepsUserAttributes()) GTEST_SKIP() << "this file system keeps no user attributes";
    // The order of a save: create, set the type, write, close; on a first
    // run there is no file yet when the type is set.
    for (bool firstRun : {true, false}) {
        std::string path = PathOf("fennic.pref");
        if (!firstRun) Write("fennic.pref", "old\n");
        auto item = GetFolderItem(Root())->NewChild("fennic.pref");
        auto out = item->CreateTextFile();
        ASSERT_TRUE(out);
        item->SetMacType("pref");
        out->WriteLine("1");
        out->Close();
        EXPECT_EQ(GetFolderItem(path)->MacType(), "pref") << (firstRun ? "first run" : "replacing");
        ::unlink(path.c_str());
    }
}

TEST_F(TextStreamTest, AReplacedFileKeepsItsTypePermissionsAndLink)
{
    std::string real = Write("real.pref", "old\n");
    ::chmod(real.c_str(), 0640);
    std::string link = PathOf("fennic.pref");
    ASSERT_EQ(::symlink(real.c_str(), link.c_str()), 0);
    bool typed = KeepsUserAttributes();
    if (typed) FolderItem::ForPath(real)->SetMacType("TEXT");

    auto out = FolderItem::ForPath(link)->CreateTextFile();
    ASSERT_TRUE(out);
    out->WriteLine("new");
    out->Close();

    struct stat st {};
    ASSERT_EQ(::lstat(link.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(Contents(real), "new\n");
    ASSERT_EQ(::stat(real.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    if (typed) {
        EXPECT_EQ(FolderItem::ForPath(real)->MacType(), "TEXT");
    }
}

TEST_F(TextStreamTest, AReplacedFileCanAlwaysBeReadAndWrittenByItsOwner)
{
    const struct {
        mode_t before, after;
    } cases[] = {{0000, 0600}, {0400, 0600}, {0444, 0644}, {0640, 0640}, {0755, 0755}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.before);
        std::string path = Write("fennic.pref", "old\n");
        ASSERT_EQ(::chmod(path.c_str(), c.before), 0);
        auto out = FolderItem::ForPath(path)->CreateTextFile();
        ASSERT_TRUE(out);
        out->WriteLine("new");
        out->Close();
        struct stat st {};
        ASSERT_EQ(::stat(path.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, c.after);
        ::unlink(path.c_str());
    }
}

// A first save makes the file as any other program of the user would.
TEST_F(TextStreamTest, ANewFileTakesThePermissionsTheUmaskLeaves)
{
    const struct {
        mode_t umask, mode;
    } cases[] = {{022, 0644}, {002, 0664}, {077, 0600}, {0277, 0600}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.umask);
        const mode_t former = ::umask(c.umask);
        auto out = GetFolderItem(Root())->NewChild("fennic.pref")->CreateTextFile();
        ::umask(former);
        ASSERT_TRUE(out);
        out->WriteLine("new");
        out->Close();
        struct stat st {};
        ASSERT_EQ(::stat(PathOf("fennic.pref").c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, c.mode);
        ::unlink(PathOf("fennic.pref").c_str());
    }
}

TEST_F(TextStreamTest, ASaveRemovesWhatAnEarlierKilledSaveLeft)
{
    std::string path = Write("fennic.pref", "old\n");
    // Left by saves that never reached their close: only these go.
    for (const char* stale : {".fennic.pref.a1B2c3", ".fennic.pref.XXXXXX", ".fennic.pref.000000"})
        Write(stale, "half");
    // Not ours to remove: other names, another file's leftovers, a folder.
    for (const char* other : {".fennic.pref.a1B2c", ".fennic.pref.a1B2c3d", "fennic.pref.a1B2c3", ".fennic.pref.a1-2c3",
                              ".other.pref.a1B2c3", ".fennic.pref.", "notes.txt"})
        Write(other);
    MakeFolder(".fennic.pref.Folder");
    ASSERT_EQ(::symlink("notes.txt", PathOf(".fennic.pref.Link01").c_str()), 0);
    // An earlier save of this process still under way keeps its file.
    auto earlier = FolderItem::ForPath(path)->CreateTextFile();
    ASSERT_TRUE(earlier);
    std::string earlierFile = TextOutputStream::PendingFile(path);
    earlier->WriteLine("earlier");

    auto out = FolderItem::ForPath(path)->CreateTextFile();
    ASSERT_TRUE(out);
    out->WriteLine("new");
    out->Close();

    EXPECT_EQ(Contents(path), "new\n");
    auto entries = Entries();
    for (const char* stale : {".fennic.pref.a1B2c3", ".fennic.pref.XXXXXX", ".fennic.pref.000000"})
        EXPECT_EQ(std::count(entries.begin(), entries.end(), stale), 0) << stale;
    for (const char* kept : {".fennic.pref.a1B2c", ".fennic.pref.a1B2c3d", "fennic.pref.a1B2c3", ".fennic.pref.a1-2c3",
                             ".other.pref.a1B2c3", ".fennic.pref.", "notes.txt", ".fennic.pref.Folder",
                             ".fennic.pref.Link01"})
        EXPECT_EQ(std::count(entries.begin(), entries.end(), kept), 1) << kept;
    EXPECT_EQ(entries.size(), 11u);  // those kept, the file and the earlier save's unfinished file
    EXPECT_EQ(::access(earlierFile.c_str(), F_OK), 0) << earlierFile;
    earlier->Close();
    EXPECT_EQ(Contents(path), "earlier\n");
}

} // namespace
