// Helpers that hang, leave something behind, or are running when the
// program is asked to end: real child processes.

#include "framework/ChildProcess.h"
#include "framework/Termination.h"
#include "support/StandinState.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <iterator>
#include <thread>

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
    void TearDown() override { fwtest::RemoveFolder(folder); }

    // A helper that starts a `sleep` of its own, notes its pid, then runs `rest`.
    void AddHelper(const std::string& rest)
    {
        const std::string path = folder + "/helper";
        std::ofstream(path) << "#!/bin/sh\nsleep 60 &\necho $! > \"$(dirname \"$0\")/sleeper\"\n" << rest << "\n";
        ::chmod(path.c_str(), 0755);
    }

    ChildResult Run(std::chrono::milliseconds limit)
    {
        const auto start = Clock::now();
        ChildResult run = RunShippedHelper(folder, "helper", {}, limit);
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

// Real signals to this process, with the handlers the program installs; the
// former handling is put back afterwards.
class EndingTest : public ChildProcessTest {
protected:
    void SetUp() override
    {
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
