#include "framework/AppleEvent.h"
#include "framework/ChildProcess.h"
#include "framework/Exceptions.h"
#include "framework/Platform.h"
#include "framework/Scripts.h"
#include "support/RecordingScriptHost.h"
#include "support/StandinState.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

using namespace fw;
using fwtest::StandinState;

namespace {

// Far more than any script here needs.
const HelperWait kLimit = HelperWait::Asking(std::chrono::seconds(10));

std::string RunAndCatch(const std::function<void()>& run)
{
    try {
        run();
    } catch (const RuntimeException& e) {
        return e.what();
    }
    return "(nothing raised)";
}

std::optional<ScriptCallException::Why> ReasonOf(const std::function<void()>& run)
{
    try {
        run();
    } catch (const ScriptCallException& e) {
        return e.Reason();
    }
    return std::nullopt;
}

// ---- Pending calls by handle ------------------------------------------------

TEST(ScriptCallHandles, InterleavedCallsKeepTheirOwnParameters)
{
    auto& host = fwtest::RecordingScriptHost::Install();
    host.Answer(171, "first");
    std::int32_t a = StartParamScript(171, kLimit);
    std::int32_t b = StartParamScript(172, kLimit);
    EXPECT_NE(a, b);
    AddStringScriptParam(a, "/a");
    AddIntegerScriptParam(b, 2);
    AddIntegerScriptParam(a, 1);

    CompleteParamScriptExecute(b);
    EXPECT_EQ(CompleteParamScriptFunction(a), "first");
    EXPECT_EQ(host.Described(),
              (std::vector<std::string>{"172(integer 2)", "171(text \"/a\", integer 1)"}));
}

TEST(ScriptCallHandles, UnknownOrCompletedHandleRaises)
{
    fwtest::RecordingScriptHost::Install();
    std::int32_t done = StartParamScript(168, kLimit);
    CompleteParamScriptFunction(done);
    for (std::int32_t handle : {done, std::int32_t(0), std::int32_t(-1), std::int32_t(INT_MAX)}) {
        SCOPED_TRACE(handle);
        EXPECT_THROW(AddIntegerScriptParam(handle, 1), RuntimeException);
        EXPECT_THROW(AddStringScriptParam(handle, "x"), RuntimeException);
        EXPECT_THROW(CompleteParamScriptFunction(handle), RuntimeException);
        EXPECT_THROW(CompleteParamScriptExecute(handle), RuntimeException);
    }
}

TEST(ScriptCallHandles, FailingCompletionStillEndsTheCall)
{
    auto& host = fwtest::RecordingScriptHost::Install();
    host.Raise(171, "broken");
    const auto pending = ParamScriptsPending();
    std::int32_t h = StartParamScript(171, kLimit);
    EXPECT_THROW(CompleteParamScriptFunction(h), RuntimeException);
    EXPECT_EQ(ParamScriptsPending(), pending);
    EXPECT_THROW(CompleteParamScriptFunction(h), RuntimeException);
    EXPECT_EQ(host.Calls().size(), 1u);
}

// ---- The process host on scripts of the test's own ---------------------------

class ProcessHostTest : public ::testing::Test {
protected:
    void SetUp() override { InstallScriptHost(MakeProcessScriptHost(folder)); }
    void TearDown() override
    {
        InstallScriptHost(nullptr);
        fwtest::RemoveFolder(folder);
    }

    void AddScript(std::int32_t number, const std::string& body, mode_t mode = 0755)
    {
        const std::string path = folder + "/" + std::to_string(number);
        std::ofstream(path) << "#!/bin/sh\n" << body << "\n";
        ::chmod(path.c_str(), mode);
    }

