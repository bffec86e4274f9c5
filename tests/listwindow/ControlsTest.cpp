#include "support/ProgramFixture.h"

#include "listwindow/Window1Timer1.h"

using namespace fw;
using fwtest::ProgramFixture;

namespace {

using Controls = ProgramFixture;

TEST_F(Controls, TheThreeControlsAreBuiltWithTheirDesignTimeValues)
{
    auto window = Start();
    auto list = window->LB1();
    auto button = window->BevelButton1();
    ASSERT_TRUE(list && button && window->Timer1());
    EXPECT_TRUE(std::dynamic_pointer_cast<Window1_Timer1>(window->ControlByName("Timer1")));

    EXPECT_EQ(list->ListCount(), 0);
    EXPECT_EQ(list->ColumnCount(), 2);
    EXPECT_FALSE(list->HasHeading());
    EXPECT_TRUE(list->Hierarchical());
    EXPECT_EQ((std::array{list->Left(), list->Top(), list->Width(), list->Height()}), (std::array{0, 0, 150, 174}));
    EXPECT_EQ((std::array{button->Left(), button->Top(), button->Width(), button->Height()}),
              (std::array{5, 177, 140, 20}));
    EXPECT_EQ(button->Caption(), "スクリプトフォルダ選択");
    for (RectControl* c : {static_cast<RectControl*>(list.get()), static_cast<RectControl*>(button.get())}) {
        EXPECT_EQ(c->TextSize(), 10.0f);
        EXPECT_EQ(c->TextUnit(), 0);
    }
    EXPECT_EQ(window->Timer1()->Mode(), 2);
    EXPECT_EQ(window->Timer1()->Period(), 1000);
}

TEST_F(Controls, TimerTicksEverySecondAndHoldsItsWindow)
{
    auto window = Start();
    auto timer = std::dynamic_pointer_cast<Window1_Timer1>(window->ControlByName("Timer1"));
    EXPECT_EQ(timer->Window(), window);
    timer->SetIndex(7);
    EXPECT_EQ(timer->Index(), 7);

    platform->journal.clear();
    platform->AdvanceClock(999);
    EXPECT_TRUE(platform->journal.empty());
    platform->AdvanceClock(2001);
    EXPECT_EQ(std::count(platform->journal.begin(), platform->journal.end(), "script 169"), 3);
}

TEST_F(Controls, WiredEventsReachTheWindowsHandlers)
{
    std::string folder = Make({"Listed/", "Listed/Tools/b.scpt", "Listed/x.jsx"});
    auto window = Start();
    window->gMyScriptFolder = GetFolderItem(folder);
    window->setLB1();
    auto list = window->LB1();
    ASSERT_EQ(Rows(list), (std::vector<std::string>{"Tools", "x.jsx"}));

    list->ViewSetExpanded(0, true);  // ExpandRow
    EXPECT_EQ(Rows(list), (std::vector<std::string>{"Tools", " b.scpt", "x.jsx"}));
    list->ViewSetExpanded(0, false);  // CollapseRow
    EXPECT_EQ(Rows(list), (std::vector<std::string>{"Tools", "x.jsx"}));

    platform->journal.clear();
    list->ViewSelected(1);
    list->ViewDoubleClicked();  // DoubleClick
    EXPECT_EQ(platform->journal, (std::vector<std::string>{"script 172(text \"" + folder + "/x.jsx\")"}));

    platform->journal.clear();
    window->BevelButton1()->ViewPressed();  // Action
    EXPECT_NE(std::find(platform->journal.begin(), platform->journal.end(), "folder dialog"), platform->journal.end());
}

TEST_F(Controls, EventsAfterTheWindowIsGoneRaiseAndRunNoHandler)
{
    std::string folder = Make({"Listed/", "Listed/x.jsx"});
    auto window = Start();
    window->gMyScriptFolder = GetFolderItem(folder);
    window->setLB1();
    ListboxRef list = window->LB1();
    list->SetListIndex(0);
    window->Close();
    window.reset();
    ASSERT_TRUE(OpenWindows().empty());

    platform->journal.clear();
    EXPECT_THROW(list->ViewDoubleClicked(), NilObjectException);
    EXPECT_TRUE(platform->journal.empty());
}

} // namespace
