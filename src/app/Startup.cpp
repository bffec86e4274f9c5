#include "Startup.h"

#include "App.h"
#include "MenuBar1.h"
#include "listwindow/Window1.h"
#include "listwindow/Window1Timer1.h"

#include "framework/Application.h"
#include "framework/Delegate.h"

using namespace fw;

std::int32_t program::main()
{
    RuntimeInit();
    initialize();
    Main();
    finalize();
    return RuntimeExit();
}

void initialize()
{
    FrameworkInitialize();
    App::Lookup();
    Window1::Lookup();
    Window1_Timer1::Lookup();
    MenuBar1::Lookup();
}

void finalize()
{
    FrameworkFinalize();
    MenuBar1::ExitImplicitInstance();
}

std::exception_ptr CallFunctionWithExceptionHandling(void (*routine)(void*), void* argument)
{
    try {
        routine(argument);
        return nullptr;
    } catch (const RuntimeException&) {
        return std::current_exception();
    }
}

void Main()
{
    try {
        auto helper = RuntimeCreateDelegate(DelegateInvoke, &CallFunctionWithExceptionHandling, nullptr,
                                            "( Ptr, Ptr ) as Object", 0);
        RuntimeSetExceptionHelper(helper->Address<ExceptionHelper>());
        helper.reset();

        auto startup = RuntimeCreateDelegate(DelegateInvoke, &Startup, nullptr, "(  )", 0);
        RunFrameworkInitialization(startup->Address<void (*)()>());
        startup.reset();

        RuntimeRun();
    } catch (...) {
        UnhandledException(std::current_exception());
    }
}

void Startup()
{
    RuntimeInitExternalClasses();
    InitPluginEntrypoints();
    InitFileTypes();
    NewAppInstance();
    ApplicationAddMenuHandlers();
    MakeDefaultView();
}

void InitFileTypes() {}

void ApplicationAddMenuHandlers() {}

void NewAppInstance()
{
    auto app = RuntimeNewObjectAs<App>(App::Lookup());
    NotNil(app)->Constructor();
    auto bar = MenuBar1();
    app->SetMenuBar(bar);
    bar.reset();
    RuntimeRegisterAppObject(app);
}

void MakeDefaultView()
{
    ::Window1();
}
