// Having the system open an item: never through a shell, and without waiting
// for what was started.

#include "Platform.h"

#include <cerrno>
#include <memory>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace fw {

namespace {

// Starts argv[0] (looked up in PATH when `search`) in a process group of its
// own, so that a signal meant for us does not reach it. A thread collects its
// exit status, so that no zombie is left behind.
bool StartDetached(const std::vector<String>& argv, bool search)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);

    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    // Signals that we ignore would stay ignored in the new program.
    sigset_t none, defaults;
    sigemptyset(&none);
    sigemptyset(&defaults);
    for (int signal : {SIGPIPE, SIGINT, SIGQUIT, SIGHUP, SIGTERM, SIGCHLD}) sigaddset(&defaults, signal);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setpgroup(&attributes, 0);
    posix_spawnattr_setflags(&attributes,
                             POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETPGROUP);

    std::vector<char*> args;
    for (const String& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);

    pid_t pid = 0;
    int error = search ? posix_spawnp(&pid, args[0], &actions, &attributes, args.data(), environ)
                       : posix_spawn(&pid, args[0], &actions, &attributes, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
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
