// A script file handed to Illustrator runs as long as it takes, and the
// program lives on meanwhile: real helper processes, run by the program on
// the scripted backend, whose yields stand for the events that come while
// a helper is waited for.

#include "support/EndingRequests.h"
#include "support/ProgramFixture.h"

#include "framework/Platform.h"

#include <sys/stat.h>
#include <sys/wait.h>

#include <chrono>
#include <thread>

using namespace fw;
using namespace std::chrono_literals;
using fwtest::EndingRequest;
using fwtest::kEndingRequests;
using Clock = std::chrono::steady_clock;

namespace {

class LongScript : public fwtest::ProgramFixture {
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        listed = Make({"Listed/", "Listed/batch.jsx"});
        scripts = Make({"scripts/"});
        log = scratch + "/helpers.log";
        AddScript(168, "");
        AddScript(169, "echo Illustrator");
        AddScript(170, "");
        WriteFile(PreferencesFile(), "40\n70\n150\n200\n" + listed + "\n");
    }

    // A fresh program that runs the helpers of `scripts`.
    void RestartOnTheseHelpers()
    {
        Restart();
        InstallScriptHost(MakeProcessScriptHost(scripts));
    }

    void AddScript(int number, const std::string& body) const
    {
        const std::string path = scripts + "/" + std::to_string(number);
        WriteFile(path, "#!/bin/sh\n" + body + "\n");
        ::chmod(path.c_str(), 0755);
    }

    // A helper that notes its start and its end in the log.
    void AddNotingScript(int number, const std::string& seconds, const std::string& answer = "") const
    {
        AddScript(number, "echo " + std::to_string(number) + " start >>'" + log + "'\nsleep " + seconds + "\necho " +
                              std::to_string(number) + " end >>'" + log + "'\necho " + answer);
    }

    void DoubleClickTheScript() const
    {
        auto list = ::Window1()->LB1();
        list->ViewSelected(0);
        list->ViewDoubleClicked();
    }

    std::string Log() const { return ReadFile(log); }

    std::string listed, scripts, log;
};

// The timer goes on while the script runs, but a tick never starts while an
// earlier tick still waits for its helper.
TEST_F(LongScript, TheTimerTicksWhileAScriptRunsButNeverInsideAnotherTick)
{
    AddNotingScript(172, "0.6");
    AddNotingScript(169, "0.3", "Illustrator");
    RestartOnTheseHelpers();
    int nested = 0;
    platform->Post([&] {
        // A pass of a wait lets a second of the timer go by: of the script's
        // wait, and of the wait of a tick that comes in it, where another
        // tick would come inside that one.
        platform->duringYield = [&] {
            if (nested == 2) return;
            ++nested;
            platform->AdvanceClock(1000);
            --nested;
        };
        DoubleClickTheScript();
        platform->duringYield = nullptr;
        Quit(0);
    });
    EXPECT_EQ(program::main(), 0);
    const std::string text = Log();
    const std::size_t scriptStart = text.find("172 start\n"), scriptEnd = text.find("172 end\n");
    ASSERT_NE(scriptEnd, std::string::npos) << text;
    EXPECT_NE(text.find("169 start\n", scriptStart), std::string::npos) << "no tick while the script ran:\n" << text;
    // Each tick's helper ends before the next tick's starts: no two starts
    // in a row.
    std::string ticks;  // "s" for a start, "e" for an end
    for (std::size_t at = text.find("169 "); at != std::string::npos; at = text.find("169 ", at + 1))
        ticks += text[at + 4];
    EXPECT_EQ(ticks.find("ss"), std::string::npos) << text;
}

// A close, the quit entry or a signal while the script runs ends the program
// at once, as after the script; the script goes on to its end, and nothing
// is reported.
TEST_F(LongScript, AnEndingAskedForWhileAScriptRunsComesAtOnceAndTheScriptRunsOn)
{
    AddNotingScript(172, "1");
    for (const EndingRequest& request : kEndingRequests) {
        SCOPED_TRACE(request.name);
        ::unlink(log.c_str());
        ::unlink(PreferencesFile().c_str());
        WriteFile(PreferencesFile(), "40\n70\n150\n200\n" + listed + "\n");
        RestartOnTheseHelpers();
        bool asked = false;
        platform->duringYield = [&] {
            if (!asked && Log() == "172 start\n") {
                asked = true;
                DeliverFromLoop(request.ask);
            }
        };
        platform->Post([&] { DoubleClickTheScript(); });
        ::testing::internal::CaptureStderr();
        const auto start = Clock::now();
        EXPECT_EQ(program::main(), 0);
        EXPECT_LT(Clock::now() - start, 800ms);
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
        EXPECT_TRUE(asked);
        EXPECT_EQ(ReadFile(PreferencesFile()), "40\n70\n150\n200\n" + listed + "\n");
        EXPECT_TRUE(platform->messages.empty());

        const auto deadline = Clock::now() + 5s;
        while (Log() != "172 start\n172 end\n" && Clock::now() < deadline) std::this_thread::sleep_for(20ms);
        EXPECT_EQ(Log(), "172 start\n172 end\n");
        while (::waitpid(-1, nullptr, WNOHANG) > 0) {
        }
    }
}

} // namespace
