#include "framework/Listbox.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace fw;

namespace {

// A list whose ExpandRow handler adds the children named in the data column
// beneath the row, and whose CollapseRow handler removes them: the rules the
// list guarantees, exercised the way the window's handlers use them.
class FolderList : public ::testing::Test {
protected:
    void SetUp() override
    {
        list = New<Listbox>();
        auto expand = RuntimeCreateDelegate(nullptr, nullptr, nullptr, "( Listbox, Int32 )", 0);
        list->AddEventHandler(list->Class().EventSlot("ExpandRow"), &Expand, expand);
        list->AddEventHandler(list->Class().EventSlot("CollapseRow"), &Collapse, expand);
        list->SetColumnCount(2);
        AddFolder("Tools", "a.jsx<>b.scpt<>c.js");
        list->AddRow({"x.jsx"});
        AddFolder("More", "d.jsx<>e.js");
        list->AddRow({"z.jsx"});
    }

    void AddFolder(const std::string& name, const std::string& children)
    {
        list->AddFolder("");
        list->SetCell(list->LastIndex(), 1, children);
        list->SetCell(list->LastIndex(), 0, name);
    }

    static void Expand(Control& control, std::int32_t row)
    {
        auto& l = static_cast<Listbox&>(control);
        for (const String& name : Split(l.Cell(row, 1), "<>")) {
            l.AddRow({""});
            l.SetCell(l.LastIndex(), 0, name);
            l.SetCell(l.LastIndex(), 1, l.Cell(row, 0));
        }
    }

    static void Collapse(Control& control, std::int32_t row)
    {
        auto& l = static_cast<Listbox&>(control);
        for (std::int32_t k = row + CountFields(l.Cell(row, 1), "<>"); k > row; --k) l.RemoveRow(k);
    }

    std::vector<std::string> Shown() const
    {
        std::vector<std::string> rows;
        for (std::int32_t r = 0; r < list->ListCount(); ++r)
            rows.push_back(std::string(list->RowDepth(r), ' ') + list->Cell(r, 0));
        return rows;
    }

    ListboxRef list;
};

TEST_F(FolderList, OpeningPutsChildrenDirectlyBeneathInOrder)
{
    list->SetExpanded(0, true);
    EXPECT_EQ(Shown(), (std::vector<std::string>{"Tools", " a.jsx", " b.scpt", " c.js", "x.jsx", "More", "z.jsx"}));
    EXPECT_EQ(list->LastIndex(), 3);
    EXPECT_EQ(list->Cell(2, 1), "Tools");
    EXPECT_TRUE(list->Expanded(0));
}

TEST_F(FolderList, ClosingTheUpperOfTwoOpenFoldersMovesTheLowerUpWithItsChildren)
{
    list->SetExpanded(2, true);  // More
    list->SetExpanded(0, true);  // Tools; More is now row 5
    EXPECT_EQ(Shown(), (std::vector<std::string>{"Tools", " a.jsx", " b.scpt", " c.js", "x.jsx", "More", " d.jsx",
                                                 " e.js", "z.jsx"}));
    list->SetExpanded(0, false);
    EXPECT_EQ(Shown(), (std::vector<std::string>{"Tools", "x.jsx", "More", " d.jsx", " e.js", "z.jsx"}));
    EXPECT_TRUE(list->Expanded(2));
    list->SetExpanded(2, false);
    EXPECT_EQ(Shown(), (std::vector<std::string>{"Tools", "x.jsx", "More", "z.jsx"}));
}

TEST_F(FolderList, PlainRowsNeverOpenAndRowMinusOneIsNoRow)
{
    list->SetExpanded(1, true);
    EXPECT_FALSE(list->Expanded(1));
    EXPECT_EQ(list->ListCount(), 4);

    list->SetExpanded(-1, true);
    list->SetCell(-1, 0, "ignored");
    EXPECT_FALSE(list->Expanded(-1));
    EXPECT_EQ(list->Cell(-1, 0), "");
    EXPECT_EQ(list->Cell(1, 1), "");  // never written
    EXPECT_EQ(list->Cell(1, 7), "");
    EXPECT_THROW(list->Cell(99, 0), OutOfBoundsException);
}

TEST_F(FolderList, HiddenColumnsKeepTheirTexts)
{
    list->SetColumnCount(1);
    EXPECT_EQ(list->Cell(0, 1), "a.jsx<>b.scpt<>c.js");
}

TEST_F(FolderList, SelectionFollowsItsRowAndDeleteAllRowsRaisesNothing)
{
    list->SetListIndex(2);  // More
    list->SetExpanded(0, true);
    EXPECT_EQ(list->ListIndex(), 5);
    EXPECT_EQ(list->Cell(list->ListIndex(), 0), "More");
    list->RemoveRow(5);
    EXPECT_EQ(list->ListIndex(), -1);

    list->DeleteAllRows();  // Tools is open: no CollapseRow may run on an empty list
    EXPECT_EQ(list->ListCount(), 0);
    EXPECT_EQ(list->ListIndex(), -1);
}

} // namespace
