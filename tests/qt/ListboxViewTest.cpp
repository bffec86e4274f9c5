#include "QtTestKit.h"

#include "framework/qt/QtListboxModel.h"
#include "framework/qt/QtListboxView.h"
#include "framework/qt/QtViews.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTreeView>

#include <functional>
#include <mutex>

using namespace fw;

namespace {

class QtListboxViewTest : public qtkit::WindowTest {
public:  // for the cases' routines
    QTreeView& Tree() { return *qobject_cast<QTreeView*>(fw::qt::WidgetOf(*list)); }
    fw::qt::ListboxModel& Model() { return *dynamic_cast<fw::qt::QtListboxView*>(list->View())->Model(); }
    QModelIndex Index(std::int32_t row) { return Model().IndexOfRow(row); }
    QPoint At(std::int32_t row) { return Tree().visualRect(Index(row)).center(); }
    QPoint IndicatorOf(std::int32_t row)
    {
        QRect rect = Tree().visualRect(Index(row));
        return QPoint(rect.x() - Tree().indentation() / 2, rect.center().y());
    }
    std::vector<QModelIndex> Selected()
    {
        const QModelIndexList rows = Tree().selectionModel()->selectedRows();
        return std::vector<QModelIndex>(rows.begin(), rows.end());
    }

    // The rows as the list has them: indented by depth, column 0.
    std::vector<std::string> ModelOutline()
    {
        std::vector<std::string> lines;
        for (std::int32_t row = 0; row < list->ListCount(); ++row)
            lines.push_back(std::string(std::size_t(list->RowDepth(row)), ' ') + list->Cell(row, 0));
        return lines;
    }

    // The rows as the tree gets them from its model, in the same form, once
    // the model has had its turn in the event loop; each index must stand
    // for the row of the same number.
    std::vector<std::string> ViewOutline()
    {
        QCoreApplication::sendPostedEvents(Tree().model(), QEvent::MetaCall);
        const QAbstractItemModel& model = *Tree().model();
        std::vector<std::string> lines;
        std::function<void(const QModelIndex&, int)> walk = [&](const QModelIndex& parent, int depth) {
            for (int i = 0; i < model.rowCount(parent); ++i) {
                QModelIndex index = model.index(i, 0, parent);
                EXPECT_EQ(Model().RowOf(index), std::int32_t(lines.size()));
                lines.push_back(std::string(std::size_t(depth), ' ') + index.data().toString().toStdString());
                walk(index, depth + 1);
            }
        };
        walk(QModelIndex(), 0);
        return lines;
    }

