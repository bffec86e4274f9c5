#include "Application.h"

#include "BevelButton.h"
#include "Listbox.h"
#include "MenuItem.h"
#include "Platform.h"
#include "Termination.h"
#include "Timer.h"
#include "Variant.h"
#include "Window.h"

#include <cstdio>
#include <deque>
#include <typeinfo>

namespace fw {

namespace {

struct RuntimeState {
    ExceptionHelper helper = nullptr;
    ObjectRef app;
    std::exception_ptr loopFailure;
    bool quitRequested = false;
    bool unhandled = false;
    std::int32_t quitCode = 0;
    int eventDepth = 0;  // events running, one inside another
    std::deque<std::function<void()>> deferred;
};

RuntimeState& State()
{
    static RuntimeState state;
    return state;
}

class EventScope {
public:
    EventScope() { ++State().eventDepth; }
    ~EventScope() { --State().eventDepth; }
    EventScope(const EventScope&) = delete;
    EventScope& operator=(const EventScope&) = delete;
};

void RunEvent(const std::function<void()>& event)
{
    EventScope scope;
    try {
        event();
    } catch (...) {
        RuntimeState& s = State();
        if (!s.loopFailure) s.loopFailure = std::current_exception();
        if (HasPlatform()) CurrentPlatform().ExitEventLoop();
    }
}

// Once no event runs any more, what was asked for inside one.
void RunDeferredRequests()
{
    RuntimeState& s = State();
    while (s.eventDepth == 0 && !s.deferred.empty()) {
        std::function<void()> request = std::move(s.deferred.front());
        s.deferred.pop_front();
        RunEvent(request);
    }
}

String Describe(const std::exception_ptr& exception)
{
    try {
        std::rethrow_exception(exception);
    } catch (const RuntimeException& e) {
        String message = e.what();
        return String(e.ClassName()) + (message.empty() ? "" : ": " + message);
    } catch (const std::exception& e) {
        return String(typeid(e).name()) + ": " + e.what();
    } catch (...) {
        return "an exception of unknown class";
    }
}

} // namespace

const ClassRecord& Application::Lookup()
{
    static const ClassRecord record = [] {
        ClassRecord r = ClassRecord::Derive("Application", &Object::Lookup());
        for (const char* e : {"Open", "Close", "EnableMenuItems", "NewDocument", "OpenDocument", "HandleAppleEvent",
                              "Activate", "Deactivate", "UnhandledException", "CancelClose"})
            r.Event(e);
        r.Method("MenuBar");
        r.create = Factory<Application>();
        return r;
    }();
    return record;
}

void Application::SetMenuBar(std::shared_ptr<fw::MenuBar> bar)
{
    menuBar_ = std::move(bar);
}

void RuntimeInit()
{
    State() = RuntimeState{};
}

std::int32_t RuntimeExit()
{
    RuntimeState& s = State();
    std::int32_t status = s.unhandled ? 1 : s.quitCode;
    s.helper = nullptr;
    return status;
}

void RuntimeSetExceptionHelper(ExceptionHelper helper)
{
    State().helper = helper;
}

void RunFrameworkInitialization(void (*startup)())
{
    FrameworkInitialize();
    {
        // The start-up counts as an event: the window's Open runs in it.
        EventScope scope;
        NotNil(startup, "no start-up routine")();
    }
    RunDeferredRequests();
}

void RuntimeRun()
{
    RuntimeState& s = State();
    if (!s.quitRequested && !s.loopFailure) CurrentPlatform().RunEventLoop();
    if (s.loopFailure) {
        std::exception_ptr failure = s.loopFailure;
        s.loopFailure = nullptr;
        std::rethrow_exception(failure);
    }
}

void RuntimeInitExternalClasses() {}

void InitPluginEntrypoints() {}

void RuntimeRegisterAppObject(const ObjectRef& app)
{
    State().app = NotNil(app, "no application object");
}

ObjectRef RegisteredAppObject()
{
    return State().app;
}

void UnhandledException(const std::exception_ptr& exception)
{
    State().unhandled = true;
    std::fprintf(stderr, "quillmere: unhandled exception: %s\n", Describe(exception).c_str());
    std::fflush(stderr);
}

void Quit(std::int32_t code)
{
    RuntimeState& s = State();
    s.quitCode = code;
    if (s.quitRequested) return;
    s.quitRequested = true;
    CloseAllWindows();
    if (HasPlatform()) CurrentPlatform().ExitEventLoop();
}

bool QuitMenuAction()
{
    AtOutermostEvent([] { Quit(0); });
    return true;
}

std::int32_t QuitWithoutDisplay()
{
    NoteTerminationRequest();
    for (const WindowRef& w : OpenWindows()) w->AbandonViews();
    try {
        Quit(0);
    } catch (...) {
        UnhandledException(std::current_exception());
    }
    return State().unhandled ? 1 : kDisplayLostStatus;
}

bool QuitRequested()
{
    return State().quitRequested;
}

bool EndingRequested()
{
    const RuntimeState& s = State();
    return TerminationRequested() || s.quitRequested || s.loopFailure || !s.deferred.empty();
}

void RuntimeBackgroundTask()
{
    if (HasPlatform()) CurrentPlatform().ProcessPendingEvents();
}

void FrameworkInitialize()
{
    for (const ClassRecord* r :
         {&Object::Lookup(), &Application::Lookup(), &Window::Lookup(), &Control::Lookup(), &RectControl::Lookup(),
          &Listbox::Lookup(), &BevelButton::Lookup(), &Timer::Lookup(), &MenuItem::Lookup(), &MenuBar::Lookup(),
          &QuitMenuItem::Lookup(), &Delegate::Lookup(), &VariantArray::Lookup()})
        (void)r;
}

void FrameworkFinalize()
{
    ForgetAllWindows();
    State().app.reset();
}

void CallProgram(const std::function<void()>& code)
{
    ExceptionHelper helper = State().helper;
    if (!helper) {
        code();
        return;
    }
    auto trampoline = [](void* argument) { (*static_cast<const std::function<void()>*>(argument))(); };
    std::exception_ptr raised = helper(trampoline, const_cast<std::function<void()>*>(&code));
    if (raised) std::rethrow_exception(raised);
}

void DeliverFromLoop(const std::function<void()>& event)
{
    RunEvent(event);
    RunDeferredRequests();
}

void AtOutermostEvent(std::function<void()> request)
{
    RuntimeState& s = State();
    if (s.eventDepth <= 1)
        request();
    else
        s.deferred.push_back(std::move(request));
}

void DeliverTerminationRequest()
{
    DrainTerminationDescriptor();
    DeliverFromLoop([] { QuitMenuAction(); });
}

} // namespace fw
