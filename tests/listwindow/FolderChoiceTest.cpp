#include "support/ProgramFixture.h"

using namespace fw;
using fwtest::ProgramFixture;

namespace {

class FolderChoice : public ProgramFixture {
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        former = Make({"Former/", "Former/old.jsx"});
        chosen = Make({"Chosen/", "Chosen/new.jsx"});
        window = Start();
        window->gMyScriptFolder = GetFolderItem(former);
        window->setLB1();
        platform->journal.clear();
        platform->messages.clear();
    }

    std::string former, chosen;
    std::shared_ptr<class Window1> window;
};

TEST_F(FolderChoice, AChosenFolderIsListedAtOnceAndSaved)
{
    platform->folderAnswers.push_back(chosen);
    window->BevelButton1()->ViewPressed();
    EXPECT_EQ(platform->journal, (std::vector<std::string>{"script 170", "window hidden", "folder dialog",
                                                           "window shown", "event misc/actv/ART5"}));
    ASSERT_EQ(platform->folderDialogs.size(), 1u);
    EXPECT_EQ(platform->folderDialogs[0].actionButtonCaption, "選択");
    EXPECT_EQ(platform->folderDialogs[0].title, "スクリプトフォルダ指定");
    EXPECT_EQ(platform->folderDialogs[0].promptText, "スクリプトフォルダを選択してください。");
    EXPECT_EQ(window->gMyScriptFolder->AbsolutePath(), chosen);
    EXPECT_EQ(Rows(window->LB1()), std::vector<std::string>{"new.jsx"});

    window->Close();
    EXPECT_EQ(ReadFile(PreferencesFile()), "20\n60\n150\n200\n" + chosen + "\n");
}

TEST_F(FolderChoice, CancellingKeepsFolderAndList)
{
    window->BevelButton1()->ViewPressed();  // no answer: cancelled
    EXPECT_EQ(platform->journal, (std::vector<std::string>{"script 170", "window hidden", "folder dialog",
                                                           "window shown", "event misc/actv/ART5"}));
    EXPECT_EQ(window->gMyScriptFolder->AbsolutePath(), former);
    EXPECT_EQ(Rows(window->LB1()), std::vector<std::string>{"old.jsx"});
}

TEST_F(FolderChoice, WithoutIllustratorTheMessageComesThenTheFolderIsListed)
{
    platform->AppleEvents().SetDelivered(false);
    platform->folderAnswers.push_back(chosen);
    window->BevelButton1()->ViewPressed();
    EXPECT_EQ(platform->messages, std::vector<std::string>{"Illustratorを起動してください。"});
    EXPECT_EQ(Rows(window->LB1()), std::vector<std::string>{"new.jsx"});
}

TEST_F(FolderChoice, AFailureInsideIsSwallowedAndTheNextTickShowsTheWindow)
{
    platform->folderAnswers.push_back(chosen);
    platform->duringFolderDialog = [] { throw RuntimeException("the dialog failed"); };
    window->BevelButton1()->ViewPressed();
    // It failed with the window hidden: hidden it stays, the folder unchanged.
    EXPECT_FALSE(window->Visible());
    EXPECT_EQ(window->gMyScriptFolder->AbsolutePath(), former);
    EXPECT_EQ(Rows(window->LB1()), std::vector<std::string>{"old.jsx"});
    platform->AdvanceClock(1000);  // the front application is Quillmere
    EXPECT_TRUE(window->Visible());
}

TEST_F(FolderChoice, IllustratorIsActivatedBeforeTheNewFolderIsListed)
{
    // A folder with nothing to list: its message shows when the list is filled.
    platform->folderAnswers.push_back(Make({"Empty/"}));
    window->BevelButton1()->ViewPressed();
    EXPECT_EQ(platform->journal,
              (std::vector<std::string>{"script 170", "window hidden", "folder dialog", "window shown",
                                        "event misc/actv/ART5", "script 170",
                                        "message スクリプトファイルが読み込めませんでした。",
                                        "event misc/actv/ART5"}));
}

struct FrontCase {
    const char* front;
    bool visible;
};

TEST_F(FolderChoice, TheWindowFollowsTheFrontApplicationAtEveryTick)
{
    const FrontCase cases[] = {
        {"Finder", false}, {"Illustrator", true}, {"", false}, {"Quillmere", true}, {"Photoshop", false},
        {"ILLUSTRATOR", true},
    };
    for (const FrontCase& c : cases) {
        SCOPED_TRACE(c.front);
        platform->Scripts().Answer(169, c.front);
        platform->AdvanceClock(1000);
        EXPECT_EQ(window->Visible(), c.visible);
    }
}

} // namespace
