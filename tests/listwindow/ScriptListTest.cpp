#include "support/ProgramFixture.h"

#include <filesystem>

using namespace fw;
using fwtest::ProgramFixture;

namespace {

const std::string kNothingToList = "スクリプトファイルが読み込めませんでした。";

class ScriptList : public ProgramFixture {
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        window = Start();  // no folder known yet: the first fill shows its message
        platform->messages.clear();
    }

    void Fill(const std::string& folder)
    {
        window->gMyScriptFolder = folder.empty() ? nullptr : GetFolderItem(folder);
        window->setLB1();
    }

    std::shared_ptr<class Window1> window;
};

TEST_F(ScriptList, WorkedExampleListsFilesAndFoldersWithTheirChildren)
{
    std::string folder = Make({"L/", "L/.DS_Store", "L/a.jsx", "L/Tools/.DS_Store", "L/Tools/b.scpt",
                               "L/Tools/c.js", "L/d.scpt", "L/.hidden"});
    WriteFile(folder + "/.hidden", "d.scpt\n");  // hidden as the desktop's file managers hide it
    Fill(folder);
    auto list = window->LB1();
    EXPECT_EQ(Rows(list), (std::vector<std::string>{"a.jsx", "Tools"}));
    EXPECT_EQ(list->Cell(0, 1), "");
    EXPECT_FALSE(list->RowIsFolder(0));
    EXPECT_TRUE(list->RowIsFolder(1));
    EXPECT_FALSE(list->Expanded(1));
    EXPECT_EQ(list->Cell(1, 1), "b.scpt<>c.js");
    EXPECT_EQ(list->ColumnCount(), 1);
    EXPECT_TRUE(platform->messages.empty());
}

TEST_F(ScriptList, ChildrenAreListedByTheirNamesOnly)
{
    std::string folder = Make({"L/", "L/Deep/Inner/never.jsx", "L/Deep/e.jsx", "L/Deep/.x.jsx", "L/Deep/z.jsx",
                               "L/Deep/.hidden"});
    // Inside a listed sub-folder only a leading "." hides a child.
    WriteFile(folder + "/Deep/.hidden", "z.jsx\n");
    WriteFile(folder + "/Deep/zz\xFF.jsx", "");  // not valid text: shown as it can be
    Fill(folder);
    EXPECT_EQ(window->LB1()->Cell(0, 1), "e.jsx<>Inner<>z.jsx<>zz\xEF\xBF\xBD.jsx");
}

// A big folder must not freeze the window while it is read, before any row
// is shown: events are let through after every entry and every child.
TEST_F(ScriptList, ReadingAFolderLetsEventsThroughAfterEveryEntry)
{
    Fill(Make({"Old/", "Old/old.jsx"}));
    std::string folder = Make({"L/", "L/a.jsx", "L/b.jsx", "L/c.jsx", "L/Tools/d.jsx", "L/Tools/e.jsx",
                               "L/Tools/f.jsx"});
    int whileReading = 0;
    platform->duringYield = [&] {
        if (Rows(window->LB1()) == std::vector<std::string>{"old.jsx"}) ++whileReading;
    };
    Fill(folder);
    platform->duringYield = nullptr;
    EXPECT_GE(whileReading, 4 + 3);  // four entries, three children
    EXPECT_EQ(Rows(window->LB1()), (std::vector<std::string>{"a.jsx", "b.jsx", "c.jsx", "Tools"}));
}

TEST_F(ScriptList, NothingToListShowsTheMessageAndKeepsTheColumns)
{
    const std::vector<std::string> folders = {
        "",                                     // no folder known
        Make({"Empty/"}),                       //
        Make({"Hidden/", "Hidden/.a.jsx"}),     //
        Make({"Bare/", "Bare/Sub/", "Bare/Sub/.x"}),  // a folder with nothing to run is not listed
    };
    for (const std::string& folder : folders) {
        SCOPED_TRACE(folder);
        platform->messages.clear();
        Fill(folder);
        EXPECT_EQ(platform->messages, std::vector<std::string>{kNothingToList});
        EXPECT_EQ(window->LB1()->ListCount(), 0);
        EXPECT_EQ(window->LB1()->ColumnCount(), 2);
    }
}

TEST_F(ScriptList, ANewFolderReplacesEveryRowOfTheFormer)
{
    std::string first = Make({"One/", "One/a.jsx", "One/Tools/b.jsx"});
    std::string second = Make({"Two/", "Two/z.jsx"});
    std::string empty = Make({"Three/"});
    Fill(first);
    window->LB1()->SetExpanded(1, true);
    ASSERT_EQ(Rows(window->LB1()), (std::vector<std::string>{"a.jsx", "Tools", " b.jsx"}));

    Fill(second);
    EXPECT_EQ(Rows(window->LB1()), std::vector<std::string>{"z.jsx"});

    // A folder with nothing to list leaves no rows that would be looked up in it.
    Fill(empty);
    EXPECT_TRUE(Rows(window->LB1()).empty());
}

TEST_F(ScriptList, AFolderThatCannotBeReadLeavesNoStaleRows)
{
    std::string first = Make({"One/", "One/a.jsx"});
    Fill(first);
    std::filesystem::remove_all(first);
    Fill(first);  // vanished since it was chosen: nothing to list
    EXPECT_EQ(platform->messages, std::vector<std::string>{kNothingToList});
    EXPECT_TRUE(Rows(window->LB1()).empty());
}