    // What is open and what is selected on screen is what the list says.
    void ExpectShownAsModelled()
    {
        EXPECT_EQ(ViewOutline(), ModelOutline());
        for (std::int32_t row = 0; row < list->ListCount(); ++row) {
            if (list->RowDepth(row) == 0) {
                EXPECT_EQ(Tree().isExpanded(Index(row)), list->Expanded(row)) << row;
            }
        }
        std::vector<QModelIndex> wanted;
        if (list->ListIndex() >= 0) wanted.push_back(Index(list->ListIndex()));
        EXPECT_EQ(Selected(), wanted);
    }
};

TEST_F(QtListboxViewTest, ShowsTheRowsAsModelled)
{
    Open();
    EXPECT_TRUE(Tree().isHeaderHidden());
    EXPECT_EQ(Tree().model()->columnCount(), 2);
    EXPECT_FALSE(Tree().expandsOnDoubleClick());
    EXPECT_EQ(Tree().font().pixelSize(), 10);
    EXPECT_EQ(Tree().font().family(), QApplication::font().family());
    EXPECT_EQ(ViewOutline(), (std::vector<std::string>{"A", "x.jsx", "B"}));
    // Folder rows can be opened before they have children; others cannot.
    EXPECT_TRUE(Tree().model()->hasChildren(Index(0)));
    EXPECT_FALSE(Tree().model()->hasChildren(Index(1)));

    // Hiding the second column keeps its texts in the model.
    list->SetCell(1, 1, "parent");
    list->SetColumnCount(1);
    EXPECT_EQ(Tree().model()->columnCount(), 1);
    EXPECT_EQ(list->Cell(1, 1), "parent");
    list->SetColumnCount(2);
    EXPECT_EQ(Index(1).siblingAtColumn(1).data().toString(), QStringLiteral("parent"));
    list->SetHasHeading(true);
    EXPECT_FALSE(Tree().isHeaderHidden());
    list->SetHasHeading(false);

    // A cell written is drawn again, a child row's too.
    list->SetExpanded(0, true);
    std::vector<QModelIndex> redrawn;
    QObject counting;  // ends the count with the test
    QObject::connect(Tree().model(), &QAbstractItemModel::dataChanged, &counting,
                     [&](const QModelIndex& first, const QModelIndex& last) {
                         EXPECT_EQ(first, last);
                         redrawn.push_back(first);
                     });
    list->SetCell(3, 0, "y.jsx");
    list->SetCell(2, 1, "A");
    EXPECT_EQ(redrawn, (std::vector<QModelIndex>{Index(3), Index(2).siblingAtColumn(1)}));
    EXPECT_EQ(Index(3).data().toString(), QStringLiteral("y.jsx"));
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
        {"the tree", [](QtListboxViewTest& t, std::int32_t row, bool open) { t.Tree().setExpanded(t.Index(row), open); }},
        {"a click on the indicator",
         [](QtListboxViewTest& t, std::int32_t row, bool) { qtkit::Click(t.Tree().viewport(), t.IndicatorOf(row)); }},
        {"the model", [](QtListboxViewTest& t, std::int32_t row, bool open) { t.list->SetExpanded(row, open); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        Open();
        c.set(*this, 2, true);
        EXPECT_EQ(events, std::vector<std::string>{"ExpandRow 2"});
        EXPECT_TRUE(list->Expanded(2));
        EXPECT_TRUE(Tree().isExpanded(Index(2)));
        EXPECT_EQ(ViewOutline(), (std::vector<std::string>{"A", "x.jsx", "B", " B/1", " B/2"}));
        EXPECT_TRUE(Tree().visualRect(Index(4)).isValid()) << "the children are shown";

        events.clear();
        c.set(*this, 2, false);
        EXPECT_EQ(events, std::vector<std::string>{"CollapseRow 2"});
        EXPECT_FALSE(list->Expanded(2));
        EXPECT_FALSE(Tree().isExpanded(Index(2)));
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
    EXPECT_TRUE(Tree().isExpanded(Index(4)));
    list->AddRow({"y.js", ""});  // after the last child: a top-level row again
    EXPECT_EQ(ViewOutline(), ModelOutline());
}

TEST_F(QtListboxViewTest, RowsAddedAtTheEndReachTheTreeAsOneRun)
{
    Open();
    int inserts = 0;
    QObject counting;  // ends the count with the test
    QObject::connect(Tree().model(), &QAbstractItemModel::rowsInserted, &counting, [&] { ++inserts; });
    for (int i = 0; i < 50; ++i) {
        list->AddRow({"r" + std::to_string(i) + ".jsx", ""});
        list->SetCell(list->LastIndex(), 0, "s" + std::to_string(i) + ".jsx");
    }
    EXPECT_EQ(ViewOutline(), ModelOutline());
    EXPECT_EQ(inserts, 1);

    // Whatever else changes first tells the tree of the rows before it.
    struct Case {
        const char* change;
        std::function<void(fw::Listbox&)> make;
    };
    for (const Case& c : {Case{"a row chosen", [](fw::Listbox& l) { l.SetListIndex(l.LastIndex()); }},
                          Case{"a row removed", [](fw::Listbox& l) { l.RemoveRow(0); }},
                          Case{"a folder row opened", [](fw::Listbox& l) { l.SetExpanded(l.LastIndex(), true); }},
                          Case{"a column hidden", [](fw::Listbox& l) { l.SetColumnCount(1); }}}) {
        SCOPED_TRACE(c.change);
        list->AddRow({"t.jsx", ""});
        list->AddFolder("F");
        c.make(*list);
        std::int32_t topLevel = 0;
        for (std::int32_t row = 0; row < list->ListCount(); ++row) topLevel += list->RowDepth(row) == 0;
        EXPECT_EQ(Tree().model()->rowCount(), topLevel);  // before the loop has had a turn
        ExpectShownAsModelled();
    }
}

// Qt's views trust a model to keep Qt's rules: counts that match the rows
// told, indexes that stay in range, notices in the right order. Qt's own
// checker watches the model through every kind of change the list makes,
// with and without a turn of the loop between them.
TEST_F(QtListboxViewTest, KeepsQtsModelRulesThroughEveryChange)
{
    static std::vector<std::string> broken;
    static std::mutex guard;
    broken.clear();
    const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext& context,
                                                                const QString& message) {
        if (context.category && std::string_view(context.category) == "qt.modeltest") {
            std::lock_guard<std::mutex> lock(guard);
            broken.push_back(message.toStdString());
        }
    });
    Open();
    {
        QAbstractItemModelTester checker(Tree().model(), QAbstractItemModelTester::FailureReportingMode::Warning);
        list->SetExpanded(2, true);
        list->SetListIndex(3);  // B/1
        const std::int32_t firstAdded = list->ListCount();
        for (int i = 0; i < 5; ++i) list->AddRow({"r" + std::to_string(i) + ".jsx", ""});
        // Rows Qt has not heard of yet.
        list->SetCell(firstAdded, 0, "first.jsx");
        list->SetCell(list->LastIndex(), 0, "last.jsx");
        list->SetCell(1, 1, "hidden?");
        list->SetColumnCount(1);
        list->SetCell(1, 1, "hidden");  // a hidden column
        list->SetExpanded(0, true);     // children between rows
        qtkit::Settle();

        // A folder closed with its children left in place, opened again: the
        // new children go before the old ones.
        onCollapse = [](std::int32_t) {};
        list->SetExpanded(0, false);
        list->SetCell(1, 0, "old A/1");
        list->SetCell(2, 0, "old A/2");
        list->SetExpanded(0, true);
        qtkit::Settle();
        onCollapse = nullptr;

        list->RemoveRow(1);  // a child row
        list->AddRow({"s.jsx", ""});
        list->RemoveRow(0);  // a folder row with children: they stay
        list->AddRow({"t.jsx", ""});
        list->AddRow({"u.jsx", ""});
        list->DeleteAllRows();  // before the loop has told Qt of the last two
        EXPECT_EQ(Tree().model()->rowCount(), 0);
        Fill();
        qtkit::Settle();
        EXPECT_EQ(ViewOutline(), ModelOutline());
    }
    qInstallMessageHandler(previous);
    EXPECT_EQ(broken, std::vector<std::string>{});
}

// Qt may keep an index from before rows went and ask with it later.
TEST_F(QtListboxViewTest, AnIndexKeptFromBeforeARemovalReadsNoRow)
{
    struct Case {
        const char* what;
        std::int32_t removed;  // of A, x.jsx, B, B/1, B/2, C
    };
    for (const Case& c : {Case{"the last top-level row", 5}, Case{"the last child row", 4}}) {
        SCOPED_TRACE(c.what);
        Open();
        list->AddFolder("C");
        list->SetExpanded(2, true);
        ASSERT_EQ(list->ListCount(), 6);
        const QModelIndex kept = Index(c.removed);
        ASSERT_TRUE(kept.isValid());
        list->RemoveRow(c.removed);
        qtkit::Settle();
        EXPECT_FALSE(Tree().model()->data(kept).isValid());
        EXPECT_EQ(Tree().model()->rowCount(kept), 0);
        EXPECT_FALSE(Tree().model()->hasChildren(kept));
        EXPECT_EQ(Model().RowOf(kept), -1);
        TearDown();
    }
}

TEST_F(QtListboxViewTest, RemovingAFolderRowKeepsItsChildrenShown)
{
    // The list keeps the children when their folder row goes; the view must
    // not take them along, nor close B, whether or not a row of B's is
    // selected (selecting a child row would open its folder row anyway).
    struct Case {
        const char* what;
        std::int32_t selected, selectedAfter;
    };
    for (const Case& c : {Case{"B/1 selected", 5, 4}, Case{"nothing selected", -1, -1}}) {
        SCOPED_TRACE(c.what);
        Open();
        list->SetExpanded(0, true);
        list->SetExpanded(4, true);
        list->SetListIndex(c.selected);
        list->RemoveRow(0);
        EXPECT_EQ(ModelOutline(), (std::vector<std::string>{"A/1", "A/2", "x.jsx", "B", " B/1", " B/2"}));
        EXPECT_EQ(list->ListIndex(), c.selectedAfter);
        ExpectShownAsModelled();
        list->DeleteAllRows();
        EXPECT_EQ(Tree().model()->rowCount(), 0);
        EXPECT_TRUE(Selected().empty());
        TearDown();
    }
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
        QPoint at = c.row >= 0 ? At(c.row) : QPoint(40, Tree().visualRect(Index(2)).bottom() + 30);
        qtkit::DoubleClick(Tree().viewport(), at);
        EXPECT_EQ(events, c.events);
        EXPECT_EQ(list->ListIndex(), c.row);
        EXPECT_EQ(Selected().size(), c.row >= 0 ? 1u : 0u);
        EXPECT_FALSE(list->Expanded(0));
        TearDown();
        events.clear();
    }
}

