#include "QtTestKit.h"

#include "framework/Application.h"
#include "framework/Platform.h"
#include "framework/qt/QtDialogs.h"
#include "framework/qt/QtViews.h"
#include "support/StandinState.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>
#include <QTimer>

#include <chrono>
#include <filesystem>

#include <fcntl.h>
#include <unistd.h>

using namespace fw;

namespace {

class QtPlatformTest : public qtkit::WindowTest {
protected:
    // A timer of the window, ticking every `period` ms in `mode`.
    TimerRef AddTimer(std::int32_t period, std::int32_t mode, qtkit::Handler action)
    {
        auto timer = std::static_pointer_cast<Timer>(window->New(Timer::Lookup()));
        window->AddControl("Timer1", timer);
        timer->SetMode(mode);
        timer->SetPeriod(period);
        qtkit::On(timer, window, "Action", std::move(action));
        return timer;
    }
};

TEST_F(QtPlatformTest, TimerActionArrivesFromTheLoop)
{
    Open();
    int ticks = 0;
    AddTimer(20, Timer::kModeMultiple, [&](Control&, std::int32_t) {
        if (++ticks == 3) CurrentPlatform().ExitEventLoop();
    });
    qtkit::Watchdog watchdog;
    QElapsedTimer clock;
    clock.start();
    CurrentPlatform().RunEventLoop();
    EXPECT_EQ(ticks, 3);
    // Three periods of 20 ms: neither sooner nor at some period of its own.
    EXPECT_GE(clock.elapsed(), 50);
    EXPECT_LT(clock.elapsed(), 600);
}

TEST_F(QtPlatformTest, ASingleShotTimerStopsFromInsideItsOwnTick)
{
    // Its tick drops the timer's handle while Qt is still in the tick.
    Open();
    int ticks = 0;
    AddTimer(10, Timer::kModeSingle, [&](Control&, std::int32_t) { ++ticks; });
    QTimer::singleShot(150, [] { CurrentPlatform().ExitEventLoop(); });
    qtkit::Watchdog watchdog;
    CurrentPlatform().RunEventLoop();
    EXPECT_EQ(ticks, 1);
}

TEST_F(QtPlatformTest, AnExceptionFromAHandlerEndsTheLoopAndComesOutOfRun)
{
    // It must not cross Qt's loop: the runtime raises it again after.
    Open();
    onAction = [] { throw NilObjectException("from the handler"); };
    QTimer::singleShot(0, [this] { qtkit::Click(qt::WidgetOf(*button), QPoint(5, 5)); });
    qtkit::Watchdog watchdog;
    EXPECT_THROW(RuntimeRun(), NilObjectException);
    EXPECT_EQ(events, std::vector<std::string>{"Action"});
}

// A close request that comes while a button's handler runs (from a dialog's
// own loop, say) waits until the handler is done: the window must not go
// under it.
TEST_F(QtPlatformTest, ACloseRequestDuringAHandlerWaitsForIt)
{
    Open();
    bool openAtTheEnd = false;
    onAction = [&] {
        qt::FrameOf(*window)->close();
        openAtTheEnd = window->IsOpen();
        CurrentPlatform().ExitEventLoop();
    };
    QTimer::singleShot(0, [this] { qtkit::Click(qt::WidgetOf(*button), QPoint(5, 5)); });
    qtkit::Watchdog watchdog;
    CurrentPlatform().RunEventLoop();
    EXPECT_TRUE(openAtTheEnd);
    EXPECT_FALSE(window->IsOpen());
}

TEST(QtPlatformYieldTest, LetsEventsThroughButNotOnEveryPass)
{
    struct Counter : QObject {
        int delivered = 0;
        bool event(QEvent* e) override
        {
            if (e->type() != QEvent::User) return QObject::event(e);
            ++delivered;
            return true;
        }
    } counter;
    // One pass of a long loop, with an event waiting; true if it got through.
    bool waiting = false;
    auto pass = [&] {
        if (!waiting) QCoreApplication::postEvent(&counter, new QEvent(QEvent::User));
        waiting = true;
        const int before = counter.delivered;
        CurrentPlatform().ProcessPendingEvents();
        waiting = counter.delivered == before;
        return !waiting;
    };
    QThread::msleep(15);
    QElapsedTimer clock;
    clock.start();
    int passesThatDelivered = 0;
    for (int i = 0; i < 1000; ++i) passesThatDelivered += pass();
    // The first pass lets events through; the next ones only every 10 ms,
    // each then delivering all that waited.
    EXPECT_GE(passesThatDelivered, 1);
    EXPECT_LE(passesThatDelivered, 2 + clock.elapsed() / 10);

    // A loop that runs for a while still answers the user every few
    // hundredths of a second (the bound is loose for busy machines).
    clock.restart();
    passesThatDelivered = 0;
    while (clock.elapsed() < 200) passesThatDelivered += pass();
    EXPECT_GE(passesThatDelivered, 200 / 50);
    EXPECT_LE(passesThatDelivered, 2 + clock.elapsed() / 10);

    clock.restart();
    for (int i = 0; i < 100000; ++i) CurrentPlatform().ProcessPendingEvents();
    EXPECT_LT(clock.elapsed(), 500);
}

// While a helper runs, the loop goes on (a timer ticks) until the helper's
// pipe or exit notice is readable, or the time given is up.
TEST(QtPlatformWaitTest, WaitsWithTheLoopRunningUntilADescriptorIsReadableOrTheTimeIsUp)
{
    int fds[2];
    ASSERT_EQ(::pipe2(fds, O_NONBLOCK), 0);
    for (bool userInput : {false, true}) {
        SCOPED_TRACE(userInput);
        bool ticked = false;
        QTimer::singleShot(50, [&] {
            ticked = true;
            (void)!::write(fds[1], "x", 1);
        });
        QElapsedTimer clock;
        clock.start();
        CurrentPlatform().WaitLettingEventsThrough({fds[0]}, std::chrono::milliseconds(5000), userInput);
        EXPECT_TRUE(ticked);
        EXPECT_LT(clock.elapsed(), 1000);
        char byte;
        ASSERT_EQ(::read(fds[0], &byte, 1), 1);

        clock.restart();
        CurrentPlatform().WaitLettingEventsThrough({fds[0]}, std::chrono::milliseconds(150), userInput);
        EXPECT_GE(clock.elapsed(), 140);
        EXPECT_LT(clock.elapsed(), 1000);
    }
    ::close(fds[0]);
    ::close(fds[1]);
}

TEST(QtMessageTest, ShowsTheTextAsItIsUntilOkIsPressed)
{
    const char* text = "スクリプトがありません <b>a & b</b>";
    QString seenTitle, seenText;
    Qt::TextFormat seenFormat = Qt::AutoText;
    QMessageBox::StandardButtons seenButtons;
    qtkit::WhenModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_TRUE(box);
        seenTitle = box->windowTitle();
        seenText = box->text();
        seenFormat = box->textFormat();
        seenButtons = box->standardButtons();
        box->button(QMessageBox::Ok)->click();
    });
    qtkit::Watchdog watchdog;
    CurrentPlatform().ShowMessage(text);
    EXPECT_EQ(seenTitle, QGuiApplication::applicationDisplayName());
    EXPECT_EQ(seenText, QString::fromUtf8(text));
    EXPECT_EQ(seenFormat, Qt::PlainText);
    EXPECT_EQ(seenButtons, QMessageBox::Ok);
}

