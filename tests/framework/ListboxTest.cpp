#include "framework/Listbox.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <vector>

using namespace fw;

namespace {

// A list whose ExpandRow, CollapseRow and DoubleClick handlers run what the
// test gives them; by default opening a folder row adds nothing.
class ListboxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        current = this;
        list = New<Listbox>();
        auto delegate = RuntimeCreateDelegate(nullptr, nullptr, nullptr, "( Listbox, Int32 )", 0);
        list->AddEventHandler(list->Class().EventSlot("ExpandRow"), &Entry<&ListboxTest::onExpand>, delegate);
        list->AddEventHandler(list->Class().EventSlot("CollapseRow"), &Entry<&ListboxTest::onCollapse>, delegate);
        list->AddEventHandler(list->Class().EventSlot("DoubleClick"), &Entry<&ListboxTest::onDoubleClick>, delegate);
        list->SetColumnCount(2);
    }

    void TearDown() override { current = nullptr; }

    using Handler = std::function<void(std::int32_t row)>;
    template <Handler ListboxTest::*H>
    static void Entry(Control&, std::int32_t row)
    {
        if (current->*H) (current->*H)(row);
    }

    void AddChildren(std::int32_t row, int count)
    {
        for (int i = 1; i <= count; ++i) list->AddRow({list->Cell(row, 0) + "/" + std::to_string(i)});
    }

    std::vector<std::string> Shown() const
    {
        std::vector<std::string> rows;
        for (std::int32_t r = 0; r < list->ListCount(); ++r)
            rows.push_back(std::string(std::size_t(list->RowDepth(r)), ' ') + list->Cell(r, 0));
        return rows;
    }

    static inline ListboxTest* current = nullptr;
    ListboxRef list;
    Handler onExpand, onCollapse, onDoubleClick;
};

TEST_F(ListboxTest, RowsAddedWhileAFolderRowOpensGoBeneathIt)
{
    list->AddFolder("A");
    list->AddFolder("B");
    list->AddRow({"z"});
    // A's handler opens B half-way: each folder row gets its own children.
    onExpand = [&](std::int32_t row) {
        list->AddRow({list->Cell(row, 0) + "/1"});
        if (row == 0) list->SetExpanded(list->ListCount() - 2, true);
        list->AddFolder(list->Cell(row, 0) + "/2");
    };
    list->SetExpanded(0, true);
    EXPECT_EQ(Shown(), (std::vector<std::string>{"A", " A/1", " A/2", "B", " B/1", " B/2", "z"}));
    EXPECT_EQ(list->LastIndex(), 2);
    EXPECT_TRUE(list->Expanded(0) && list->Expanded(3));

    // A folder row beneath another stays closed: the list has two levels.
    EXPECT_TRUE(list->RowIsFolder(2));
    list->SetExpanded(0, false);  // no handler takes A's children away
    list->SetExpanded(2, true);
    EXPECT_FALSE(list->Expanded(2));
    EXPECT_FALSE(list->Expanded(0));
    EXPECT_EQ(list->ListCount(), 7);

    list->AddRow({"y"});  // no folder row is opening: at the end, top level
    EXPECT_EQ(Shown().back(), "y");
    EXPECT_EQ(list->LastIndex(), 7);
}

// A handler that closes and reopens its own folder row: the rows it adds
// afterwards come after those that the second opening added.
TEST_F(ListboxTest, AFolderRowReopenedByItsOwnHandlerKeepsTheOrderRowsWereAdded)
{
    list->AddFolder("A");
    list->AddRow({"z"});
    int openings = 0;
    onCollapse = [&](std::int32_t row) {
        while (row + 1 < list->ListCount() && list->RowDepth(row + 1) == 1) list->RemoveRow(row + 1);
    };
    onExpand = [&](std::int32_t row) {
        if (openings++ > 0) {
            AddChildren(row, 2);
            return;
        }
        list->AddRow({"dropped"});
        list->SetExpanded(row, false);
        list->SetExpanded(row, true);
        list->AddRow({"late"});
    };
    list->SetExpanded(0, true);
    EXPECT_EQ(Shown(), (std::vector<std::string>{"A", " A/1", " A/2", " late", "z"}));
}