TEST_F(QtListboxViewTest, SelectionGoesBothWaysAndStaysWithItsRow)
{
    Open();
    qtkit::Click(Tree().viewport(), At(2));
    EXPECT_EQ(events, std::vector<std::string>{"Change 2"});
    EXPECT_EQ(list->ListIndex(), 2);

    events.clear();
    list->SetListIndex(1);  // the program's own choice is not reported back
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(Selected(), std::vector<QModelIndex>{Index(1)});
    list->SetListIndex(-1);
    EXPECT_TRUE(Selected().empty());

    // Rows come and go above the selected one: it stays selected. When it
    // goes itself, Qt would pick a neighbour; the list selects none.
    list->SetExpanded(2, true);
    list->SetListIndex(4);  // B/2
    list->SetExpanded(0, true);
    ASSERT_EQ(list->Cell(6, 0), "B/2");
    ExpectShownAsModelled();
    list->SetExpanded(0, false);
    EXPECT_EQ(list->ListIndex(), 4);
    ExpectShownAsModelled();
    list->SetExpanded(2, false);
    EXPECT_EQ(list->ListIndex(), -1);
    ExpectShownAsModelled();
    EXPECT_EQ(events, (std::vector<std::string>{"ExpandRow 2", "ExpandRow 0", "CollapseRow 0", "CollapseRow 2"}));
}