TEST(QtMessageTest, ExitingTheLoopEndsAnOpenMessageAndNoNewOneOpens)
{
    bool returned = false, secondReturned = false;
    QTimer::singleShot(0, [&] {
        qtkit::WhenModal([](QWidget*) { CurrentPlatform().ExitEventLoop(); });
        CurrentPlatform().ShowMessage("first");
        returned = true;
        // The loops are ending: a new message would wait for nobody.
        CurrentPlatform().ShowMessage("second");
        secondReturned = true;
    });
    qtkit::Watchdog watchdog;
    CurrentPlatform().RunEventLoop();
    EXPECT_TRUE(returned);
    EXPECT_TRUE(secondReturned);
    qtkit::Settle();
    EXPECT_FALSE(QApplication::activeModalWidget());
}

class QtFolderDialogTest : public ::testing::Test {
protected:
    void SetUp() override { root_ = fwtest::MakeTemporaryFolder(); }
    void TearDown() override { fwtest::RemoveFolder(root_); }

    // Opens the dialog, lets `act` handle it, and gives what it chose.
    std::optional<String> Choose(std::function<void(QFileDialog&)> act) { return Choose(Texts(), std::move(act)); }
    std::optional<String> Choose(const FolderDialogTexts& texts, std::function<void(QFileDialog&)> act)
    {
        qtkit::WhenModal([act](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            ASSERT_TRUE(dialog);
            act(*dialog);
        });
        qtkit::Watchdog watchdog;
        return CurrentPlatform().ChooseFolder(texts);
    }
    FolderDialogTexts Texts() const
    {
        return {"選択", "スクリプトフォルダ指定", "スクリプトフォルダを選択してください。", root_};
    }

