#include "QtTestKit.h"

#include "framework/qt/QtMenus.h"
#include "framework/qt/QtViews.h"

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTreeView>
#include <QWidget>
#include <QWindow>

using namespace fw;
using fw::qt::ContentOf;
using fw::qt::FrameOf;
using fw::qt::MenuBarOf;
using fw::qt::WidgetOf;

namespace {

QRect ScreenRect(QWidget* widget)
{
    return QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size());
}

QRect ModelRect(const Window& w)
{
    return QRect(w.Left(), w.Top(), w.Width(), w.Height());
}

QRect ModelRect(const RectControl& c)
{
    return QRect(c.Left(), c.Top(), c.Width(), c.Height());
}

class QtWindowViewTest : public qtkit::WindowTest {};

TEST_F(QtWindowViewTest, ContentAreaIsTheModelledWindowBelowItsMenuBar)
{
    Open();
    QWidget* frame = FrameOf(*window);
    ASSERT_TRUE(frame);
    EXPECT_TRUE(frame->isVisible());
    EXPECT_TRUE(frame->isWindow());
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Quillmere"));
    EXPECT_EQ(ScreenRect(ContentOf(*window)), QRect(100, 120, 150, 200));
    EXPECT_EQ(frame->height(), 200 + MenuBarOf(*window)->height());
    EXPECT_GT(MenuBarOf(*window)->height(), 0);

    Qt::WindowFlags flags = frame->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);

    // The controls sit at their modelled places in the content area.
    EXPECT_EQ(WidgetOf(*list)->geometry(), QRect(0, 0, 150, 174));
    EXPECT_EQ(WidgetOf(*button)->geometry(), QRect(5, 177, 140, 20));
    auto* push = qobject_cast<QPushButton*>(WidgetOf(*button));
    ASSERT_TRUE(push);
    EXPECT_EQ(push->text(), QStringLiteral("スクリプトフォルダ選択"));
    EXPECT_EQ(push->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(push->font().pixelSize(), 10);
}

TEST_F(QtWindowViewTest, MenusAreTheModelsMenus)
{
    Open();
    const QList<QAction*> menus = MenuBarOf(*window)->actions();
    ASSERT_EQ(menus.size(), 2);
    EXPECT_EQ(menus[0]->text(), QStringLiteral("ファイル"));
    EXPECT_EQ(menus[1]->text(), QStringLiteral("編集"));

    const QList<QAction*> file = menus[0]->menu()->actions();
    ASSERT_EQ(file.size(), 1);
    EXPECT_EQ(file[0]->text(), QStringLiteral("終了"));
    EXPECT_EQ(file[0]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));

    const QList<QAction*> edit = menus[1]->menu()->actions();
    ASSERT_EQ(edit.size(), 4);
    EXPECT_FALSE(edit[0]->isSeparator());
    EXPECT_TRUE(edit[1]->isSeparator());
    EXPECT_EQ(edit[2]->text(), QStringLiteral("コピー"));
    EXPECT_TRUE(edit[3]->shortcut().isEmpty());

    edit[0]->trigger();
    EXPECT_EQ(undoChosen, 1);
}

TEST(QtShortcutTest, TranslatesTheFrameworkNotation)
{
    struct Case {
        const char* framework;
        const char* qt;  // portable text; "" for none
    };
    for (const Case& c : {Case{"Cmd+Q", "Ctrl+Q"}, Case{"Cmd+Z", "Ctrl+Z"}, Case{"Shift+Cmd+Z", "Ctrl+Shift+Z"},
                          Case{"Option+Cmd+X", "Ctrl+Alt+X"}, Case{"Ctrl+A", "Meta+A"}, Case{"Cmd+F5", "Ctrl+F5"},
                          Case{"", ""}, Case{"Q", ""}, Case{"Cmd+", ""}, Case{"Hyper+Q", ""},
                          Case{"Cmd+NoSuchKey", ""}, Case{"Hyper+Cmd+Q", ""}}) {
        SCOPED_TRACE(c.framework);
        EXPECT_EQ(fw::qt::ShortcutFromFramework(c.framework).toString(QKeySequence::PortableText),
                  QString::fromUtf8(c.qt));
    }
}

