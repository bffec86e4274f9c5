#include "Platform.h"

#include "Exceptions.h"
#include "Window.h"

#include <climits>
#include <poll.h>
#include <unistd.h>

#ifdef __APPLE__
#include <cstdint>
#include <cstdlib>
#include <mach-o/dyld.h>
#include <vector>
#endif

namespace fw {

namespace {

struct Seams {
    std::unique_ptr<Platform> platform;
    std::unique_ptr<ScriptHost> scripts;
    std::unique_ptr<AppleEventTransport> appleEvents;
    std::unique_ptr<Launcher> launcher;
};

Seams& TheSeams()
{
    static Seams seams;
    return seams;
}

} // namespace

void Platform::WaitLettingEventsThrough(const std::vector<int>& descriptors, std::chrono::milliseconds most,
                                        bool userInput)
{
    (void)userInput;
    ProcessPendingEvents();
    std::vector<pollfd> watched;
    for (int fd : descriptors) watched.push_back(pollfd{fd, POLLIN, 0});
    ::poll(watched.data(), nfds_t(watched.size()), int(most.count()));
}

namespace {

bool UserEventRunningInAWindow()
{
    for (const WindowRef& window : OpenWindows())
        if (window->UserEventRunning()) return true;
    return false;
}

} // namespace

WhileWaiting EventsGoOnWhileWaiting(const HelperWait& wait)
{
    if (!HasPlatform()) return {};
    const bool handsOverWork = wait.handsOverWork;
    return [handsOverWork](const std::vector<int>& watched, std::chrono::milliseconds most) {
        // The user's input goes through where it cannot start a handler of
        // its own inside the one that waits: while the handler of something
        // the user did runs, the window drops what else the user does to it,
        // and a close or quit waits for the handler. Otherwise (a tick, the
        // start) it waits, so that no click is lost.
        const bool userInput = handsOverWork || UserEventRunningInAWindow();
        CurrentPlatform().WaitLettingEventsThrough(watched, most, userInput);
    };
}

Platform& CurrentPlatform()
{
    if (!TheSeams().platform) throw RuntimeException("no platform is installed");
    return *TheSeams().platform;
}

void InstallPlatform(std::unique_ptr<Platform> platform)
{
    TheSeams().platform = std::move(platform);
}

bool HasPlatform()
{
    return TheSeams().platform != nullptr;
}

ScriptHost& CurrentScriptHost()
{
    auto& host = TheSeams().scripts;
    if (!host) host = MakeProcessScriptHost(ProgramFolder() + "/scripts");
    return *host;
}

void InstallScriptHost(std::unique_ptr<ScriptHost> host)
{
    TheSeams().scripts = std::move(host);
}

AppleEventTransport& CurrentAppleEventTransport()
{
    auto& transport = TheSeams().appleEvents;
    if (!transport) transport = MakeProcessAppleEventTransport(ProgramFolder() + "/scripts");
    return *transport;
}

void InstallAppleEventTransport(std::unique_ptr<AppleEventTransport> transport)
{
    TheSeams().appleEvents = std::move(transport);
}

Launcher& CurrentLauncher()
{
    auto& launcher = TheSeams().launcher;
    if (!launcher) launcher = MakeSystemLauncher();
    return *launcher;
}

void InstallLauncher(std::unique_ptr<Launcher> launcher)
{
    TheSeams().launcher = std::move(launcher);
}

namespace {

// The running executable's absolute path, symbolic links resolved, so that
// it does not matter where the program was started from or through which
// link; "" when the system does not tell.
String ExecutablePath()
{
#ifdef __APPLE__
    std::uint32_t size = 0;
    _NSGetExecutablePath(nullptr, &size);  // only asks for the size
    std::vector<char> path(std::size_t(size) + 1, '\0');
    if (_NSGetExecutablePath(path.data(), &size) != 0) return "";
    char resolved[PATH_MAX];
    return ::realpath(path.data(), resolved) ? String(resolved) : String(path.data());
#else
    char path[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
    return n > 0 ? String(path, std::size_t(n)) : String();
#endif
}

} // namespace

String ProgramFolder()
{
    String exe = ExecutablePath();
    std::size_t slash = exe.rfind('/');
    return slash == String::npos ? "." : exe.substr(0, slash == 0 ? 1 : slash);
}

} // namespace fw
