// Closing, quitting and endings asked for by signal while a handler is still
// running: they wait for the handler to return, then end the program the way
// the quit entry does.

#include "support/EndingRequests.h"
#include "support/ProgramFixture.h"

using namespace fw;
using fwtest::EndingRequest;
using fwtest::kEndingRequests;
using fwtest::ProgramFixture;
using fwtest::SignalArrives;

namespace {

class EndingRequests : public ProgramFixture {
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        former = Make({"Former/", "Former/Tools/a.jsx", "Former/Tools/b.jsx", "Former/Tools/c.jsx"});
        chosen = Make({"Chosen/", "Chosen/new.jsx"});
        WriteFile(PreferencesFile(), "40\n70\n150\n200\n" + former + "\n");
    }

    std::string SavedFolder() const
    {
        std::string saved = ReadFile(PreferencesFile());
        std::size_t end = saved.rfind('\n', saved.size() - 2);
        return saved.substr(end + 1, saved.size() - end - 2);
    }

    int WindowsOpened() const
    {
        return int(std::count(platform->journal.begin(), platform->journal.end(), "script 168"));
    }

    std::string former, chosen;
};

TEST_F(EndingRequests, ARequestDuringALongLoopWaitsForTheHandlerToReturn)
{
    for (const EndingRequest& request : kEndingRequests) {
        SCOPED_TRACE(request.name);
        Restart();
        std::vector<bool> openAtLaterYields;
        bool asked = false;
        platform->Post([&] {
            platform->duringYield = [&] {
                if (asked) {
                    openAtLaterYields.push_back(::Window1()->IsOpen());
                    return;
                }
                asked = true;
                DeliverFromLoop(request.ask);
            };
            auto list = ::Window1()->LB1();
            list->ViewSelected(0);
            list->ViewDoubleClicked();  // opens Tools: a yield for each child
            platform->duringYield = nullptr;
        });
        EXPECT_EQ(program::main(), 0);
        EXPECT_EQ(openAtLaterYields, std::vector<bool>(2, true));
        EXPECT_TRUE(OpenWindows().empty());
        EXPECT_EQ(WindowsOpened(), 1);
        EXPECT_EQ(SavedFolder(), former);
    }
}

TEST_F(EndingRequests, ASignalDuringAMessageKeepsWhatTheHandlerDoesAfterIt)
{
    // Illustrator not running: the folder dialog is followed by a message,
    // and the chosen folder is stored only after that.
    platform->AppleEvents().SetDelivered(false);
    platform->folderAnswers.push_back(chosen);
    platform->duringMessage = [](const std::string&) { SignalArrives(); };
    platform->Post([] { ::Window1()->BevelButton1()->ViewPressed(); });
    EXPECT_EQ(program::main(), 0);
    EXPECT_EQ(SavedFolder(), chosen);
    EXPECT_EQ(WindowsOpened(), 1);
    EXPECT_TRUE(OpenWindows().empty());
}

TEST_F(EndingRequests, NoDialogWaitsForAnAnswerOnceAnEndingWasAsked)
{
    for (const EndingRequest& request : kEndingRequests) {
        SCOPED_TRACE(request.name);
        Restart();
        platform->AppleEvents().SetDelivered(false);
        platform->folderAnswers.push_back(chosen);
        platform->duringMessage = [&](const std::string&) { DeliverFromLoop(request.ask); };
        platform->Post([] {
            ::Window1()->goscript(nullptr, "x.jsx");
            ::Window1()->BevelButton1()->ViewPressed();
        });
        EXPECT_EQ(program::main(), 0);
        // Not "Illustratorを起動してください。" after it, nor the folder dialog.
        EXPECT_EQ(platform->messages, std::vector<std::string>{"x.jsxが見つかりません"});
        EXPECT_TRUE(platform->folderDialogs.empty());
    }
}

} // namespace
