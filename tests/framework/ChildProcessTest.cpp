// Helpers that hang, leave something behind, or are running when the
// program is asked to end: real child processes.

#include "framework/Application.h"
#include "framework/ChildProcess.h"
#include "framework/Platform.h"
#include "framework/Termination.h"
#include "support/StandinState.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <fstream>
#include <iterator>
#include <thread>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace fw;
using namespace std::chrono_literals;

namespace {

using Clock = std::chrono::steady_clock;

// Whether the process runs (a zombie that nobody has reaped yet does not).
bool Running(pid_t pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text(std::istreambuf_iterator<char>(stat), {});
    std::size_t close = text.rfind(')');
    return close != std::string::npos && close + 2 < text.size() && text[close + 2] != 'Z';
}

bool GoneWithin(pid_t pid, std::chrono::milliseconds patience)
{
    const auto deadline = Clock::now() + patience;
    while (Running(pid)) {
        if (Clock::now() > deadline) return false;
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

class ChildProcessTest : public ::testing::Test {
protected:
    // No ending left over from another test, and no platform: the waits sleep.
    void SetUp() override
    {
        RuntimeInit();
        InstallPlatform(nullptr);
    }
    void TearDown() override { fwtest::RemoveFolder(folder); }

    // A helper that starts a `sleep` of its own, notes its pid, then runs `rest`.
    void AddHelper(const std::string& rest)
    {
        const std::string path = folder + "/helper";
        std::ofstream(path) << "#!/bin/sh\nsleep 60 &\necho $! > \"$(dirname \"$0\")/sleeper\"\n" << rest << "\n";
        ::chmod(path.c_str(), 0755);
    }

    ChildResult Run(std::chrono::milliseconds limit) { return Run(HelperWait::Asking(limit)); }
    ChildResult Run(const HelperWait& wait, const WhileWaiting& meanwhile = {})
    {
        const auto start = Clock::now();
        ChildResult run = RunShippedHelper(folder, "helper", {}, wait, meanwhile);
        took = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
        return run;
    }

    pid_t Sleeper() const
    {
        pid_t pid = 0;
        std::ifstream(folder + "/sleeper") >> pid;
        return pid;
    }

    std::string folder = fwtest::MakeTemporaryFolder();
    std::chrono::milliseconds took{0};
};

TEST_F(ChildProcessTest, AHelperThatRunsOutOfTimeIsKilledWithWhatItStarted)
{
    AddHelper("wait");
    ChildResult run = Run(400ms);
    EXPECT_EQ(run.end, ChildEnd::TimedOut);
    EXPECT_GE(took, 400ms);
    EXPECT_LT(took, 2000ms);
    ASSERT_GT(Sleeper(), 0);
    EXPECT_TRUE(GoneWithin(Sleeper(), 2000ms));
}

TEST_F(ChildProcessTest, TheWaitEndsWithTheHelperNotWithWhatStillHoldsItsOutput)
{
    // The sleep keeps the helper's standard output open for a minute.
    AddHelper("echo answer");
    ChildResult run = Run(10s);
    EXPECT_TRUE(run.Succeeded());
    EXPECT_EQ(run.output, "answer\n");
    EXPECT_LT(took, 2000ms);
    EXPECT_TRUE(GoneWithin(Sleeper(), 2000ms));
    // Reaped: no child of ours is left, not even a zombie.
    errno = 0;
    EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
}

// Once the output is at its end only the helper's own end is waited for,
// without spinning on the closed pipe.
TEST_F(ChildProcessTest, AHelperThatClosesItsOutputEarlyIsWaitedForIdly)
{
    const std::string path = folder + "/helper";
    std::ofstream(path) << "#!/bin/sh\necho early\nsleep 0.2\nexec >&-\nsleep 0.5\n";
    ::chmod(path.c_str(), 0755);
    auto cpu = [] {
        rusage usage {};
        ::getrusage(RUSAGE_SELF, &usage);
        return std::chrono::seconds(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
               std::chrono::microseconds(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec);
    };
    const auto before = cpu();
    ChildResult run = Run(10s);
    const auto used = std::chrono::duration_cast<std::chrono::milliseconds>(cpu() - before);
    EXPECT_TRUE(run.Succeeded());
    EXPECT_EQ(run.output, "early\n");
    EXPECT_GE(took, 600ms);
    EXPECT_LT(used, 150ms);
}

// A helper that writes without end is still stopped at its limit, and of
// what it wrote only the first part is kept.
TEST_F(ChildProcessTest, WhatAHelperWritesIsKeptToItsFirstPart)
{
    const std::string path = folder + "/helper";
    std::ofstream(path) << "#!/bin/sh\nexec yes Illustrator\n";
    ::chmod(path.c_str(), 0755);
    ChildResult run = Run(500ms);
    EXPECT_EQ(run.end, ChildEnd::TimedOut);
    EXPECT_LT(took, 2000ms);
    ASSERT_EQ(run.output.size(), kKeptHelperOutput);
    EXPECT_EQ(run.output.substr(0, 24), "Illustrator\nIllustrator\n");
}

// The user's script file handed over: waited for to its end while events go
// on, and what it started is the user's and left alone.
TEST_F(ChildProcessTest, AHelperThatHandsOverWorkRunsToItsEndAndWhatItStartedIsLeftAlone)
{
    AddHelper("sleep 0.4\necho done");
    int passes = 0;
    ChildResult run = Run(HelperWait::HandingOver(), [&](const std::vector<int>&, std::chrono::milliseconds most) {
        ++passes;
        std::this_thread::sleep_for(std::min(most, std::chrono::milliseconds(20)));
    });
    EXPECT_TRUE(run.Succeeded());
    EXPECT_EQ(run.output, "done\n");
    EXPECT_GE(took, 400ms);
    EXPECT_GE(passes, 3);  // events went on while it ran
    ASSERT_GT(Sleeper(), 0);
    EXPECT_FALSE(GoneWithin(Sleeper(), 300ms));
    ::kill(Sleeper(), SIGKILL);
}

// Work that the user's script started may write to the script's standard
// output after the script has ended: it is not killed by a broken pipe.
TEST_F(ChildProcessTest, WhatAHandedOverScriptStartedMayStillWriteAfterItEnded)
{
    const std::string path = folder + "/helper";
    std::ofstream(path) << "#!/bin/sh\n(sleep 0.3; echo late; echo > \"$(dirname \"$0\")/wrote\") &\necho early\n";
    ::chmod(path.c_str(), 0755);
    ChildResult run = Run(HelperWait::HandingOver());
    EXPECT_TRUE(run.Succeeded());
    EXPECT_EQ(run.output, "early\n");
    EXPECT_LT(took, 300ms);
    const auto deadline = Clock::now() + 3s;
    while (!std::ifstream(folder + "/wrote") && Clock::now() < deadline) std::this_thread::sleep_for(20ms);
    EXPECT_TRUE(std::ifstream(folder + "/wrote")) << "the work was killed when it wrote";
}

// Real signals to this process, with the handlers the program installs; the
// former handling is put back afterwards.
class EndingTest : public ChildProcessTest {
protected:
    void SetUp() override
    {
        ChildProcessTest::SetUp();
        for (int s : kSignals) ::sigaction(s, nullptr, &former[index(s)]);
    }
    void TearDown() override
    {
        for (int s : kSignals) ::sigaction(s, &former[index(s)], nullptr);
        ForgetTerminationRequest();
        ChildProcessTest::TearDown();
    }
    static constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP, SIGPIPE};
    static std::size_t index(int s) { return std::size_t(std::find(std::begin(kSignals), std::end(kSignals), s) - kSignals); }
    struct sigaction former[4];
};

TEST_F(EndingTest, ASignalStopsTheRunningHelperAtOnceAndNoneStartsAfterIt)
{
    InstallTerminationHandlers();
    AddHelper("wait");
    std::thread signaller([] {
        std::this_thread::sleep_for(300ms);
        ::kill(::getpid(), SIGTERM);
    });
    ChildResult run = Run(20s);
    signaller.join();
    EXPECT_EQ(run.end, ChildEnd::Abandoned);
    EXPECT_LT(took, 2000ms);
    EXPECT_TRUE(TerminationRequested());
    EXPECT_TRUE(GoneWithin(Sleeper(), 2000ms));

    ::unlink((folder + "/sleeper").c_str());
    EXPECT_EQ(Run(20s).end, ChildEnd::Abandoned);
    EXPECT_LT(took, 100ms);
    EXPECT_EQ(Sleeper(), 0);  // not started at all
}

// The same ending asked for by code, on another thread: no signal breaks
// into the wait, only the wake-up descriptor ends it.
TEST_F(EndingTest, AnEndingAskedForByCodeStopsTheRunningHelperAtOnce)
{
    InstallTerminationHandlers();
    AddHelper("wait");
    std::thread asker([] {
        std::this_thread::sleep_for(300ms);
        NoteTerminationRequest();
    });
    ChildResult run = Run(5s);
    asker.join();
    EXPECT_EQ(run.end, ChildEnd::Abandoned);
    EXPECT_LT(took, 2000ms);
    EXPECT_TRUE(GoneWithin(Sleeper(), 2000ms));
}

// An ending asked for while the user's script runs stops the wait at once;
// the script is not stopped, and goes on to its end.
TEST_F(EndingTest, AnEndingLeavesAHelperThatHandsOverWorkRunning)
{
    InstallTerminationHandlers();
    AddHelper("sleep 1\necho ended > \"$(dirname \"$0\")/ended\"");
    const auto start = Clock::now();
    ChildResult run = Run(HelperWait::HandingOver(), [&](const std::vector<int>&, std::chrono::milliseconds most) {
        std::this_thread::sleep_for(std::min(most, std::chrono::milliseconds(20)));
        if (Clock::now() - start > 200ms) NoteTerminationRequest();
    });
    EXPECT_EQ(run.end, ChildEnd::LeftRunning);
    EXPECT_LT(took, 800ms);
    const auto deadline = Clock::now() + 5s;
    while (!std::ifstream(folder + "/ended") && Clock::now() < deadline) std::this_thread::sleep_for(20ms);
    EXPECT_TRUE(std::ifstream(folder + "/ended")) << "the script did not reach its end";
    ASSERT_GT(Sleeper(), 0);
    EXPECT_FALSE(GoneWithin(Sleeper(), 300ms));
    ::kill(Sleeper(), SIGKILL);
    while (::waitpid(-1, nullptr, 0) > 0) {
    }
}

// Once the ending is asked for, a helper is not even tried: one that could
// not start is not reported as broken.
TEST_F(EndingTest, AfterTheEndingIsAskedForNoHelperIsStarted)
{
    InstallTerminationHandlers();
    const std::string path = folder + "/helper";
    std::ofstream(path) << "#!/bin/sh\n";
    ::chmod(path.c_str(), 0644);  // not executable: starting it would fail
    ASSERT_EQ(Run(5s).end, ChildEnd::NotStarted);
    NoteTerminationRequest();
    ChildResult run = Run(5s);
    EXPECT_EQ(run.end, ChildEnd::Abandoned);
    EXPECT_EQ(run.failure, "");
}

// What the program ignores or blocks for itself is not passed on: a helper's
// pipeline must still end on a broken pipe, and be stoppable by signals.
TEST_F(EndingTest, AHelperStartsWithNoSignalIgnoredOrBlocked)
{
    InstallTerminationHandlers();  // ignores SIGPIPE
    sigset_t interrupt, former;
    sigemptyset(&interrupt);
    sigaddset(&interrupt, SIGINT);
    ASSERT_EQ(::pthread_sigmask(SIG_BLOCK, &interrupt, &former), 0);
    // The helper is grep itself: a shell in between might change the mask.
    ASSERT_EQ(::symlink("/bin/grep", (folder + "/helper").c_str()), 0);
    ChildResult run = RunShippedHelper(folder, "helper", {"-E", "^Sig(Blk|Ign):", "/proc/self/status"},
                                       HelperWait::Asking(10s));
    ::pthread_sigmask(SIG_SETMASK, &former, nullptr);
    ASSERT_TRUE(run.Succeeded()) << run.output;
    auto mask = [&](const std::string& field) {
        const std::size_t at = run.output.find(field + ":\t");
        return at == std::string::npos ? ~0ull : std::stoull(run.output.substr(at + field.size() + 2, 16), nullptr, 16);
    };
    auto bit = [](int signal) { return 1ull << (signal - 1); };
    EXPECT_EQ(mask("SigBlk") & bit(SIGINT), 0u) << run.output;
    EXPECT_EQ(mask("SigIgn") & bit(SIGPIPE), 0u) << run.output;
}

TEST_F(EndingTest, SignalsIgnoredAtStartStayIgnoredButTermAlwaysEnds)
{
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    for (int s : {SIGINT, SIGHUP, SIGTERM}) ::sigaction(s, &ignore, nullptr);
    InstallTerminationHandlers();
    struct Case {
        int signal;
        bool ignored;
    };
    for (const Case& c : {Case{SIGINT, true}, Case{SIGHUP, true}, Case{SIGTERM, false}, Case{SIGPIPE, true}}) {
        SCOPED_TRACE(c.signal);
        struct sigaction now {};
        ::sigaction(c.signal, nullptr, &now);
        EXPECT_EQ(now.sa_handler == SIG_IGN, c.ignored);
    }
}

} // namespace