TEST(QtMenuBarTest, BuiltAgainShowsTheModelOnceWithItsTextsAsTheyAre)
{
    auto entry = [](const char* text) {
        auto item = RuntimeNewObjectAs<MenuItem>(MenuItem::Lookup());
        item->SetText(text);
        return item;
    };
    auto model = New<MenuBar>();
    MenuItemRef file = entry("File & Co");
    MenuItemRef sub = entry("Sub &menu");
    sub->Append(entry("One & &Two"));  // a submenu of one entry is still a submenu
    file->Append(sub);
    model->Append(file);

    QMenuBar bar;
    fw::qt::BuildMenuBar(bar, model);
    fw::qt::BuildMenuBar(bar, model);  // the model changed: nothing of the old menus stays
    const QList<QAction*> menus = bar.actions();
    ASSERT_EQ(menus.size(), 1);
    EXPECT_TRUE(QKeySequence::mnemonic(menus[0]->text()).isEmpty());
    const QList<QAction*> entries = menus[0]->menu()->actions();
    ASSERT_EQ(entries.size(), 1);
    ASSERT_TRUE(entries[0]->menu());
    EXPECT_TRUE(QKeySequence::mnemonic(entries[0]->text()).isEmpty());
    const QList<QAction*> inner = entries[0]->menu()->actions();
    ASSERT_EQ(inner.size(), 1);
    EXPECT_TRUE(QKeySequence::mnemonic(inner[0]->text()).isEmpty());
}

TEST_F(QtWindowViewTest, FollowsBoundsSetByTheModel)
{
    Open();
    window->SetLeft(300);
    window->SetTop(250);
    window->SetWidth(220);
    window->SetHeight(260);
    qtkit::Settle();
    // Our own geometry changes come back from Qt; they must not undo the model's.
    EXPECT_EQ(ModelRect(*window), QRect(300, 250, 220, 260));
    EXPECT_EQ(ScreenRect(ContentOf(*window)), QRect(300, 250, 220, 260));
    EXPECT_EQ(WidgetOf(*list)->geometry(), ModelRect(*list));
    EXPECT_EQ(WidgetOf(*button)->geometry(), ModelRect(*button));
}

TEST_F(QtWindowViewTest, UserResizeKeepsLockedControlsOnTheirEdges)
{
    struct Case {
        QSize asked;    // content area the user drags to
        QSize content;  // what the model keeps
    };
    Open();
    QWidget* frame = FrameOf(*window);
    const int bar = frame->height() - ContentOf(*window)->height();
    for (const Case& c : {Case{{300, 400}, {300, 400}}, Case{{10, 10}, {64, 64}}, Case{{150, 200}, {150, 200}},
                          Case{{150, 260}, {150, 260}}, Case{{220, 260}, {220, 260}}}) {
        SCOPED_TRACE(testing::Message() << c.asked.width() << "x" << c.asked.height());
        frame->resize(c.asked.width(), c.asked.height() + bar);
        qtkit::Settle();
        const int w = c.content.width(), h = c.content.height();
        EXPECT_EQ(QSize(window->Width(), window->Height()), c.content);
        EXPECT_EQ(ContentOf(*window)->size(), c.content);
        // The list keeps all four edges; the button its left, right and bottom.
        EXPECT_EQ(WidgetOf(*list)->geometry(), QRect(0, 0, w, h - 26));
        EXPECT_EQ(WidgetOf(*button)->geometry(), QRect(5, h - 23, w - 10, 20));
    }
}

TEST_F(QtWindowViewTest, UserMoveReportsTheContentAreasPlace)
{
    Open();
    QWidget* frame = FrameOf(*window);
    frame->move(frame->x() + 40, frame->y() + 30);
    qtkit::Settle();
    EXPECT_EQ(QPoint(window->Left(), window->Top()), QPoint(140, 150));
    EXPECT_EQ(ContentOf(*window)->mapToGlobal(QPoint(0, 0)), QPoint(140, 150));
}

