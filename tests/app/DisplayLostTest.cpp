// The display goes away under the program, wherever it is: the backend ends
// it there and then, as a quit would, without a word to the views.

#include "support/ProgramFixture.h"

#include <functional>

using namespace fw;
using fwtest::ProgramFixture;
using fwtest::TestPlatform;

namespace {

// What follows the end the backend asks for: the process is gone.
struct ProcessEnds {};

struct Moment {
    const char* name;
    // Leads the window to the moment, where `displayGoes` is to run.
    void (*lead)(TestPlatform& platform, class Window1& window, const std::function<void()>& displayGoes);
};

const Moment kMoments[] = {
    {"between events", [](TestPlatform&, class Window1&, const std::function<void()>& goes) { goes(); }},
    {"during a message",
     [](TestPlatform& platform, class Window1& window, const std::function<void()>& goes) {
         platform.duringMessage = [goes](const std::string&) { goes(); };
         window.goscript(nullptr, "x.jsx");
     }},
    {"during the folder dialog, the window hidden",
     [](TestPlatform& platform, class Window1& window, const std::function<void()>& goes) {
         platform.duringFolderDialog = goes;
         window.BevelButton1()->ViewPressed();
     }},
    {"during a long loop",
     [](TestPlatform& platform, class Window1& window, const std::function<void()>& goes) {
         platform.duringYield = goes;
         window.LB1()->ViewSelected(0);
         window.LB1()->ViewDoubleClicked();  // opens Tools: a yield for each child
     }},
};

using DisplayLost = ProgramFixture;

TEST_F(DisplayLost, TheWindowsLastBoundsAndFolderAreSavedWithoutAWordToItsView)
{
    const std::string folder = Make({"Scripts/", "Scripts/Tools/a.jsx", "Scripts/Tools/b.jsx", "Scripts/c.jsx"});
    const std::string chosen = Make({"Chosen/", "Chosen/new.jsx"});
    for (const Moment& moment : kMoments) {
        SCOPED_TRACE(moment.name);
        WriteFile(PreferencesFile(), "40\n70\n150\n200\n" + folder + "\n");
        Restart();
        platform->folderAnswers.push_back(chosen);
        auto window = Start();
        // The user's last move and resize, as the view reports them.
        window->ViewMoved(500, 400);
        window->ViewResized(170, 220);

        std::int32_t status = -1;
        std::size_t heardBefore = 0;
        std::string saved;
        auto displayGoes = [&] {
            heardBefore = platform->journal.size();
            status = QuitWithoutDisplay();
            saved = ReadFile(PreferencesFile());
            throw ProcessEnds{};
        };
        try {
            moment.lead(*platform, *window, displayGoes);
        } catch (const ProcessEnds&) {
        }

        EXPECT_EQ(status, kDisplayLostStatus);
        EXPECT_EQ(saved, "500\n400\n170\n220\n" + folder + "\n");
        EXPECT_TRUE(OpenWindows().empty());
        EXPECT_EQ(platform->windowViewsDestroyed, 0);
        for (std::size_t i = heardBefore; i < platform->journal.size(); ++i) {
            const std::string& entry = platform->journal[i];
            EXPECT_FALSE(entry.starts_with("window ") || entry.starts_with("view ")) << "the view was told: " << entry;
        }
    }
}

} // namespace
