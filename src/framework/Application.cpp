#include "Application.h"

#include "BevelButton.h"
#include "Listbox.h"
#include "MenuItem.h"
#include "Platform.h"
#include "Timer.h"
#include "Variant.h"
#include "Window.h"

#include <cstdio>
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
};

RuntimeState& State()
{
    static RuntimeState state;
    return state;
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
    NotNil(startup, "no start-up routine")();
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
    Quit(0);
    return true;
}

bool QuitRequested()
{
    return State().quitRequested;
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
    try {
        event();
    } catch (...) {
        RuntimeState& s = State();
        if (!s.loopFailure) s.loopFailure = std::current_exception();
        if (HasPlatform()) CurrentPlatform().ExitEventLoop();
    }
}

} // namespace fw