TEST_F(ListboxTest, PlainRowsNeverOpenAndRowMinusOneIsNoRow)
{
    list->AddRow({"x.jsx"});
    list->SetExpanded(0, true);
    EXPECT_FALSE(list->Expanded(0));

    list->SetExpanded(-1, true);
    list->SetCell(-1, 0, "ignored");
    EXPECT_FALSE(list->Expanded(-1));
    EXPECT_EQ(list->Cell(-1, 0), "");
    EXPECT_EQ(list->Cell(0, 1), "");  // never written
    EXPECT_EQ(list->Cell(0, 7), "");
    EXPECT_THROW(list->Cell(99, 0), OutOfBoundsException);
    EXPECT_THROW(list->Cell(0, -1), OutOfBoundsException);
    EXPECT_THROW(list->RemoveRow(1), OutOfBoundsException);
}

// A row written through LastIndex must still be one of the list's rows once
// the row last added is gone.
TEST_F(ListboxTest, LastIndexStaysARowOfTheList)
{
    list->AddRow({"a"});
    list->AddRow({"b"});
    list->RemoveRow(1);
    EXPECT_EQ(list->LastIndex(), 0);
    list->SetCell(list->LastIndex(), 1, "kept");
    EXPECT_EQ(list->Cell(0, 1), "kept");
    list->RemoveRow(0);
    EXPECT_EQ(list->LastIndex(), -1);
}

TEST_F(ListboxTest, HiddenColumnsKeepTheirTexts)
{
    list->AddFolder("Tools");
    list->SetCell(0, 1, "a.jsx<>b.scpt<>c.js");
    list->SetColumnCount(1);
    EXPECT_EQ(list->Cell(0, 1), "a.jsx<>b.scpt<>c.js");
    // A list of no columns would show nothing at all.
    list->SetColumnCount(0);
    EXPECT_EQ(list->ColumnCount(), 1);
}

// The view may name a row that the list no longer has: nothing is selected.
TEST_F(ListboxTest, ARowTheViewNamesOutsideTheListSelectsNothing)
{
    list->AddRow({"a"});
    list->AddRow({"b"});
    for (std::int32_t row : {2, 99, -7}) {
        SCOPED_TRACE(row);
        list->SetListIndex(1);
        list->ViewSelected(row);
        EXPECT_EQ(list->ListIndex(), -1);
    }
}

TEST_F(ListboxTest, SelectionFollowsItsRowAndDeleteAllRowsRaisesNothing)
{
    list->AddFolder("A");
    list->AddRow({"x"});
    list->AddFolder("B");
    onExpand = [&](std::int32_t row) { AddChildren(row, 3); };
    list->SetListIndex(2);  // B
    list->SetExpanded(0, true);
    EXPECT_EQ(list->ListIndex(), 5);
    EXPECT_EQ(list->Cell(list->ListIndex(), 0), "B");
    list->RemoveRow(2);  // a row above it
    EXPECT_EQ(list->Cell(list->ListIndex(), 0), "B");
    list->RemoveRow(4);
    EXPECT_EQ(list->ListIndex(), -1);

    bool collapsed = false;
    onCollapse = [&](std::int32_t) { collapsed = true; };
    list->DeleteAllRows();  // A is open: no CollapseRow may run on an empty list
    EXPECT_FALSE(collapsed);
    EXPECT_EQ(list->ListCount(), 0);
    EXPECT_EQ(list->ListIndex(), -1);
    EXPECT_EQ(list->LastIndex(), -1);
}

TEST_F(ListboxTest, RemovingAnOpenFolderRowKeepsItsChildrenAsTopLevelRows)
{
    list->AddFolder("A");
    list->AddFolder("B");
    onExpand = [&](std::int32_t row) { AddChildren(row, 2); };
    list->SetExpanded(1, true);
    list->SetExpanded(0, true);
    list->RemoveRow(0);
    EXPECT_EQ(Shown(), (std::vector<std::string>{"A/1", "A/2", "B", " B/1", " B/2"}));
    EXPECT_TRUE(list->Expanded(2));
}

