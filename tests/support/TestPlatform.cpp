#include "TestPlatform.h"

#include "framework/Application.h"
#include "framework/Control.h"
#include "framework/Termination.h"
#include "framework/Window.h"

#include <algorithm>

namespace fwtest {

namespace {

TestPlatform* current = nullptr;
int nextTimerId = 1;  // unique across platforms: handles may outlive theirs

class JournalingScriptHost final : public fw::ScriptHost {
public:
    RecordingScriptHost recorder;
    fw::String Run(std::int32_t number, const std::vector<fw::ScriptParameter>& parameters,
                   const fw::HelperWait& wait) override
    {
        current->journal.push_back("script " + (parameters.empty() ? std::to_string(number)
                                                                   : Describe(ScriptCall{number, parameters, {}})));
        return recorder.Run(number, parameters, wait);
    }
};

class JournalingAppleEvents final : public fw::AppleEventTransport {
public:
    RecordingAppleEventTransport recorder;
    bool Send(std::uint32_t eventClass, std::uint32_t eventID, std::uint32_t signature) override
    {
        auto code = [](std::uint32_t c) {
            return std::string{char(c >> 24), char(c >> 16), char(c >> 8), char(c)};
        };
        current->journal.push_back("event " + code(eventClass) + "/" + code(eventID) + "/" + code(signature));
        return recorder.Send(eventClass, eventID, signature);
    }
};

class RecordingLauncher final : public fw::Launcher {
public:
    bool Launch(const fw::String& path, bool activate) override
    {
        current->RecordLaunch(path, activate);
        return true;
    }
};

class TestWindowView final : public fw::WindowView {
public:
    explicit TestWindowView(fw::Window& window) : window_(window) {}
    ~TestWindowView() override
    {
        if (current) ++current->windowViewsDestroyed;
    }
    void TitleChanged() override { Note("view title " + window_.Title()); }
    void BoundsChanged() override {}
    void LimitsChanged() override {}
    void FlagsChanged() override {}
    void MenuBarChanged() override { Note("view menu bar"); }
    void ControlAdded(fw::Control& control) override { Note("view control " + control.Name()); }
    void VisibleChanged() override
    {
        if (current) current->journal.push_back(window_.Visible() ? "window shown" : "window hidden");
    }

private:
    static void Note(const std::string& what)
    {
        if (current) current->journal.push_back(what);
    }
    fw::Window& window_;
};

} // namespace

class TestTimerHandle final : public fw::TimerHandle {
public:
    explicit TestTimerHandle(int id) : id_(id) {}
    ~TestTimerHandle() override
    {
        if (current) std::erase_if(current->timers_, [this](const auto& t) { return t.id == id_; });
    }

private:
    int id_;
};

TestPlatform& TestPlatform::Install()
{
    fw::ForgetAllWindows();
    fw::RuntimeInit();
    fw::ForgetTerminationRequest();
    auto platform = std::make_unique<TestPlatform>();
    current = platform.get();
    auto scripts = std::make_unique<JournalingScriptHost>();
    platform->scripts_ = &scripts->recorder;
    auto events = std::make_unique<JournalingAppleEvents>();
    platform->appleEvents_ = &events->recorder;
    fw::InstallScriptHost(std::move(scripts));
    fw::InstallAppleEventTransport(std::move(events));
    fw::InstallLauncher(std::make_unique<RecordingLauncher>());
    fw::InstallPlatform(std::move(platform));
    return *current;
}

std::unique_ptr<fw::WindowView> TestPlatform::CreateWindowView(fw::Window& window)
{
    return std::make_unique<TestWindowView>(window);
}

void TestPlatform::Post(std::function<void()> task)
{
    tasks_.push_back(std::move(task));
}

bool TestPlatform::FireNextTimerBefore(std::int64_t limit)
{
    auto next = std::min_element(timers_.begin(), timers_.end(),
                                 [](const auto& a, const auto& b) { return a.due < b.due; });
    if (next == timers_.end() || next->due > limit) return false;
    now_ = next->due;
    next->due += next->period;
    std::function<void()> tick = next->tick;  // the tick may stop the timer
    tick();
    return true;
}

void TestPlatform::AdvanceClock(std::int32_t milliseconds)
{
    std::int64_t until = now_ + milliseconds;
    while (FireNextTimerBefore(until)) {
    }
    now_ = until;
}

void TestPlatform::RunEventLoop()
{
    exitRequested_ = false;
    std::int64_t limit = now_ + loopLimitMilliseconds;
    while (!exitRequested_) {
        if (!tasks_.empty()) {
            std::function<void()> task = std::move(tasks_.front());
            tasks_.pop_front();
            fw::DeliverFromLoop(task);
        } else if (!FireNextTimerBefore(limit)) {
            return;
        }
    }
}

std::unique_ptr<fw::TimerHandle> TestPlatform::StartTimer(std::int32_t period, std::function<void()> tick)
{
    int id = nextTimerId++;
    timers_.push_back(PendingTimer{id, period, now_ + period, std::move(tick)});
    return std::make_unique<TestTimerHandle>(id);
}

void TestPlatform::ProcessPendingEvents()
{
    ++yields;
    if (duringYield) duringYield();
}

void TestPlatform::ShowMessage(const fw::String& text)
{
    messages.push_back(text);
    journal.push_back("message " + text);
    if (duringMessage) duringMessage(text);
}

std::optional<fw::String> TestPlatform::ChooseFolder(const fw::FolderDialogTexts& texts)
{
    folderDialogs.push_back(texts);
    journal.push_back("folder dialog");
    if (duringFolderDialog) duringFolderDialog();
    if (folderAnswers.empty()) return std::nullopt;
    std::optional<std::string> answer = folderAnswers.front();
    folderAnswers.pop_front();
    return answer;
}

} // namespace fwtest
