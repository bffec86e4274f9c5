#pragma once

// The runtime's life: start, the application object, the event loop, quitting
// and what happens to an exception that nobody caught.

#include "Runtime.h"

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>

namespace fw {

class MenuBar;

class Application : public Object {
public:
    static const ClassRecord& Lookup();
    void SetMenuBar(std::shared_ptr<fw::MenuBar> bar);
    std::shared_ptr<fw::MenuBar> MenuBar() const { return menuBar_; }

private:
    std::shared_ptr<fw::MenuBar> menuBar_;
};

// Calls `routine(argument)` and gives back the RuntimeException it raised, or
// nil; any other exception passes on. The framework calls program code
// through the helper that the program registers.
using ExceptionHelper = std::exception_ptr (*)(void (*routine)(void*), void* argument);

void RuntimeInit();
// Shuts the runtime down; the process exit status: the code given to Quit,
// or 1 after an unhandled exception.
std::int32_t RuntimeExit();
void RuntimeSetExceptionHelper(ExceptionHelper helper);
// Readies the framework and runs the start-up routine once.
void RunFrameworkInitialization(void (*startup)());
// The event loop; returns when the application ends. An exception that came
// out of program code while it ran is raised again here.
void RuntimeRun();
void RuntimeInitExternalClasses();
void InitPluginEntrypoints();
void RuntimeRegisterAppObject(const ObjectRef& app);
ObjectRef RegisteredAppObject();
// Reports an exception that nobody caught: one line on standard error.
void UnhandledException(const std::exception_ptr& exception);
// Ends the application: every open window is closed first (its Close event
// runs), then the event loop returns.
void Quit(std::int32_t code = 0);
bool QuitMenuAction();
// Yields once to the event loop from a long-running loop.
void RuntimeBackgroundTask();

// Builds the framework's own class records; part of initialisation.
void FrameworkInitialize();
// Releases the framework's module-level objects: windows, the application.
void FrameworkFinalize();

// For the framework and its backends.
// Runs program code through the registered exception helper; a
// RuntimeException it raised is raised again to the caller.
void CallProgram(const std::function<void()>& code);
// Runs an event that a backend delivers from its loop; an exception that
// comes out of it ends the loop and is raised again by RuntimeRun.
void DeliverFromLoop(const std::function<void()>& event);
bool QuitRequested();

} // namespace fw