// A handler may take away the folder row that is opening, or every row: the
// rows it adds afterwards go to the end, at the top level.
TEST_F(ListboxTest, RowsGoneWhileAFolderRowOpens)
{
    struct Case {
        const char* what;
        void (*take)(Listbox& list, std::int32_t row);
        std::vector<std::string> rows;
    };
    for (const Case& c : {Case{"every row", [](Listbox& l, std::int32_t) { l.DeleteAllRows(); }, {"late"}},
                          Case{"the folder row", [](Listbox& l, std::int32_t row) { l.RemoveRow(row); },
                               {"first", "x", "late"}}}) {
        SCOPED_TRACE(c.what);
        list->DeleteAllRows();
        list->AddFolder("A");
        list->AddRow({"x"});
        onExpand = [&](std::int32_t row) {
            list->AddRow({"first"});
            c.take(*list, row);
            list->AddRow({"late"});
        };
        list->SetExpanded(0, true);
        EXPECT_EQ(Shown(), c.rows);
    }
}

// While a handler of the rows runs (it yields), the user's doing is dropped.
TEST_F(ListboxTest, TheUsersDoingIsDroppedWhileARowHandlerRuns)
{
    list->AddFolder("A");
    list->AddFolder("B");
    list->AddRow({"x"});
    list->SetListIndex(0);
    int doubleClicks = 0;
    std::function<void()> user;
    onExpand = [&](std::int32_t row) {
        AddChildren(row, 1);
        user();
    };
    onCollapse = [&](std::int32_t row) {
        user();
        list->RemoveRow(row + 1);
    };
    onDoubleClick = [&](std::int32_t) {
        ++doubleClicks;
        user();
    };
    const std::vector<std::pair<const char*, std::function<void()>>> actions = {
        {"select", [&] { list->ViewSelected(2); }},
        {"open", [&] { list->ViewSetExpanded(list->ListCount() - 2, true); }},
        {"close", [&] { list->ViewSetExpanded(0, false); }},
        {"double-click", [&] { list->ViewDoubleClicked(); }},
    };
    for (const auto& [what, action] : actions) {
        SCOPED_TRACE(what);
        user = action;
        list->ViewSetExpanded(0, true);  // the handler itself runs
        EXPECT_EQ(Shown(), (std::vector<std::string>{"A", " A/1", "B", "x"}));
        list->ViewSetExpanded(0, false);
        list->ViewDoubleClicked();
        EXPECT_EQ(Shown(), (std::vector<std::string>{"A", "B", "x"}));
        EXPECT_EQ(list->ListIndex(), 0);
    }
    EXPECT_EQ(doubleClicks, 4);
    // Once no handler runs, the user's doing is taken again.
    list->ViewSelected(2);
    EXPECT_EQ(list->ListIndex(), 2);
}

