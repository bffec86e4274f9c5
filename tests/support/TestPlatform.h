#pragma once

// The scripted backend: a platform whose loop runs on a virtual clock, whose
// dialogs answer what the test says, and which writes what happens, in
// order, to one journal — together with the scripts, Apple events and
// launches that reach the process seams.

#include "RecordingScriptHost.h"

#include "framework/Platform.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace fwtest {

class TestPlatform final : public fw::Platform {
public:
    // Installs a fresh platform with recording script host, Apple-event
    // transport and launcher, and resets the runtime.
    static TestPlatform& Install();

    // What happened, in order: "script 170", "script 171(text \"/a\")",
    // "event misc/actv/ART5", "message <text>", "folder dialog",
    // "launch <path>", "window shown", "window hidden", and what the window
    // view is told: "view menu bar", "view title <title>", "view control <name>".
    std::vector<std::string> journal;
    std::vector<std::string> messages;
    std::vector<fw::FolderDialogTexts> folderDialogs;
    // Answers of the folder dialog, oldest first; nothing left: cancelled.
    std::deque<std::optional<std::string>> folderAnswers;
    // Runs while a message is shown (modal), with its text.
    std::function<void(const std::string&)> duringMessage;
    // Runs while the folder dialog is open, before it answers.
    std::function<void()> duringFolderDialog;
    // Runs at every yield of a long loop; it may raise, as a failure there would.
    std::function<void()> duringYield;
    int yields = 0;
    // What AvailableScreenAreas answers; empty: nothing known.
    std::vector<fw::Rect> screenAreas;
    // Window views destroyed, which a real one does by talking to the display.
    int windowViewsDestroyed = 0;

    struct Launch {
        std::string path;
        bool activate;
    };

    RecordingScriptHost& Scripts() { return *scripts_; }
    RecordingAppleEventTransport& AppleEvents() { return *appleEvents_; }
    const std::vector<Launch>& Launched() const { return launched_; }

    // Moves the virtual clock on, firing the timers that fall due.
    void AdvanceClock(std::int32_t milliseconds);
    std::int64_t Now() const { return now_; }
    // Queues work for the event loop.
    void Post(std::function<void()> task);
    // The loop gives up after this much virtual time with nothing else to do.
    std::int64_t loopLimitMilliseconds = 60000;

    std::unique_ptr<fw::WindowView> CreateWindowView(fw::Window& window) override;
    void RunEventLoop() override;
    void ExitEventLoop() override { exitRequested_ = true; }
    void ProcessPendingEvents() override;
    std::unique_ptr<fw::TimerHandle> StartTimer(std::int32_t period, std::function<void()> tick) override;
    void ShowMessage(const fw::String& text) override;
    std::optional<fw::String> ChooseFolder(const fw::FolderDialogTexts& texts) override;
    std::vector<fw::Rect> AvailableScreenAreas() override { return screenAreas; }

    void RecordLaunch(const std::string& path, bool activate)
    {
        launched_.push_back(Launch{path, activate});
        journal.push_back("launch " + path);
    }

private:
    struct PendingTimer {
        int id;
        std::int32_t period;
        std::int64_t due;
        std::function<void()> tick;
    };
    friend class TestTimerHandle;
    bool FireNextTimerBefore(std::int64_t limit);

    RecordingScriptHost* scripts_ = nullptr;
    RecordingAppleEventTransport* appleEvents_ = nullptr;
    std::vector<Launch> launched_;
    std::deque<std::function<void()>> tasks_;
    std::vector<PendingTimer> timers_;
    std::int64_t now_ = 0;
    bool exitRequested_ = false;
};

} // namespace fwtest