    std::string root_;
};

TEST_F(QtFolderDialogTest, ShowsItsTextsToTheUser)
{
    QString title, accept, prompt;
    bool promptShownAboveTheName = false;
    Choose([&](QFileDialog& dialog) {
        title = dialog.windowTitle();
        for (QPushButton* b : dialog.findChildren<QPushButton*>())
            if (b->isVisible() && b->text() == QStringLiteral("選択")) accept = b->text();
        auto* label = dialog.findChild<QLabel*>(QStringLiteral("promptLabel"));
        auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (label && label->isVisible()) {
            prompt = label->text();
            promptShownAboveTheName = name && label->mapTo(&dialog, QPoint(0, 0)).y() <
                                                  name->mapTo(&dialog, QPoint(0, 0)).y();
            // The prompt has its row to itself.
            const QRect promptArea(label->mapTo(&dialog, QPoint(0, 0)), label->size());
            for (QWidget* other : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                if (other == label || !other->isVisible() || other->isWindow()) continue;
                EXPECT_FALSE(promptArea.intersects(other->geometry())) << other->objectName().toStdString();
            }
        }
        EXPECT_EQ(dialog.fileMode(), QFileDialog::Directory);
        EXPECT_TRUE(dialog.testOption(QFileDialog::ShowDirsOnly));
        // It opens where it was asked to.
        EXPECT_EQ(dialog.directory().absolutePath(), QString::fromStdString(root_));
        dialog.reject();
    });
    EXPECT_EQ(title, QStringLiteral("スクリプトフォルダ指定"));
    EXPECT_EQ(accept, QStringLiteral("選択"));
    EXPECT_EQ(prompt, QStringLiteral("スクリプトフォルダを選択してください。"));
    EXPECT_TRUE(promptShownAboveTheName);
}

TEST_F(QtFolderDialogTest, WithoutAFolderOrAPromptItOpensAtHomeAndShowsNoPrompt)
{
    FolderDialogTexts texts = Texts();
    texts.initialDirectory.clear();
    texts.promptText.clear();
    QString opened;
    bool promptShown = true;
    Choose(texts, [&](QFileDialog& dialog) {
        opened = dialog.directory().absolutePath();
        promptShown = dialog.findChild<QLabel*>(QStringLiteral("promptLabel")) != nullptr;
        dialog.reject();
    });
    EXPECT_EQ(opened, QDir::homePath());
    EXPECT_FALSE(promptShown);
}

TEST_F(QtFolderDialogTest, APromptIsShownAsItIs)
{
    FolderDialogTexts texts = Texts();
    texts.promptText = "<b>a & b</b>";
    Qt::TextFormat format = Qt::AutoText;
    Choose(texts, [&](QFileDialog& dialog) {
        if (auto* label = dialog.findChild<QLabel*>(QStringLiteral("promptLabel"))) format = label->textFormat();
        dialog.reject();
    });
    EXPECT_EQ(format, Qt::PlainText);
}

// A request to end the program closes an open dialog as cancelled: the
// folder it shows at that moment is not taken as chosen.
TEST_F(QtFolderDialogTest, DismissingTheDialogChoosesNothing)
{
    EXPECT_EQ(Choose([](QFileDialog&) { qt::DismissModalDialogs(); }), std::nullopt);
}

TEST_F(QtFolderDialogTest, TypingAFoldersPathAndReturnChoosesIt)
{
    struct Case {
        const char* what;
        std::string typed;
        std::optional<String> chosen;
    };
    std::filesystem::create_directories(root_ + "/スクリプト/sub");
    for (const Case& c : {Case{"absolute path", root_ + "/スクリプト", root_ + "/スクリプト"},
                          Case{"trailing slash", root_ + "/スクリプト/sub/", root_ + "/スクリプト/sub"},
                          Case{"cancelled", "", std::nullopt}}) {
        SCOPED_TRACE(c.what);
        std::optional<String> chosen = Choose([&](QFileDialog& dialog) {
            if (c.typed.empty()) return dialog.reject();
            auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            ASSERT_TRUE(name);
            name->setText(QString::fromStdString(c.typed));
            qtkit::PressKey(name, Qt::Key_Return);
        });
        EXPECT_EQ(chosen, c.chosen);
    }
}

} // namespace