    std::string folder = fwtest::MakeTemporaryFolder();
};

TEST_F(ProcessHostTest, EachParameterIsOneArgumentInOrder)
{
    AddScript(7, R"(for a; do printf '[%s]' "$a"; done)");
    std::int32_t h = StartParamScript(7, kLimit);
    AddIntegerScriptParam(h, 5);
    AddStringScriptParam(h, "a  b");
    AddStringScriptParam(h, "");
    AddIntegerScriptParam(h, INT_MIN);
    AddStringScriptParam(h, "-n");
    EXPECT_EQ(CompleteParamScriptFunction(h), "[5][a  b][][-2147483648][-n]");
}

TEST_F(ProcessHostTest, OnlyOneFinalNewlineIsDropped)
{
    struct Case {
        const char* format;  // what the script hands printf
        const char* result;
    };
    for (const Case& c : {Case{"", ""}, Case{"\\n", ""}, Case{"x\\n", "x"}, Case{"x\\n\\n", "x\n"},
                          Case{" x \\r\\n", " x \r"}, Case{"x", "x"}, Case{"\\nx", "\nx"}}) {
        SCOPED_TRACE(c.format);
        AddScript(8, std::string("printf '") + c.format + "'");
        EXPECT_EQ(ScriptFunction(8, kLimit), c.result);
    }
}

TEST_F(ProcessHostTest, ScriptThatCannotStartRaisesNamingItsNumber)
{
    AddScript(5, "echo hidden", 0644);
    struct Case {
        std::int32_t number;
        std::string reason;
    };
    for (const Case& c : {Case{171, "No such file or directory"}, Case{5, "Permission denied"}}) {
        SCOPED_TRACE(c.number);
        ::testing::internal::CaptureStderr();
        std::string message = RunAndCatch([&] { ScriptFunction(c.number, kLimit); });
        EXPECT_EQ(message, "compiled script " + std::to_string(c.number) + " cannot be run: " + folder +
                               "/" + std::to_string(c.number) + ": " + c.reason);
        EXPECT_EQ(ReasonOf([&] { ScriptExecute(c.number, kLimit); }), ScriptCallException::Why::CannotStart);
        ::testing::internal::GetCapturedStderr();
    }
}

TEST_F(ProcessHostTest, FailingScriptRaisesWithItsReasonNotWhatItPrinted)
{
    struct Case {
        const char* body;
        ScriptCallException::Why why;
        const char* message;
    };
    const Case cases[] = {
        {"echo partial; exit 3", ScriptCallException::Why::Failed, "compiled script 9 exited with status 3"},
        {"echo partial; kill -9 $$", ScriptCallException::Why::Signalled, "compiled script 9 was ended by signal 9"},
        {"echo partial; exec sleep 5", ScriptCallException::Why::TimedOut,
         "compiled script 9 did not finish within 0.3 s and was stopped"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.body);
        AddScript(9, c.body);
        ::testing::internal::CaptureStderr();
        try {
            ScriptFunction(9, HelperWait::Asking(std::chrono::milliseconds(300)));
            ADD_FAILURE() << "nothing raised";
        } catch (const ScriptCallException& e) {
            EXPECT_EQ(e.Reason(), c.why);
            EXPECT_EQ(std::string(e.what()), c.message);
        }
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), std::string("quillmere: ") + c.message + "\n");
    }
}

TEST_F(ProcessHostTest, AScriptThatKeepsFailingIsToldOnceUntilItWorksAgain)
{
    struct Step {
        const char* body;
        int told;  // lines on standard error
    };
    const Step steps[] = {
        {"exit 3", 1}, {"exit 3", 0}, {"exit 3", 0},  // once, not at every call
        {"exit 4", 1}, {"exit 4", 0},                 // another reason is told
        {"echo fine", 0}, {"exit 4", 1},              // after a success, told afresh
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.body);
        AddScript(13, step.body);
        ::testing::internal::CaptureStderr();
        RunAndCatch([&] { ScriptFunction(13, kLimit); });
        std::string err = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), step.told) << err;
    }
}

TEST_F(ProcessHostTest, LargeOutputIsReadToItsEndAndItsFirstPartKept)
{
    // Far more than a pipe holds: the child would block if we stopped reading.
    AddScript(10, "head -c 3000000 /dev/zero | tr '\\0' x; echo");
    EXPECT_EQ(ScriptFunction(10, kLimit), std::string(kKeptHelperOutput, 'x'));
}

TEST_F(ProcessHostTest, ScriptReadsNothingFromOurInput)
{
    // A script that reads its input ends at once instead of waiting on ours.
    AddScript(11, "cat; echo read-all");
    EXPECT_EQ(ScriptFunction(11, kLimit), "read-all");
}

TEST_F(ProcessHostTest, TextWithANulByteIsRefusedNotCutShort)
{
    AddScript(12, R"(printf '%s' "$1" > "$(dirname "$0")/got")");
    std::int32_t h = StartParamScript(12, kLimit);
    AddStringScriptParam(h, std::string("/safe\0/../../etc", 16));
    std::string message = RunAndCatch([&] { CompleteParamScriptFunction(h); });
    EXPECT_NE(message.find("compiled script 12 cannot be run"), std::string::npos) << message;
    EXPECT_FALSE(std::filesystem::exists(folder + "/got"));
}

