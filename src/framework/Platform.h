#pragma once

// The framework's narrow seams to the outside. The Qt backend implements the
// GUI ones for real, tests/support implements them with a script; the process
// seams (scripts, Apple events, launching) have real implementations in the
// framework itself and recording ones in tests/support.

#include "HelperWait.h"
#include "Text.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace fw {

class Window;
class Control;

// What a window model tells its view. The view reads the model's current
// values when told that they changed.
class WindowView {
public:
    virtual ~WindowView() = default;
    virtual void TitleChanged() = 0;
    virtual void BoundsChanged() = 0;  // Left, Top, Width, Height of the content area
    virtual void LimitsChanged() = 0;  // MinWidth .. MaxHeight
    virtual void FlagsChanged() = 0;   // CloseButton, MinimizeButton, MaximizeButton, Resizeable
    virtual void VisibleChanged() = 0;
    virtual void MenuBarChanged() = 0;
    virtual void ControlAdded(Control& control) = 0;
    // How far the window reaches above its content area (a menu bar inside
    // it) when the content area is that wide.
    virtual std::int32_t HeightAboveContent(std::int32_t width) const { return (void)width, 0; }
};

// What a control model tells its view; each view overrides what it shows.
class ControlView {
public:
    virtual ~ControlView() = default;
    virtual void BoundsChanged() {}
    virtual void VisibleChanged() {}
    virtual void EnabledChanged() {}
    virtual void TextChanged() {}  // caption, font, text size
    // Listbox only. Rows are named in the list's two levels: the rows named
    // are children of top-level row `parent`, or top-level rows when
    // `parent` is -1. Each change of rows comes between its "about to" and
    // its "done" notice; a reset stands for any change at all.
    virtual void RowsAboutToBeInserted(std::int32_t /*parent*/, std::int32_t /*first*/, std::int32_t /*count*/) {}
    virtual void RowsInserted(std::int32_t /*parent*/, std::int32_t /*first*/, std::int32_t /*count*/) {}
    virtual void RowsAboutToBeRemoved(std::int32_t /*parent*/, std::int32_t /*first*/, std::int32_t /*count*/) {}
    virtual void RowsRemoved(std::int32_t /*parent*/, std::int32_t /*first*/, std::int32_t /*count*/) {}
    virtual void RowsAboutToBeReset() {}
    virtual void RowsReset() {}
    virtual void CellChanged(std::int32_t /*parent*/, std::int32_t /*row*/, std::int32_t /*column*/) {}
    virtual void ExpandedChanged(std::int32_t /*topRow*/) {}
    virtual void ColumnCountChanged() {}
    virtual void SelectionChanged() {}
    // The last running ExpandRow, CollapseRow or DoubleClick handler is done.
    virtual void RowHandlersDone() {}
};

class TimerHandle {
public:
    virtual ~TimerHandle() = default;  // stops the timer
};

struct Rect {
    std::int32_t left = 0, top = 0, width = 0, height = 0;
    bool operator==(const Rect&) const = default;
};

struct FolderDialogTexts {
    String actionButtonCaption;
    String title;
    String promptText;
    String initialDirectory;  // "" lets the platform choose
};

class Platform {
public:
    virtual ~Platform() = default;
    virtual std::unique_ptr<WindowView> CreateWindowView(Window& window) = 0;
    // Runs the event loop until ExitEventLoop.
    virtual void RunEventLoop() = 0;
    virtual void ExitEventLoop() = 0;
    // Lets pending events through once (a yield from a long loop).
    virtual void ProcessPendingEvents() = 0;
    virtual std::unique_ptr<TimerHandle> StartTimer(std::int32_t periodMilliseconds,
                                                    std::function<void()> tick) = 0;
    // Modal: returns when the user has dismissed the message.
    virtual void ShowMessage(const String& text) = 0;
    // Modal: the chosen folder's absolute path, or nothing when cancelled.
    virtual std::optional<String> ChooseFolder(const FolderDialogTexts& texts) = 0;
    // The parts of the screens that windows may take (less panels and docks),
    // primary first; none when the platform cannot tell.
    virtual std::vector<Rect> AvailableScreenAreas() { return {}; }
    // Lets events through until one of `descriptors` is readable or `most`
    // has passed: how the window lives on while a helper runs. Without
    // `userInput` the user's clicks and keys wait until later.
    virtual void WaitLettingEventsThrough(const std::vector<int>& descriptors, std::chrono::milliseconds most,
                                          bool userInput);
};

// One parameter of a compiled-script call.
struct ScriptParameter {
    bool isInteger = false;
    std::int32_t integer = 0;
    String text;
};

class ScriptHost {
public:
    virtual ~ScriptHost() = default;
    // Runs script `number` with the parameters in order and waits for it as
    // `wait` says; its text result. Raises ScriptCallException when the
    // script cannot be run or does not end well.
    virtual String Run(std::int32_t number, const std::vector<ScriptParameter>& parameters,
                       const HelperWait& wait) = 0;
};

class AppleEventTransport {
public:
    virtual ~AppleEventTransport() = default;
    // True when the event was delivered.
    virtual bool Send(std::uint32_t eventClass, std::uint32_t eventID, std::uint32_t signature) = 0;
};

class Launcher {
public:
    virtual ~Launcher() = default;
    // Has the system open the item at the absolute path; False when it could not.
    virtual bool Launch(const String& absolutePath, bool activate) = 0;
};

// The seams in force. Installing one replaces the former; the process seams
// start as the real implementations.
Platform& CurrentPlatform();
void InstallPlatform(std::unique_ptr<Platform> platform);
bool HasPlatform();

ScriptHost& CurrentScriptHost();
void InstallScriptHost(std::unique_ptr<ScriptHost> host);

AppleEventTransport& CurrentAppleEventTransport();
void InstallAppleEventTransport(std::unique_ptr<AppleEventTransport> transport);

Launcher& CurrentLauncher();
void InstallLauncher(std::unique_ptr<Launcher> launcher);

// The real implementations of the process seams.
std::unique_ptr<ScriptHost> MakeProcessScriptHost(const String& scriptsFolder);
std::unique_ptr<AppleEventTransport> MakeProcessAppleEventTransport(const String& scriptsFolder);
std::unique_ptr<Launcher> MakeSystemLauncher();

// How the process seams spend the time while their helper runs: the
// installed platform lets events through; with none installed, the wait
// only sleeps.
WhileWaiting EventsGoOnWhileWaiting(const HelperWait& wait);

// The folder that holds the running executable (where its scripts lie).
String ProgramFolder();

} // namespace fw
