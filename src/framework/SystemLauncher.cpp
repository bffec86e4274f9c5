// Having the system open an item: never through a shell, and without waiting
// for what was started.

#include "ChildProcess.h"
#include "Platform.h"

#include <cerrno>
#include <memory>
#include <thread>
#include <vector>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fw {

namespace {

// Starts argv[0] (looked up in PATH when `search`) in a process group of its
// own, so that a signal meant for us does not reach it. A thread collects its
// exit status, so that no zombie is left behind.
bool StartDetached(const std::vector<String>& argv, bool search)
{
    StartOptions options;
    options.ownProcessGroup = true;
    options.searchPath = search;
    pid_t pid = 0;
    int error = StartChild(argv, options, pid);
    if (error != 0) return false;

    std::thread([pid] {
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {}
    }).detach();
    return true;
}

[[maybe_unused]] bool IsExecutableFile(const String& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

class SystemLauncher : public Launcher {
public:
    bool Launch(const String& absolutePath, bool activate) override
    {
        // An absolute path cannot be taken for an option of the opener.
        if (absolutePath.empty() || absolutePath[0] != '/' || absolutePath.find('\0') != String::npos)
            return false;
#ifdef __APPLE__
        std::vector<String> argv{"/usr/bin/open"};
        if (!activate) argv.push_back("-g");  // leave the front application in front
        argv.push_back(absolutePath);
        return StartDetached(argv, false);
#else
        (void)activate;  // which window comes to the front is the window manager's
        if (IsExecutableFile(absolutePath)) return StartDetached({absolutePath}, false);
        return StartDetached({"xdg-open", absolutePath}, true);
#endif
    }
};

} // namespace

std::unique_ptr<Launcher> MakeSystemLauncher()
{
    return std::make_unique<SystemLauncher>();
}

} // namespace fw
