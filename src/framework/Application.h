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
// Readies the framework and runs the start-up routine once, as an event.
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
// The quit entry's action: Quit(0), at the outermost event.
bool QuitMenuAction();
// The exit status once the display went away (sysexits' EX_UNAVAILABLE):
// all was saved as on a quit, but nobody asked for the ending.
constexpr std::int32_t kDisplayLostStatus = 69;
// For a backend whose display went away, with the process about to end, from
// wherever it is: ends the application now as Quit(0) does, as far as that
// goes without a display. The views are let go of unasked, no dialog is shown
// and no helper started, and every window is closed (its Close event runs).
// The exit status to end with: kDisplayLostStatus, or 1 when a Close raised.
std::int32_t QuitWithoutDisplay();
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
// comes out of it ends the loop and is raised again by RuntimeRun. An event
// may come inside another one, from a modal dialog's loop or a yield.
void DeliverFromLoop(const std::function<void()>& event);
// Runs a request that ends things (closing a window, quitting) now; or, when
// it comes inside another event, once the outermost event has returned, so
// that no handler goes on against what the request has closed.
void AtOutermostEvent(std::function<void()> request);
// For backends, once TerminationDescriptor is readable: empties it and ends
// the application as the quit entry does. The backend dismisses the modal
// dialogs that are open, as if cancelled, so that their handlers can return.
void DeliverTerminationRequest();
bool QuitRequested();
// Whether the program is ending or about to: a signal asked for it, Quit
// ran, an exception left an event, or a close or quit waits for the running
// handlers to return. From then on nothing is waited for: a helper that runs
// is no longer waited for, none is started and no modal dialog is shown.
bool EndingRequested();

} // namespace fw
