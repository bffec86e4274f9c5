#include "QtTestKit.h"

#include "framework/qt/QtListboxView.h"
#include "framework/qt/QtViews.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QTreeWidget>

using namespace fw;

namespace {

class QtListboxViewTest : public qtkit::WindowTest {
public:  // for the cases' routines
    QTreeWidget& Tree() { return *qobject_cast<QTreeWidget*>(fw::qt::WidgetOf(*list)); }
    fw::qt::QtListboxView& View() { return *dynamic_cast<fw::qt::QtListboxView*>(list->View()); }
    QTreeWidgetItem* Item(std::int32_t row) { return View().ItemOf(row); }
    QPoint At(std::int32_t row) { return Tree().visualItemRect(Item(row)).center(); }

    // The rows as the model has them: indented by depth, column 0.
    std::vector<std::string> ModelOutline()
    {
        std::vector<std::string> lines;
        for (std::int32_t row = 0; row < list->ListCount(); ++row)
            lines.push_back(std::string(std::size_t(list->RowDepth(row)), ' ') + list->Cell(row, 0));
        return lines;
    }

    // The items as the tree shows them, in the same form, and each one the
    // item the view keeps for that row.
    std::vector<std::string> ViewOutline()
    {
        std::vector<std::string> lines;
        std::function<void(QTreeWidgetItem*, int)> walk = [&](QTreeWidgetItem* item, int depth) {
            EXPECT_EQ(Item(std::int32_t(lines.size())), item) << "row " << lines.size();
            lines.push_back(std::string(std::size_t(depth), ' ') + item->text(0).toStdString());
            for (int i = 0; i < item->childCount(); ++i) walk(item->child(i), depth + 1);
        };
        for (int i = 0; i < Tree().topLevelItemCount(); ++i) walk(Tree().topLevelItem(i), 0);
        return lines;
    }
};

TEST_F(QtListboxViewTest, ShowsTheRowsAsModelled)
{
    Open();
    EXPECT_TRUE(Tree().isHeaderHidden());
    EXPECT_EQ(Tree().columnCount(), 2);
    EXPECT_FALSE(Tree().expandsOnDoubleClick());
    EXPECT_EQ(Tree().font().pixelSize(), 10);
    EXPECT_EQ(Tree().font().family(), QApplication::font().family());
    EXPECT_EQ(ViewOutline(), (std::vector<std::string>{"A", "x.jsx", "B"}));
    // Folder rows can be opened before they have children; others cannot.
    EXPECT_EQ(Item(0)->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);
    EXPECT_NE(Item(1)->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);

    // Hiding the second column keeps its texts in the model.
    list->SetCell(1, 1, "parent");
    list->SetColumnCount(1);
    EXPECT_EQ(Tree().columnCount(), 1);
    EXPECT_EQ(list->Cell(1, 1), "parent");
    list->SetColumnCount(2);
    EXPECT_EQ(Item(1)->text(1), QStringLiteral("parent"));
}

// Opening a folder row, whoever does it, raises ExpandRow once; the rows its
// handler adds appear beneath it. Closing it raises CollapseRow once.
TEST_F(QtListboxViewTest, OpeningAndClosingFolderRows)
{
    struct Case {
        const char* how;
        void (*set)(QtListboxViewTest& test, std::int32_t row, bool open);
    };
    const Case cases[] = {
        {"the item", [](QtListboxViewTest& t, std::int32_t row, bool open) { t.Item(row)->setExpanded(open); }},
        {"a click on the indicator",
         [](QtListboxViewTest& t, std::int32_t row, bool) {
             QRect rect = t.Tree().visualItemRect(t.Item(row));
             qtkit::Click(t.Tree().viewport(), QPoint(rect.x() - t.Tree().indentation() / 2, rect.center().y()));
         }},
        {"the model", [](QtListboxViewTest& t, std::int32_t row, bool open) { t.list->SetExpanded(row, open); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        Open();
        c.set(*this, 2, true);
        EXPECT_EQ(events, std::vector<std::string>{"ExpandRow 2"});
        EXPECT_TRUE(list->Expanded(2));
        EXPECT_TRUE(Item(2)->isExpanded());
        EXPECT_EQ(ViewOutline(), (std::vector<std::string>{"A", "x.jsx", "B", " B/1", " B/2"}));
        EXPECT_TRUE(Tree().visualItemRect(Item(4)).isValid()) << "the children are shown";

        events.clear();
        c.set(*this, 2, false);
        EXPECT_EQ(events, std::vector<std::string>{"CollapseRow 2"});
        EXPECT_FALSE(list->Expanded(2));
        EXPECT_FALSE(Item(2)->isExpanded());
        EXPECT_EQ(ViewOutline(), (std::vector<std::string>{"A", "x.jsx", "B"}));
        TearDown();
        events.clear();
    }
}

TEST_F(QtListboxViewTest, ChildrenOfAnEarlierFolderGoBetweenRows)
{
    Open();
    list->SetExpanded(2, true);
    list->SetExpanded(0, true);
    EXPECT_EQ(ViewOutline(), ModelOutline());
    EXPECT_EQ(ViewOutline(), (std::vector<std::string>{"A", " A/1", " A/2", "x.jsx", "B", " B/1", " B/2"}));
    list->AddRow({"y.js", ""});  // after the last child: a top-level row again
    EXPECT_EQ(ViewOutline(), ModelOutline());
}

TEST_F(QtListboxViewTest, RemovingAFolderRowKeepsItsChildrenShown)
{
    // The flat list keeps the children when their folder row goes; the view
    // must not take them along.
    Open();
    list->SetExpanded(2, true);
    list->RemoveRow(2);
    EXPECT_EQ(list->ListCount(), 4);
    EXPECT_EQ(ViewOutline(), ModelOutline());
    list->DeleteAllRows();
    EXPECT_EQ(Tree().topLevelItemCount(), 0);
}

TEST_F(QtListboxViewTest, DoubleClickSelectsTheRowUnderThePointer)
{
    struct Case {
        const char* where;
        std::int32_t row;  // -1: below the last row
        std::vector<std::string> events;
    };
    for (const Case& c : {Case{"a file row", 1, {"Change 1", "DoubleClick 1"}},
                          Case{"a folder row, which stays closed", 0, {"Change 0", "DoubleClick 0"}},
                          Case{"below the last row", -1, {"Change -1", "DoubleClick -1"}}}) {
        SCOPED_TRACE(c.where);
        Open();
        list->SetListIndex(2);
        QPoint at = c.row >= 0 ? At(c.row) : QPoint(40, Tree().visualItemRect(Item(2)).bottom() + 30);
        qtkit::DoubleClick(Tree().viewport(), at);
        EXPECT_EQ(events, c.events);
        EXPECT_EQ(list->ListIndex(), c.row);
        EXPECT_EQ(Tree().selectedItems().size(), c.row >= 0 ? 1 : 0);
        EXPECT_FALSE(list->Expanded(0));
        TearDown();
        events.clear();
    }
}

TEST_F(QtListboxViewTest, SelectionGoesBothWays)
{
    Open();
    qtkit::Click(Tree().viewport(), At(2));
    EXPECT_EQ(events, std::vector<std::string>{"Change 2"});
    EXPECT_EQ(list->ListIndex(), 2);

    events.clear();
    list->SetListIndex(1);  // the program's own choice is not reported back
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(Tree().selectedItems(), QList<QTreeWidgetItem*>{Item(1)});
    list->SetListIndex(-1);
    EXPECT_TRUE(Tree().selectedItems().isEmpty());
}

TEST_F(QtListboxViewTest, LongListsFillQuickly)
{
    // The program fills the list, then hides its second column; a view that
    // searched its items on every row would take minutes here. The bound is
    // loose so that a sanitized build on a busy machine stays well inside it.
    Open();
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 100000; ++i) list->AddRow({"script" + std::to_string(i) + ".jsx", ""});
    list->SetColumnCount(1);
    qtkit::Settle();
    EXPECT_LT(clock.elapsed(), 20000);
    EXPECT_EQ(Tree().topLevelItemCount(), 100003);
    EXPECT_EQ(Item(100002)->text(0), QStringLiteral("script99999.jsx"));
    list->DeleteAllRows();
    EXPECT_EQ(Tree().topLevelItemCount(), 0);
}

} // namespace