// The list string joins names with "</>", "<@>" and "<>"; names that hold
// them, or a lone "<", are still one row each, shown whole, and run their
// own file, at both levels.
TEST_F(ScriptList, NamesHoldingTheSeparatorsAreShownWholeAndRunThemselves)
{
    const std::string repaired = "\xEF\xBF\xBD";  // U+FFFD, as a byte that is no text is shown
    std::string folder = Make({"L/", "L/<", "L/m<>n.jsx", "L/q\xFF<@>r.jsx", "L/s.jsx<", "L/T<@>u/<",
                               "L/T<@>u/c<>d.jsx", "L/T<@>u/e.jsx<", "L/T<@>u/h<@>i.jsx", "L/T<@>u/w\xFF<>v.jsx",
                               "L/x/y.jsx", "L/x<@>y.jsx"});
    auto ran = [&](const std::string& path) { return "script 172(text \"" + folder + "/" + path + "\")"; };
    struct Row {
        std::string shown;   // children indented by one blank
        std::string parent;  // the data column; unused for folder rows
        std::string runs;    // what a double-click runs; "": nothing, and no message
        bool folder = false;
    };
    const std::vector<Row> rows = {
        {"<", "", ""},
        {"m<>n.jsx", "", ran("m<>n.jsx")},
        {"q" + repaired + "<@>r.jsx", "", ran("q\xFF<@>r.jsx")},
        {"s.jsx<", "", ""},
        {"T<@>u", "", "", true},
        {" <", "T<@>u", ""},
        {" c<>d.jsx", "T<@>u", ran("T<@>u/c<>d.jsx")},
        {" e.jsx<", "T<@>u", ""},
        {" h<@>i.jsx", "T<@>u", ran("T<@>u/h<@>i.jsx")},
        {" w" + repaired + "<>v.jsx", "T<@>u", ran("T<@>u/w\xFF<>v.jsx")},
        {"x", "", "", true},
        {" y.jsx", "x", ran("x/y.jsx")},
        {"x<@>y.jsx", "", ran("x<@>y.jsx")},
    };
    std::vector<std::string> shown, closed;
    for (const Row& r : rows) {
        shown.push_back(r.shown);
        if (r.shown[0] != ' ') closed.push_back(r.shown);
    }

    Fill(folder);
    auto list = window->LB1();
    ASSERT_EQ(Rows(list), closed);
    for (std::int32_t row = list->ListCount() - 1; row >= 0; --row)
        if (list->RowIsFolder(row)) list->SetExpanded(row, true);
    ASSERT_EQ(Rows(list), shown);

    for (std::size_t row = 0; row < rows.size(); ++row) {
        const Row& r = rows[row];
        SCOPED_TRACE(r.shown);
        EXPECT_EQ(list->RowIsFolder(std::int32_t(row)), r.folder);
        if (r.folder) continue;
        EXPECT_EQ(list->Cell(std::int32_t(row), 1), r.parent);
        platform->journal.clear();
        list->ViewSelected(std::int32_t(row));
        list->ViewDoubleClicked();
        EXPECT_EQ(platform->journal, r.runs.empty() ? std::vector<std::string>{} : std::vector<std::string>{r.runs});
        EXPECT_TRUE(platform->messages.empty()) << platform->messages.front();
        platform->messages.clear();
    }

    // Closing takes away exactly the children that opening put there.
    for (std::int32_t row = list->ListCount() - 1; row >= 0; --row)
        if (list->Expanded(row)) list->SetExpanded(row, false);
    EXPECT_EQ(Rows(list), closed);
}

TEST_F(ScriptList, ATwentyThousandEntryFolderIsListedInOrder)
{
    std::string folder = Make({"Big/"});
    for (int i = 0; i < 20000; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "/s%05d.jsx", i);
        WriteFile(folder + name, "");
    }
    Fill(folder);
    auto list = window->LB1();
    ASSERT_EQ(list->ListCount(), 20000);
    EXPECT_EQ(list->Cell(0, 0), "s00000.jsx");
    EXPECT_EQ(list->Cell(19999, 0), "s19999.jsx");
}

TEST_F(ScriptList, AFailureWhileRowsAreAddedKeepsThoseAddedAndTheColumns)
{
    std::string former = Make({"Former/", "Former/old.jsx"});
    std::string folder = Make({"L/", "L/a.jsx", "L/b.jsx", "L/c.jsx"});
    auto list = window->LB1();
    // Raised at the yield after the row "b.jsx" was added.
    auto failAfterB = [&] {
        if (list->ListCount() > 0 && list->Cell(list->LastIndex(), 0) == "b.jsx")
            throw RuntimeException("failed while filling");
    };
    struct Case {
        const char* what;
        std::string earlierFolder;  // "": none was listed before
        std::int32_t columns;       // as the earlier fill left them
    };
    const Case cases[] = {{"first fill", "", 2}, {"after a fill", former, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (!c.earlierFolder.empty()) Fill(c.earlierFolder);
        platform->duringYield = failAfterB;
        Fill(folder);
        platform->duringYield = nullptr;
        EXPECT_EQ(Rows(list), (std::vector<std::string>{"a.jsx", "b.jsx"}));
        EXPECT_EQ(list->ColumnCount(), c.columns);
        EXPECT_TRUE(platform->messages.empty());
    }
}

} // namespace
