#include "support/ProgramFixture.h"

#include <filesystem>

using namespace fw;
using fwtest::ProgramFixture;

namespace {

class DoubleClick : public ProgramFixture {
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        folder = Make({"L/", "L/Tools/a.jsx", "L/Tools/b.scpt", "L/Tools/c.js", "L/x.jsx", "L/More/d.jsx"});
        window = Start();
        window->gMyScriptFolder = GetFolderItem(folder);
        window->setLB1();
        list = window->LB1();
        platform->journal.clear();
        platform->messages.clear();
    }

    void DoubleClickRow(std::int32_t row)
    {
        list->ViewSelected(row);
        list->ViewDoubleClicked();
    }

    std::string folder;
    std::shared_ptr<class Window1> window;
    ListboxRef list;
};

TEST_F(DoubleClick, FolderRowsOnlyOpenAndClose)
{
    ASSERT_EQ(Rows(list), (std::vector<std::string>{"More", "Tools", "x.jsx"}));
    DoubleClickRow(1);
    EXPECT_EQ(Rows(list), (std::vector<std::string>{"More", "Tools", " a.jsx", " b.scpt", " c.js", "x.jsx"}));
    EXPECT_EQ(list->Cell(3, 1), "Tools");
    DoubleClickRow(0);
    EXPECT_EQ(Rows(list),
              (std::vector<std::string>{"More", " d.jsx", "Tools", " a.jsx", " b.scpt", " c.js", "x.jsx"}));
    DoubleClickRow(0);
    EXPECT_EQ(Rows(list), (std::vector<std::string>{"More", "Tools", " a.jsx", " b.scpt", " c.js", "x.jsx"}));
    EXPECT_TRUE(platform->journal.empty());
}

TEST_F(DoubleClick, FileRowsRunTheirFile)
{
    DoubleClickRow(2);  // x.jsx
    EXPECT_EQ(platform->journal, std::vector<std::string>{"script 172(text \"" + folder + "/x.jsx\")"});

    DoubleClickRow(1);  // open Tools
    platform->journal.clear();
    DoubleClickRow(3);  // its child b.scpt
    EXPECT_EQ(platform->journal, std::vector<std::string>{"script 171(text \"" + folder + "/Tools/b.scpt\")"});
}

TEST_F(DoubleClick, NoRowOrAnEmptyRowRunsNothing)
{
    DoubleClickRow(-1);
    list->SetCell(2, 0, "");
    DoubleClickRow(2);
    EXPECT_TRUE(platform->journal.empty());
    EXPECT_TRUE(platform->messages.empty());
}

TEST_F(DoubleClick, FilesGoneSinceTheListWasFilledAreReportedNotFound)
{
    DoubleClickRow(1);  // open Tools
    std::filesystem::remove_all(folder + "/Tools");
    std::filesystem::remove(folder + "/x.jsx");
    DoubleClickRow(2);  // a.jsx, whose folder has gone
    DoubleClickRow(5);  // x.jsx
    EXPECT_EQ(platform->messages, (std::vector<std::string>{"a.jsxが見つかりません", "x.jsxが見つかりません"}));
    EXPECT_EQ(std::count_if(platform->journal.begin(), platform->journal.end(),
                            [](const std::string& e) { return e.rfind("script 17", 0) == 0 && e != "script 170"; }),
              0);
}

TEST_F(DoubleClick, AnEntryIsLookedUpByItsListedName)
{
    std::string oddFolder = Make({"Odd/"});
    WriteFile(oddFolder + "/Tool\xFF.jsx", "");
    window->gMyScriptFolder = GetFolderItem(oddFolder);
    window->setLB1();
    ASSERT_EQ(Rows(list), std::vector<std::string>{"Tool\xEF\xBF\xBD.jsx"});
    DoubleClickRow(0);
    EXPECT_EQ(platform->journal, std::vector<std::string>{"script 172(text \"" + oddFolder + "/Tool\xFF.jsx\")"});
}

TEST_F(DoubleClick, RowsThatLookAlikeRunNothing)
{
    const std::string shown = "\xEF\xBF\xBD";  // U+FFFD, as bytes that are no text are shown
    std::string odd = Make({"Same/", "Same/bad\xFF.jsx", "Same/bad" + shown + ".jsx", "Same/T\xFF/a.jsx",
                            "Same/T" + shown + "/a.jsx"});
    window->gMyScriptFolder = GetFolderItem(odd);
    window->setLB1();
    ASSERT_EQ(Rows(list), (std::vector<std::string>{"bad" + shown + ".jsx", "bad" + shown + ".jsx", "T" + shown,
                                                    "T" + shown}));
    list->SetExpanded(3, true);
    list->SetExpanded(2, true);
    ASSERT_EQ(list->ListCount(), 6);
    for (std::int32_t row : {0, 1, 3, 5}) DoubleClickRow(row);
    EXPECT_EQ(platform->messages, (std::vector<std::string>{"bad" + shown + ".jsxが見つかりません",
                                                            "bad" + shown + ".jsxが見つかりません",
                                                            "a.jsxが見つかりません", "a.jsxが見つかりません"}));
    EXPECT_EQ(std::count_if(platform->journal.begin(), platform->journal.end(),
                            [](const std::string& e) { return e.rfind("script 17", 0) == 0 && e != "script 170"; }),
              0);
}

} // namespace
