// Folder rows opened and closed through the window's own handlers.

#include "ListedFolder.h"

#include <algorithm>

using namespace fw;

namespace {

using FolderRows = fwtest::ListedFolder;

const std::vector<std::string> kListed = {"More", "Tools", "x.jsx"};

struct Opener {
    const char* how;
    void (*set)(Listbox& list, std::int32_t row, bool open);
};

const Opener kOpeners[] = {
    {"the program", [](Listbox& l, std::int32_t row, bool open) { l.SetExpanded(row, open); }},
    {"the disclosure control", [](Listbox& l, std::int32_t row, bool open) { l.ViewSetExpanded(row, open); }},
    {"a double-click",
     [](Listbox& l, std::int32_t row, bool) {
         l.ViewSelected(row);
         l.ViewDoubleClicked();
     }},
};

TEST_F(FolderRows, ClosingAFolderRowRemovesEveryChildItAdded)
{
    for (const Opener& o : kOpeners) {
        SCOPED_TRACE(o.how);
        o.set(*list, 1, true);
        EXPECT_EQ(Rows(list), (std::vector<std::string>{"More", "Tools", " a.jsx", " b.scpt", " c.js", "x.jsx"}));
        for (std::int32_t child = 2; child <= 4; ++child) EXPECT_EQ(list->Cell(child, 1), "Tools");
        o.set(*list, 1, false);
        EXPECT_EQ(Rows(list), kListed);
        EXPECT_FALSE(list->Expanded(1));
        EXPECT_EQ(list->Cell(2, 0), "x.jsx");
    }
    EXPECT_TRUE(platform->journal.empty());
}

TEST_F(FolderRows, OfTwoOpenFolderRowsClosingOneTakesOnlyItsOwnChildren)
{
    struct Case {
        const char* which;
        std::int32_t row;
        std::vector<std::string> rows;
        std::int32_t stillOpen;
    };
    const Case cases[] = {
        {"the upper", 0, {"More", "Tools", " a.jsx", " b.scpt", " c.js", "x.jsx"}, 1},
        {"the lower", 3, {"More", " d.jsx", " e.js", "Tools", "x.jsx"}, 0},
    };
    for (const Opener& o : kOpeners)
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(o.how) + ", " + c.which);
            o.set(*list, 1, true);  // Tools
            o.set(*list, 0, true);  // More, above it
            ASSERT_EQ(Rows(list), (std::vector<std::string>{"More", " d.jsx", " e.js", "Tools", " a.jsx", " b.scpt",
                                                            " c.js", "x.jsx"}));
            o.set(*list, c.row, false);
            EXPECT_EQ(Rows(list), c.rows);
            EXPECT_TRUE(list->Expanded(c.stillOpen));
            EXPECT_EQ(list->Cell(c.stillOpen + 1, 1), list->Cell(c.stillOpen, 0));
            o.set(*list, c.stillOpen, false);
            EXPECT_EQ(Rows(list), kListed);
        }
}

TEST_F(FolderRows, TheSelectedRowStaysSelectedWhenRowsAboveItGo)
{
    struct Case {
        std::int32_t row;  // with both folder rows open
        std::string ran;
    };
    for (const Case& c : {Case{7, "script 172(text \"" + folder + "/x.jsx\")"},
                          Case{5, "script 171(text \"" + folder + "/Tools/b.scpt\")"}}) {
        SCOPED_TRACE(c.row);
        list->SetExpanded(1, true);
        list->SetExpanded(0, true);
        const String name = list->Cell(c.row, 0);
        list->ViewSelected(c.row);
        list->SetExpanded(0, false);  // two rows above it go
        EXPECT_EQ(list->ListIndex(), c.row - 2);
        EXPECT_EQ(list->Cell(list->ListIndex(), 0), name);
        platform->journal.clear();
        list->ViewDoubleClicked();  // on what is still selected
        EXPECT_EQ(platform->journal, std::vector<std::string>{c.ran});
        list->SetExpanded(1, false);
    }
}