TEST_F(QtWindowViewTest, FollowsVisibilityAndFlagsSetByTheModel)
{
    Open();
    QWidget* frame = FrameOf(*window);
    window->SetVisible(false);
    EXPECT_FALSE(frame->isVisible());
    window->SetVisible(true);
    EXPECT_TRUE(frame->isVisible());
    // New window flags would hide a shown window.
    window->SetMaximizeButton(true);
    EXPECT_TRUE(frame->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(ScreenRect(ContentOf(*window)), ModelRect(*window));
    window->SetCloseButton(false);
    EXPECT_FALSE(frame->windowFlags() & Qt::WindowCloseButtonHint);

    // Qt would read "[*]" as its mark for unsaved changes and drop it.
    window->SetTitle("Quillmere [*]");
    ASSERT_TRUE(frame->windowHandle());
    EXPECT_EQ(frame->windowHandle()->title(), QStringLiteral("Quillmere [*]"));
}

TEST_F(QtWindowViewTest, AWindowWithoutMenusIsAllContentArea)
{
    Open();
    window->SetMenuBar(nullptr);
    qtkit::Settle();
    EXPECT_TRUE(MenuBarOf(*window)->isHidden());
    EXPECT_EQ(ScreenRect(ContentOf(*window)), QRect(100, 120, 150, 200));
    EXPECT_EQ(FrameOf(*window)->height(), 200);
}

TEST_F(QtWindowViewTest, AWindowOpenedAboveTheScreenComesDownWithItsMenuBar)
{
    onLayout = [](Window& w) { w.SetTop(-5000); };
    Open();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_GE(FrameOf(*window)->geometry().top(), screen.top());
    EXPECT_EQ(window->Top(), FrameOf(*window)->geometry().top() + MenuBarOf(*window)->height());
}

TEST_F(QtWindowViewTest, ControlsFollowTheirModels)
{
    Open();
    QWidget* push = WidgetOf(*button);
    button->SetVisible(false);
    EXPECT_FALSE(push->isVisible());
    button->SetVisible(true);
    EXPECT_TRUE(push->isVisible());
    button->SetEnabled(false);
    EXPECT_FALSE(push->isEnabled());
    button->SetEnabled(true);
    EXPECT_TRUE(push->isEnabled());

    // A caption is shown as it is: '&' marks no access key.
    button->SetCaption("A & B &C");
    EXPECT_TRUE(QKeySequence::mnemonic(qobject_cast<QPushButton*>(push)->text()).isEmpty());

    struct Case {
        const char* font;
        double size;
        std::int32_t unit;  // 0 default, 3 inches, 4 millimetres
        int pixels;         // 0: the application's own size
    };
    for (const Case& c : {Case{"System", 0, 0, 0}, Case{"", 12, 0, 12}, Case{"SmallSystem", 0.25, 3, 18},
                          Case{"System", 7, 4, 20}}) {
        SCOPED_TRACE(testing::Message() << c.font << " " << c.size << " unit " << c.unit);
        button->SetTextFont(c.font);
        button->SetTextUnit(c.unit);
        button->SetTextSize(float(c.size));
        const QFont font = push->font();
        EXPECT_EQ(font.family(), QApplication::font().family());
        if (c.pixels > 0) {
            EXPECT_EQ(font.pixelSize(), c.pixels);
        } else {
            EXPECT_EQ(font.pixelSize(), QApplication::font().pixelSize());
            EXPECT_EQ(font.pointSizeF(), QApplication::font().pointSizeF());
        }
    }
}

TEST_F(QtWindowViewTest, CloseRequestGoesToTheModelWhichClosesTheWindow)
{
    Open();
    QPointer<QWidget> frame = FrameOf(*window);
    frame->close();
    EXPECT_EQ(events, std::vector<std::string>{"Close"});
    EXPECT_FALSE(window->IsOpen());
    EXPECT_FALSE(window->View());
    qtkit::Settle();
    EXPECT_FALSE(frame);
}

// A handler may close the window from inside the view's own event handling.
TEST_F(QtWindowViewTest, HandlersMayCloseTheWindowUnderTheView)
{
    struct Case {
        const char* what;
        void (*act)(QTreeView& list, QWidget& button);
    };
    const Case cases[] = {
        {"button click", [](QTreeView&, QWidget& b) { qtkit::Click(&b, QPoint(10, 10)); }},
        {"double-click", [](QTreeView& t, QWidget&) {
             qtkit::DoubleClick(t.viewport(), t.visualRect(t.model()->index(1, 0)).center());
         }},
        {"opening a folder row", [](QTreeView& t, QWidget&) {
             t.setExpanded(t.model()->index(0, 0), true);
         }},
    };
    auto closeWindow = [this] { window->Close(); };
    onAction = closeWindow;
    onDoubleClick = closeWindow;
    onExpand = [closeWindow](std::int32_t) { closeWindow(); };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        events.clear();
        Open();
        QPointer<QWidget> frame = FrameOf(*window);
        c.act(*qobject_cast<QTreeView*>(WidgetOf(*list)), *WidgetOf(*button));
        ASSERT_FALSE(events.empty());
        EXPECT_EQ(events.back(), "Close");
        qtkit::Settle();
        EXPECT_FALSE(frame);
    }
}

} // namespace