// The rows in two levels against the plain flat list they stand for, through
// a long run of changes: appends, openings (nested too) and closings,
// removals anywhere, cells written, a selection kept.
TEST_F(ListboxTest, FlatRowsFollowEveryChange)
{
    struct Flat {
        int id;
        std::string text;
        int depth;
        bool folder;
        bool expanded;
    };
    std::vector<Flat> flat;
    int nextId = 0, selectedId = -1;
    struct Opening {
        int folderId;
        int next;
    };
    std::vector<Opening> opening;
    auto find = [&](int id) {
        return std::int32_t(std::find_if(flat.begin(), flat.end(), [id](const Flat& f) { return f.id == id; }) -
                            flat.begin());
    };
    std::mt19937 random(11);
    auto chance = [&](int percent) { return int(random() % 100) < percent; };

    auto add = [&](bool folder) {
        const std::string text = "r" + std::to_string(nextId);
        folder ? list->AddFolder(text) : list->AddRow({text});
        std::int32_t at = std::int32_t(flat.size()), depth = 0;
        if (!opening.empty() && find(opening.back().folderId) < std::int32_t(flat.size())) {
            at = find(opening.back().folderId) + 1 + opening.back().next++;
            depth = 1;
        }
        flat.insert(flat.begin() + at, Flat{nextId++, text, depth, folder, false});
    };
    auto remove = [&](std::int32_t row) {
        list->RemoveRow(row);
        if (flat[std::size_t(row)].depth == 0)
            for (std::size_t r = std::size_t(row) + 1; r < flat.size() && flat[r].depth == 1; ++r) flat[r].depth = 0;
        for (Opening& o : opening)
            if (find(o.folderId) < row && flat[std::size_t(row)].depth == 1 &&
                find(o.folderId) + 1 + o.next > row)
                --o.next;
        flat.erase(flat.begin() + row);
    };
    auto closedFolder = [&] {
        std::vector<std::int32_t> rows;
        for (std::int32_t r = 0; r < std::int32_t(flat.size()); ++r)
            if (flat[std::size_t(r)].depth == 0 && flat[std::size_t(r)].folder && !flat[std::size_t(r)].expanded)
                rows.push_back(r);
        return rows.empty() ? -1 : rows[random() % rows.size()];
    };
    auto open = [&](std::int32_t row) {
        flat[std::size_t(row)].expanded = true;
        opening.push_back(Opening{flat[std::size_t(row)].id, 0});
        list->SetExpanded(row, true);
        opening.pop_back();
    };
    onExpand = [&](std::int32_t) {
        const int children = int(random() % 5);
        for (int i = 0; i < children; ++i) {
            add(chance(20));
            if (opening.size() == 1 && chance(15)) {
                if (std::int32_t other = closedFolder(); other >= 0) open(other);
            }
            if (chance(5)) remove(std::int32_t(random() % flat.size()));
        }
    };
    onCollapse = [&](std::int32_t row) {
        // As the program does it: every row beneath it, the last first.
        std::int32_t n = 0;
        while (std::size_t(row + n + 1) < flat.size() && flat[std::size_t(row + n + 1)].depth == 1) ++n;
        for (std::int32_t k = row + n; k > row; --k) remove(k);
    };

    for (int step = 0; step < 1500; ++step) {
        const int what = int(random() % 100);
        const std::int32_t any = flat.empty() ? -1 : std::int32_t(random() % flat.size());
        if (what < 35 || any < 0) {
            add(chance(30));
        } else if (what < 55) {
            if (std::int32_t row = closedFolder(); row >= 0) open(row);
        } else if (what < 70) {
            if (flat[std::size_t(any)].depth == 0 && flat[std::size_t(any)].expanded) {
                flat[std::size_t(any)].expanded = false;
                list->SetExpanded(any, false);
            }
        } else if (what < 80) {
            remove(any);
        } else if (what < 90) {
            flat[std::size_t(any)].text += "'";
            list->SetCell(any, 0, flat[std::size_t(any)].text);
        } else if (what < 98) {
            list->SetListIndex(any);
            selectedId = flat[std::size_t(any)].id;
        } else {
            list->DeleteAllRows();
            flat.clear();
        }

        ASSERT_EQ(list->ListCount(), std::int32_t(flat.size())) << "step " << step;
        for (std::int32_t r = 0; r < list->ListCount(); ++r) {
            const Flat& f = flat[std::size_t(r)];
            ASSERT_EQ(list->Cell(r, 0), f.text) << "step " << step << ", row " << r;
            ASSERT_EQ(list->RowDepth(r), f.depth) << "step " << step << ", row " << r;
            ASSERT_EQ(list->RowIsFolder(r), f.folder) << "step " << step << ", row " << r;
            ASSERT_EQ(list->Expanded(r), f.depth == 0 && f.expanded) << "step " << step << ", row " << r;
        }
        const std::int32_t selected = find(selectedId);
        ASSERT_EQ(list->ListIndex(), selected < std::int32_t(flat.size()) ? selected : -1) << "step " << step;
    }
}

} // namespace
