#include "QtPlatform.h"

#include "QtDialogs.h"
#include "QtDisplayLoss.h"
#include "QtWindowView.h"
#include "framework/Application.h"
#include "framework/Termination.h"

#include <QApplication>
#include <QGuiApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPointer>
#include <QScreen>
#include <QSocketNotifier>
#include <QTimer>

#include <chrono>
#include <cstdint>
#include <ctime>
#include <memory>
#include <vector>

namespace fw {

namespace {

// Long loops ask for the time on every pass; a clock that is read in a few
// nanoseconds and is right to a few milliseconds is the one for that.
std::int64_t CoarseMilliseconds()
{
#ifdef CLOCK_MONOTONIC_COARSE
    timespec now {};
    ::clock_gettime(CLOCK_MONOTONIC_COARSE, &now);
    return std::int64_t(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
#else
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
#endif
}

class QtTimerHandle final : public TimerHandle {
public:
    QtTimerHandle(std::int32_t periodMilliseconds, std::function<void()> tick)
        : timer_(new QTimer)
    {
        timer_->setInterval(periodMilliseconds < 0 ? 0 : periodMilliseconds);
        QPointer<QTimer> timer = timer_;
        QObject::connect(timer_, &QTimer::timeout, timer_, [timer, tick = std::move(tick)] {
            QElapsedTimer took;
            took.start();
            DeliverFromLoop(tick);
            // A tick that outlasted its period (a helper that hung) lets a
            // whole period pass before the next one, so that what waited
            // meanwhile, a close request say, is not held up by it again.
            if (timer && timer->isActive() && took.elapsed() > timer->interval()) timer->start();
        });
        timer_->start();
    }

    ~QtTimerHandle() override
    {
        if (!timer_) return;
        timer_->stop();
        timer_->disconnect();
        // Later: the handle may be dropped by its own tick.
        timer_->deleteLater();
    }

private:
    QPointer<QTimer> timer_;
};

class QtPlatform final : public Platform {
public:
    QtPlatform(int& argc, char** argv)
    {
        // Kept for the life of the process: Qt's own globals may already be
        // gone by the time static objects are destroyed.
        if (!QApplication::instance()) new QApplication(argc, argv);
        QApplication::setQuitOnLastWindowClosed(false);
        WatchTerminationRequests();
    }

    std::unique_ptr<WindowView> CreateWindowView(Window& window) override
    {
        return std::make_unique<qt::QtWindowView>(window);
    }

    void RunEventLoop() override
    {
        qt::DisplayLossWatch watch;
        QApplication::exec();
    }

    void ExitEventLoop() override
    {
        // Ends every running loop, the modal dialogs' too, and starts none
        // until the next RunEventLoop: a dialog opened meanwhile returns at
        // once instead of holding the program up.
        QCoreApplication::exit(0);
    }

    void ProcessPendingEvents() override
    {
        // Long loops yield once a pass; letting events through every time
        // would make them slow for nothing.
        const std::int64_t now = CoarseMilliseconds();
        if (yielded_ && now - lastYield_ < 10) return;
        QCoreApplication::processEvents();
        lastYield_ = CoarseMilliseconds();
        yielded_ = true;
    }

    std::unique_ptr<TimerHandle> StartTimer(std::int32_t periodMilliseconds, std::function<void()> tick) override
    {
        return std::make_unique<QtTimerHandle>(periodMilliseconds, std::move(tick));
    }

    void ShowMessage(const String& text) override
    {
        qt::ShowMessageBox(text);
    }

    std::optional<String> ChooseFolder(const FolderDialogTexts& texts) override
    {
        return qt::ChooseFolderModal(texts);
    }

    void WaitLettingEventsThrough(const std::vector<int>& descriptors, std::chrono::milliseconds most,
                                  bool userInput) override
    {
        QEventLoop loop;
        std::vector<std::unique_ptr<QSocketNotifier>> notifiers;
        for (int descriptor : descriptors) {
            auto notifier = std::make_unique<QSocketNotifier>(descriptor, QSocketNotifier::Read);
            QObject::connect(notifier.get(), &QSocketNotifier::activated, &loop, &QEventLoop::quit);
            notifiers.push_back(std::move(notifier));
        }
        QTimer::singleShot(most, &loop, &QEventLoop::quit);
        loop.exec(userInput ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
    }

    std::vector<Rect> AvailableScreenAreas() override
    {
        std::vector<Rect> areas;
        auto add = [&](const QScreen* screen) {
            QRect r = screen->availableGeometry();
            areas.push_back({r.x(), r.y(), r.width(), r.height()});
        };
        QScreen* primary = QGuiApplication::primaryScreen();
        if (primary) add(primary);
        for (const QScreen* screen : QGuiApplication::screens())
            if (screen != primary) add(screen);
        return areas;
    }

private:
    static void WatchTerminationRequests()
    {
        const int descriptor = TerminationDescriptor();
        if (descriptor < 0) return;
        auto* notifier = new QSocketNotifier(descriptor, QSocketNotifier::Read, QCoreApplication::instance());
        QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] {
            qt::DismissModalDialogs();
            DeliverTerminationRequest();
        });
    }

    bool yielded_ = false;
    std::int64_t lastYield_ = 0;
};

} // namespace

void InstallQtPlatform(int& argc, char** argv, const char* applicationName)
{
    InstallPlatform(std::make_unique<QtPlatform>(argc, argv));
    // Not the display name: Qt would add that to every window title.
    if (applicationName) QCoreApplication::setApplicationName(QString::fromUtf8(applicationName));
}

} // namespace fw

// Fontconfig (under Qt's fonts) and D-Bus (Qt's session bus on X11) keep
// their allocations until the process ends, as does the application object;
// the leak checker of sanitizer builds is not to count them.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n"
           "leak:libdbus-1.so\n";
}