// ---- The shipped Linux scripts against a private stand-in state ---------------

class ShippedScriptsTest : public ::testing::Test {
protected:
    void SetUp() override { InstallScriptHost(MakeProcessScriptHost(QUILLMERE_SCRIPTS_DIR)); }
    void TearDown() override { InstallScriptHost(nullptr); }

    static String RunWithPath(std::int32_t number, const String& path)
    {
        std::int32_t h = StartParamScript(number, kLimit);
        AddStringScriptParam(h, path);
        return CompleteParamScriptFunction(h);
    }

    StandinState state;
};

TEST_F(ShippedScriptsTest, VersionAndFrontReadTheirStateFile)
{
    struct Case {
        std::int32_t number;
        const char* file;
        const char* absent;  // the answer while the file is absent
    };
    for (const Case& c : {Case{168, "version", ""}, Case{169, "front", "Quillmere"}}) {
        SCOPED_TRACE(c.number);
        EXPECT_EQ(ScriptFunction(c.number, kLimit), c.absent);
        state.Write(c.file, "Illustrator 14.0.0\n");
        EXPECT_EQ(ScriptFunction(c.number, kLimit), "Illustrator 14.0.0");
        state.Write(c.file, "Finder");
        EXPECT_EQ(ScriptFunction(c.number, kLimit), "Finder");
    }
}

TEST_F(ShippedScriptsTest, ActivatingQuillmereWritesFront)
{
    state.Write("front", "Illustrator");
    ScriptExecute(170, kLimit);
    EXPECT_EQ(state.Read("front"), "Quillmere");
    EXPECT_EQ(ScriptFunction(169, kLimit), "Quillmere");
    // Nothing is left behind but the state itself.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(state.Folder()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(ShippedScriptsTest, RunScriptsLogTheirPathAndAnswerNothing)
{
    EXPECT_EQ(RunWithPath(171, "/Users/me/a.scpt"), "");
    EXPECT_EQ(RunWithPath(172, "/Users/me/b.jsx"), "");
    EXPECT_EQ(state.Read("ran.log"), "171\t/Users/me/a.scpt\n172\t/Users/me/b.jsx\n");
}

TEST_F(ShippedScriptsTest, RunScriptsTakeExactlyOnePath)
{
    ::testing::internal::CaptureStderr();
    EXPECT_THROW(ScriptFunction(171, kLimit), ScriptCallException);
    std::int32_t h = StartParamScript(172, kLimit);
    AddStringScriptParam(h, "/a.jsx");
    AddStringScriptParam(h, "/b.jsx");
    EXPECT_THROW(CompleteParamScriptFunction(h), ScriptCallException);
    ::testing::internal::GetCapturedStderr();
    EXPECT_FALSE(state.Exists("ran.log"));
}

TEST_F(ShippedScriptsTest, UnsafePathReachesTheScriptAsOneUnchangedArgument)
{
    const std::string marker = state.PathOf("pwned");
    const std::vector<std::string> paths{
        "/Users/me/My Scripts/Tool one.jsx",
        "/tmp/it's \"quoted\".jsx",
        "/tmp/$(touch /tmp/pwned).jsx",
        "/tmp/$(touch " + marker + ")`touch " + marker + "`.jsx",
        "/tmp/a; touch " + marker + "; .jsx",
        "/tmp/back\\slash\\n\\t.jsx",
        "/tmp/two\nlines.jsx",
        "/tmp/-e %s %d $HOME *.jsx",
        "/Users/me/スクリプト/ツール.jsx",
        " leading and trailing blanks ",
    };
    const bool pwnedBefore = std::filesystem::exists("/tmp/pwned");
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        ::unlink(state.PathOf("ran.log").c_str());
        RunWithPath(171, path);
        RunWithPath(172, path);
        EXPECT_EQ(state.Read("ran.log"), "171\t" + path + "\n172\t" + path + "\n");
    }
    EXPECT_FALSE(std::filesystem::exists(marker));
    if (!pwnedBefore) {
        EXPECT_FALSE(std::filesystem::exists("/tmp/pwned"));
    }
}

// Sets or unsets a variable for the scope, then puts it back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name)
    {
        const char* old = std::getenv(name);
        had_ = old != nullptr;
        if (had_) old_ = old;
        if (value) ::setenv(name, value, 1);
        else ::unsetenv(name);
    }
    ~ScopedEnv()
    {
        if (had_) ::setenv(name_, old_.c_str(), 1);
        else ::unsetenv(name_);
    }