// The handlers yield once a pass; a user who goes on clicking meanwhile is
// not heard, and the rows stay as the handlers build them.
TEST_F(FolderRows, TheUsersDoingDuringALongLoopIsDropped)
{
    std::vector<std::string> open = {"Big"};
    for (int i = 10; i < 70; ++i) {
        const std::string name = "f" + std::to_string(i).append(".jsx");
        Make({"L/Big/" + name});
        open.push_back(" " + name);
    }
    window->setLB1();
    std::vector<std::string> closed = {"Big"};
    closed.insert(closed.end(), kListed.begin(), kListed.end());
    open.insert(open.end(), kListed.begin(), kListed.end());
    auto rowOf = [&](const std::string& name) {
        for (std::int32_t r = 0; r < list->ListCount(); ++r)
            if (list->Cell(r, 0) == name) return r;
        return std::int32_t(-1);
    };

    struct Case {
        const char* what;
        bool bigOpen;          // before the double-click
        const char* clicked;   // the row double-clicked
        void (*user)(Listbox& list, std::int32_t more, std::int32_t x);
        bool bigOpenAfter;
        std::size_t scriptsRun;
    };
    const Case cases[] = {
        {"double-clicking the folder row again while it closes", true, "Big",
         [](Listbox& l, std::int32_t, std::int32_t) {
             l.ViewSelected(0);
             l.ViewDoubleClicked();
         },
         false, 0},
        {"opening, closing and choosing other rows while it opens", false, "Big",
         [](Listbox& l, std::int32_t more, std::int32_t x) {
             l.ViewSetExpanded(more, true);
             l.ViewSetExpanded(0, false);
             l.ViewSelected(x);
             l.ViewDoubleClicked();
         },
         true, 0},
        {"double-clicking another file while a script starts", false, "x.jsx",
         [](Listbox& l, std::int32_t more, std::int32_t) {
             l.ViewSelected(more + 1);
             l.ViewDoubleClicked();
         },
         false, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        list->SetExpanded(0, c.bigOpen);
        const std::int32_t clicked = rowOf(c.clicked);
        int heard = 0;
        platform->duringYield = [&] {
            ++heard;
            c.user(*list, rowOf("More"), rowOf("x.jsx"));
        };
        platform->journal.clear();
        DoubleClickRow(clicked);
        platform->duringYield = nullptr;

        EXPECT_GT(heard, 0);
        EXPECT_EQ(Rows(list), c.bigOpenAfter ? open : closed);
        EXPECT_EQ(list->Expanded(0), c.bigOpenAfter);
        EXPECT_FALSE(list->Expanded(rowOf("More")));
        EXPECT_EQ(list->ListIndex(), clicked);
        EXPECT_EQ(std::count_if(platform->journal.begin(), platform->journal.end(),
                                [](const std::string& e) { return e.rfind("script 17", 0) == 0 && e != "script 170"; }),
                  std::ptrdiff_t(c.scriptsRun));
    }
}

// The button and the list share the rule: while the handler of one thing the
// user did runs, what else the user does in the window is not heard.
TEST_F(FolderRows, TheButtonAndTheListWaitForEachOther)
{
    for (int i = 10; i < 40; ++i) Make({"L/Big/f" + std::to_string(i) + ".jsx", "N/n" + std::to_string(i) + ".jsx"});
    const std::string other = Make({"N/", "N/A/a.jsx"});
    window->setLB1();
    auto listing = [&] {
        std::vector<std::string> names = {"Big"};
        names.insert(names.end(), kListed.begin(), kListed.end());
        return names;
    }();
    std::vector<std::string> otherListing = {"A"};
    for (int i = 10; i < 40; ++i) otherListing.push_back("n" + std::to_string(i) + ".jsx");

    struct Case {
        const char* what;
        std::function<void()> start;   // what the user does first
        std::function<void()> during;  // and then while its handler yields
        const std::vector<std::string>* rows;
        std::size_t dialogs;
    };
    const Case cases[] = {
        {"the button while a folder row opens and closes",
         [&] {
             DoubleClickRow(0);
             DoubleClickRow(0);
         },
         [&] {
             platform->folderAnswers.push_back(other);
             window->BevelButton1()->ViewPressed();
         },
         &listing, 0},
        {"the list while the button fills it",
         [&] {
             platform->folderAnswers.push_back(other);
             window->BevelButton1()->ViewPressed();
         },
         [&] {
             list->ViewSetExpanded(0, true);
             DoubleClickRow(1);
         },
         &otherListing, 1},
        {"the button while the button fills the list",
         [&] {
             platform->folderAnswers.push_back(other);
             window->BevelButton1()->ViewPressed();
         },
         [&] { window->BevelButton1()->ViewPressed(); }, &otherListing, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        window->gMyScriptFolder = GetFolderItem(folder);
        window->setLB1();
        platform->folderDialogs.clear();
        platform->journal.clear();
        int heard = 0;
        platform->duringYield = [&] {
            if (++heard == 3) c.during();  // once, with rows listed: a nested handler would yield again
        };
        c.start();
        platform->duringYield = nullptr;
        platform->folderAnswers.clear();

        EXPECT_GT(heard, 3);
        EXPECT_EQ(Rows(list), *c.rows);
        EXPECT_EQ(platform->folderDialogs.size(), c.dialogs);
        EXPECT_EQ(std::count_if(platform->journal.begin(), platform->journal.end(),
                                [](const std::string& e) { return e.rfind("script 172", 0) == 0; }),
                  0);
        EXPECT_TRUE(platform->messages.empty()) << platform->messages.front();
    }
}

} // namespace
