// What the handlers make of a compiled script that cannot be run, fails,
// takes too long, or is cut short because the program is ending.

#include "support/ProgramFixture.h"

using namespace fw;
using fwtest::ProgramFixture;
using Why = fw::ScriptCallException::Why;

namespace {

const Why kEveryWay[] = {Why::CannotStart, Why::TimedOut, Why::Signalled, Why::Failed, Why::Ending};

class HelperFailure : public ProgramFixture {
protected:
    void Clear()
    {
        platform->journal.clear();
        platform->messages.clear();
    }
};

TEST_F(HelperFailure, WithoutAVersionTheWindowStillOpensOnTheSavedFolder)
{
    std::string folder = Make({"Saved/", "Saved/a.jsx"});
    WriteFile(PreferencesFile(), "40\n70\n150\n200\n" + folder + "\n");
    for (Why why : kEveryWay) {
        SCOPED_TRACE(int(why));
        Restart();
        platform->Scripts().Fail(168, why);
        auto window = Start();
        EXPECT_TRUE(window->IsOpen());
        EXPECT_EQ(window->gAiver, "");
        EXPECT_EQ(Rows(window->LB1()), std::vector<std::string>{"a.jsx"});
        window->Close();
    }
}

TEST_F(HelperFailure, TheTimerLeavesTheWindowAsItIsWhenTheFrontCannotBeAsked)
{
    auto window = Start();
    for (bool visible : {true, false}) {
        SCOPED_TRACE(visible);
        platform->Scripts().Answer(169, visible ? "Illustrator" : "Finder");
        platform->AdvanceClock(1000);
        ASSERT_EQ(window->Visible(), visible);
        for (Why why : kEveryWay) {
            platform->Scripts().Fail(169, why);
            platform->AdvanceClock(3000);
            EXPECT_EQ(window->Visible(), visible);
        }
    }
    // Still running, and the close still saves.
    window->ViewCloseRequested();
    EXPECT_TRUE(QuitRequested());
    EXPECT_EQ(ReadFile(PreferencesFile()), "20\n60\n150\n200\n\n");
}

TEST_F(HelperFailure, NotComingToTheFrontHoldsNoMessageOrDialogBack)
{
    auto window = Start();
    std::string chosen = Make({"Chosen/", "Chosen/b.jsx"});
    platform->Scripts().Fail(170, Why::CannotStart);
    Clear();
    window->my_msgbox("x");
    EXPECT_EQ(platform->journal, (std::vector<std::string>{"script 170", "message x", "event misc/actv/ART5"}));

    Clear();
    platform->folderAnswers.push_back(chosen);
    window->BevelButton1()->ViewPressed();
    EXPECT_EQ(platform->journal, (std::vector<std::string>{"script 170", "window hidden", "folder dialog",
                                                           "window shown", "event misc/actv/ART5"}));
    EXPECT_EQ(Rows(window->LB1()), std::vector<std::string>{"b.jsx"});
}

struct RunCase {
    Why why;
    bool told;  // whether the user is told the script could not be run
};

// Only a script that could not be started is told: one that ran, however it
// ended, is the user's work, and Illustrator's to report.

TEST_F(HelperFailure, AScriptFileThatCouldNotBeRunIsToldThenIllustratorComesBack)
{
    auto window = Start();
    const RunCase cases[] = {
        {Why::CannotStart, true}, {Why::TimedOut, false}, {Why::Failed, false},
        {Why::Signalled, false},  {Why::Ending, false},
    };
    std::string jsx = Make({"Hello.jsx"});
    std::string scpt = Make({"Hello.scpt"});
    for (const RunCase& c : cases) {
        SCOPED_TRACE(int(c.why));
        for (auto [number, file, name] : {std::tuple{172, jsx, "Hello.jsx"}, std::tuple{171, scpt, "Hello.scpt"}}) {
            platform->Scripts().Fail(number, c.why);
            Clear();
            window->goscript(GetFolderItem(file), name);
            std::vector<std::string> expected{"script " + std::to_string(number) + "(text \"" + file + "\")"};
            if (c.told)
                expected.insert(expected.end(), {"script 170", std::string("message ") + name + "を実行できませんでした",
                                                 "event misc/actv/ART5"});
            EXPECT_EQ(platform->journal, expected);
        }
    }
}

} // namespace