private:
    const char* name_;
    bool had_ = false;
    std::string old_;
};

TEST(ShippedScriptsStateFolder, WithoutItsOwnVariableTheXdgStateFolderIsMadeAndUsed)
{
    const std::string home = fwtest::MakeTemporaryFolder();
    const std::string xdg = home + "/state home";
    const std::string fallback = home + "/.local/state/quillmere-standin";
    struct Case {
        const char* standinDir;    // nullptr: unset
        const char* xdgStateHome;  // nullptr: unset
        std::string folder;
    };
    const std::vector<Case> cases{
        {nullptr, nullptr, fallback},
        {nullptr, "", fallback},
        {"", nullptr, fallback},
        {nullptr, xdg.c_str(), xdg + "/quillmere-standin"},
    };
    ScopedEnv homeVariable("HOME", home.c_str());
    InstallScriptHost(MakeProcessScriptHost(QUILLMERE_SCRIPTS_DIR));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder);
        ScopedEnv standin("QUILLMERE_STANDIN_DIR", c.standinDir);
        ScopedEnv state("XDG_STATE_HOME", c.xdgStateHome);
        ScriptExecute(170, kLimit);
        std::ifstream front(c.folder + "/front");
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(front), {}), "Quillmere");
        fwtest::RemoveFolder(c.folder);
    }
    InstallScriptHost(nullptr);
    fwtest::RemoveFolder(home);
}

TEST_F(ShippedScriptsTest, StateFilesAreReplacedWholeNotRewrittenInPlace)
{
    // A hard link keeps the old file: rewritten in place, it would change too.
    auto events = MakeProcessAppleEventTransport(QUILLMERE_SCRIPTS_DIR);
    state.Write("running", "");
    struct Case {
        const char* writer;
        std::function<void()> write;
        const char* front;
    };
    const Case cases[] = {
        {"script 170", [] { ScriptExecute(170, kLimit); }, "Quillmere"},
        {"activate event",
         [&] { events->Send(*FourCharCode("misc"), *FourCharCode("actv"), *FourCharCode("ART5")); },
         "Illustrator"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.writer);
        state.Write("front", "Finder");
        ASSERT_EQ(::link(state.PathOf("front").c_str(), state.PathOf("old front").c_str()), 0);
        c.write();
        EXPECT_EQ(state.Read("front"), c.front);
        EXPECT_EQ(state.Read("old front"), "Finder");
        ::unlink(state.PathOf("old front").c_str());
    }
}

TEST_F(ShippedScriptsTest, ReadingTheStateStartsNoOtherProgram)
{
    // Script 169 runs every second: it may find its folder and read the state
    // with the shell's own commands only. Writers may still need mkdir and mv.
    const std::string none = state.PathOf(".no-tools"), tools = state.PathOf(".tools");
    std::filesystem::create_directory(none);
    std::filesystem::create_directory(tools);
    for (const char* tool : {"mkdir", "mv"})
        std::filesystem::create_symlink(std::filesystem::path("/bin") / tool, tools + "/" + tool);
    auto events = MakeProcessAppleEventTransport(QUILLMERE_SCRIPTS_DIR);
    state.Write("running", "");
    state.Write("version", "14.0.0\nsecond line");
    const struct {
        const char* step;
        std::string path;  // PATH while it runs
        std::function<std::string()> run;
        std::string answer;
    } cases[] = {
        {"168", none, [] { return ScriptFunction(168, kLimit); }, "14.0.0\nsecond line"},
        {"169", none, [] { return ScriptFunction(169, kLimit); }, "Quillmere"},
        {"170", tools, [this] { ScriptExecute(170, kLimit); return state.Read("front"); }, "Quillmere"},
        {"169 after 170", none, [] { return ScriptFunction(169, kLimit); }, "Quillmere"},
        {"activate event", tools,
         [&] {
             events->Send(*FourCharCode("misc"), *FourCharCode("actv"), *FourCharCode("ART5"));
             return state.Read("front");
         },
         "Illustrator"},
        {"169 after the event", none, [] { return ScriptFunction(169, kLimit); }, "Illustrator"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.step);
        ScopedEnv path("PATH", c.path.c_str());
        EXPECT_EQ(c.run(), c.answer);
    }
}

} // namespace
