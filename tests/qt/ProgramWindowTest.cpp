// The program's own window on the Qt backend: what a user sees at start.

#include "support/RecordingScriptHost.h"
#include "support/StandinState.h"

#include "app/Startup.h"
#include "listwindow/Window1.h"

#include "framework/Application.h"
#include "framework/qt/QtViews.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTreeView>
#include <QWidget>

#include <filesystem>
#include <fstream>

using namespace fw;

namespace {

class ProgramWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        scratch = fwtest::MakeTemporaryFolder();
        std::filesystem::create_directories(scratch + "/config");
        std::filesystem::create_directories(scratch + "/Scripts/Tools");
        std::ofstream(scratch + "/Scripts/a.jsx") << "";
        std::ofstream(scratch + "/Scripts/Tools/b.scpt") << "";
        std::ofstream(scratch + "/config/fennic.pref") << "30\n70\n150\n200\n" << scratch << "/Scripts\n";
        ::setenv("XDG_CONFIG_HOME", (scratch + "/config").c_str(), 1);
        fwtest::RecordingScriptHost::Install().Answer(169, "Quillmere");
        fwtest::RecordingAppleEventTransport::Install();
        RuntimeInit();
        initialize();
        RuntimeSetExceptionHelper(&CallFunctionWithExceptionHandling);
        Startup();
        window = ::Window1();
    }

    void TearDown() override
    {
        window.reset();
        finalize();
        InstallScriptHost(nullptr);
        InstallAppleEventTransport(nullptr);
        ::unsetenv("XDG_CONFIG_HOME");
        fwtest::RemoveFolder(scratch);
    }

    std::string scratch;
    std::shared_ptr<class Window1> window;
};

TEST_F(ProgramWindow, ShowsTheListAboveTheButtonIn150By200)
{
    QWidget* content = qt::ContentOf(*window);
    ASSERT_TRUE(content);
    EXPECT_EQ(content->size(), QSize(150, 200));
    EXPECT_EQ(content->mapToGlobal(QPoint(0, 0)), QPoint(30, 70));
    QWidget* frame = qt::FrameOf(*window);
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Quillmere"));
    EXPECT_TRUE(frame->isVisible());
    EXPECT_TRUE(frame->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(frame->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(frame->windowFlags() & Qt::WindowMaximizeButtonHint);

    auto* tree = qobject_cast<QTreeView*>(qt::WidgetOf(*window->LB1()));
    ASSERT_TRUE(tree);
    EXPECT_EQ(tree->geometry(), QRect(0, 0, 150, 174));
    EXPECT_TRUE(tree->isHeaderHidden());
    const QAbstractItemModel* rows = tree->model();
    EXPECT_EQ(rows->columnCount(), 1);
    ASSERT_EQ(rows->rowCount(), 2);
    EXPECT_EQ(rows->index(0, 0).data().toString(), QStringLiteral("a.jsx"));
    EXPECT_EQ(rows->index(1, 0).data().toString(), QStringLiteral("Tools"));

    auto* button = qobject_cast<QPushButton*>(qt::WidgetOf(*window->BevelButton1()));
    ASSERT_TRUE(button);
    EXPECT_EQ(button->geometry(), QRect(5, 177, 140, 20));
    EXPECT_EQ(button->text(), QStringLiteral("スクリプトフォルダ選択"));
    // The caption fits its button.
    EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()), button->width());
}

TEST_F(ProgramWindow, MenusReadAsTheProgramBuiltThem)
{
    const QList<QAction*> menus = qt::MenuBarOf(*window)->actions();
    ASSERT_EQ(menus.size(), 2);
    EXPECT_EQ(menus[0]->text(), QStringLiteral("ファイル"));
    EXPECT_EQ(menus[1]->text(), QStringLiteral("編集"));
    const QList<QAction*> file = menus[0]->menu()->actions();
    ASSERT_EQ(file.size(), 1);
    EXPECT_EQ(file[0]->text(), QStringLiteral("終了"));
    EXPECT_EQ(file[0]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));

    const QList<QAction*> edit = menus[1]->menu()->actions();
    ASSERT_EQ(edit.size(), 8);
    const char* texts[] = {"元に戻す", "", "カット", "コピー", "貼り付け", "削除", "", "すべてを選択"};
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(edit[i]->isSeparator(), i == 1 || i == 6);
        if (!edit[i]->isSeparator()) {
            EXPECT_EQ(edit[i]->text(), QString::fromUtf8(texts[i]));
        }
    }
    EXPECT_EQ(edit[0]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_TRUE(edit[5]->shortcut().isEmpty());
}

} // namespace