// While a handler works through its rows, it yields; what the user does
// meanwhile is dropped, and the tree shows the list's state again.
TEST_F(QtListboxViewTest, WhatTheUserDoesWhileAHandlerRunsIsUndone)
{
    struct Case {
        const char* what;
        std::int32_t folder;  // opened first, when not -1
        bool collapse;        // else the handler is B's ExpandRow
        void (*user)(QtListboxViewTest& test);
    };
    const Case cases[] = {
        {"opening another folder row during a close", -1, true,
         [](QtListboxViewTest& t) { qtkit::Click(t.Tree().viewport(), t.IndicatorOf(0)); }},
        {"closing the folder row that is opening", -1, false,
         [](QtListboxViewTest& t) { t.Tree().collapse(t.Index(2)); }},
        {"a double-click and a click on another row", 0, true,
         [](QtListboxViewTest& t) {
             qtkit::DoubleClick(t.Tree().viewport(), t.At(3));
             qtkit::Click(t.Tree().viewport(), t.At(1));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Open();
        if (c.folder >= 0) list->SetExpanded(c.folder, true);
        const std::int32_t b = list->ListCount() - 1;
        if (c.collapse) list->SetExpanded(b, true);
        list->SetListIndex(b);
        events.clear();
        auto user = [&] { c.user(*this); };
        if (c.collapse) {
            onCollapse = [&](std::int32_t row) {
                list->RemoveRow(row + 2);
                user();
                list->RemoveRow(row + 1);
            };
            list->SetExpanded(b, false);
        } else {
            onExpand = [&](std::int32_t row) {
                list->AddRow({"B/1", "B"});
                user();
                list->AddRow({"B/2", "B"});
                (void)row;
            };
            list->SetExpanded(b, true);
        }
        EXPECT_EQ(events, std::vector<std::string>{std::string(c.collapse ? "CollapseRow " : "ExpandRow ") +
                                                   std::to_string(b)});
        EXPECT_EQ(list->Expanded(b), !c.collapse);
        EXPECT_EQ(list->ListIndex(), b);
        ExpectShownAsModelled();
        onCollapse = nullptr;
        onExpand = nullptr;
        TearDown();
        events.clear();
    }
}

// A handler working through many rows lets events through between them; the
// tree may keep its old picture meanwhile, but once the handler is done it
// shows, and answers the pointer for, every row the handler left.
TEST_F(QtListboxViewTest, AfterALongHandlerTheTreeShowsItsRows)
{
    constexpr int kChildren = 3000;
    Open();
    bool pictureKept = false;
    auto yield = [&] {
        QCoreApplication::processEvents();
        pictureKept = pictureKept || !Tree().viewport()->updatesEnabled();
    };
    onExpand = [&](std::int32_t row) {
        for (int i = 0; i < kChildren; ++i) {
            list->AddRow({"B/" + std::to_string(i), list->Cell(row, 0)});
            yield();
        }
    };
    onCollapse = [&](std::int32_t row) {
        for (std::int32_t k = row + kChildren; k > row; --k) {
            list->RemoveRow(k);
            yield();
        }
    };
    auto expectShown = [&](std::int32_t last) {
        EXPECT_TRUE(Tree().viewport()->updatesEnabled());
        Tree().scrollTo(Index(last));
        EXPECT_TRUE(Tree().visualRect(Index(last)).isValid()) << last;
        EXPECT_EQ(Tree().indexAt(At(last)), Index(last));
    };
    list->SetExpanded(2, true);
    ASSERT_EQ(list->ListCount(), 3 + kChildren);
    expectShown(2 + kChildren);
    list->SetExpanded(2, false);
    ASSERT_EQ(list->ListCount(), 3);
    expectShown(2);
    EXPECT_TRUE(pictureKept) << "the tree laid itself out at every yield";
}

TEST_F(QtListboxViewTest, LongListsFillQuickly)
{
    // The program fills the list, then hides its second column; a view that
    // searched its rows on every row would take minutes here. The bound is
    // loose so that a sanitized build on a busy machine stays well inside it.
    // A reset makes the tree take in every row again, so the fill tells it
    // of each row alone.
    Open();
    int resets = 0;
    QObject counting;  // ends the count with the test
    QObject::connect(Tree().model(), &QAbstractItemModel::modelReset, &counting, [&] { ++resets; });
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 100000; ++i) list->AddRow({"script" + std::to_string(i) + ".jsx", ""});
    EXPECT_EQ(resets, 0);
    list->SetColumnCount(1);
    qtkit::Settle();
    EXPECT_LT(clock.elapsed(), 20000);
    EXPECT_EQ(Tree().model()->rowCount(), 100003);
    EXPECT_EQ(Index(100002).data().toString(), QStringLiteral("script99999.jsx"));
    list->DeleteAllRows();
    EXPECT_EQ(Tree().model()->rowCount(), 0);
}

} // namespace
