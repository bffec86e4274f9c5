#include "ChildProcess.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace fw {

namespace {

String Reason(const String& path, int error)
{
    return path + ": " + std::strerror(error);
}

class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() { Reset(); }
    int Get() const { return fd_; }
    void Reset(int fd = -1)
    {
        if (fd_ >= 0) ::close(fd_);
        fd_ = fd;
    }

private:
    int fd_;
};

// Both ends close-on-exec: the child gets the write end only as its stdout.
bool OpenPipe(Fd& readEnd, Fd& writeEnd)
{
    int fds[2];
    if (::pipe(fds) != 0) return false;
    ::fcntl(fds[0], F_SETFD, FD_CLOEXEC);
    ::fcntl(fds[1], F_SETFD, FD_CLOEXEC);
    readEnd.Reset(fds[0]);
    writeEnd.Reset(fds[1]);
    return true;
}

String ReadAll(int fd)
{
    String out;
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) {
            out.append(buffer, std::size_t(n));
        } else if (n == 0 || errno != EINTR) {
            return out;
        }
    }
}

ChildResult Spawn(const std::vector<String>& argv)
{
    ChildResult result;
    Fd readEnd, writeEnd;
    if (!OpenPipe(readEnd, writeEnd)) {
        result.failure = Reason(argv[0], errno);
        return result;
    }

    StartOptions options;
    options.standardOutput = writeEnd.Get();
    pid_t pid = 0;
    int error = StartChild(argv, options, pid);
    if (error != 0) {
        result.failure = Reason(argv[0], error);
        return result;
    }
    result.started = true;

    // Our copy of the write end must go, or the read below never ends.
    writeEnd.Reset();
    result.output = ReadAll(readEnd.Get());

    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {}
    result.exited = WIFEXITED(status);
    result.status = result.exited ? WEXITSTATUS(status) : WTERMSIG(status);
    return result;
}

} // namespace

int StartChild(const std::vector<String>& argv, const StartOptions& options, pid_t& pid)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    if (options.standardOutput >= 0)
        posix_spawn_file_actions_adddup2(&actions, options.standardOutput, STDOUT_FILENO);

    // Signals that we ignore or block would stay so in the new program.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none, defaults;
    sigemptyset(&none);
    sigemptyset(&defaults);
    for (int signal : {SIGPIPE, SIGINT, SIGQUIT, SIGHUP, SIGTERM, SIGCHLD}) sigaddset(&defaults, signal);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    short flags = POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF;
    if (options.ownProcessGroup) {
        posix_spawnattr_setpgroup(&attributes, 0);
        flags |= POSIX_SPAWN_SETPGROUP;
    }
    posix_spawnattr_setflags(&attributes, flags);

    std::vector<char*> args;
    for (const String& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);

    int error = options.searchPath ? posix_spawnp(&pid, args[0], &actions, &attributes, args.data(), environ)
                                   : posix_spawn(&pid, args[0], &actions, &attributes, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    return error;
}

ChildResult RunShippedHelper(const String& folder, const String& name,
                             const std::vector<String>& arguments)
{
#ifdef __APPLE__
    // Compiled at build time: osascript need not compile the text at each call.
    const String file = folder + "/" + name + ".scpt";
    std::vector<String> argv{"/usr/bin/osascript", file};
#else
    const String file = folder + "/" + name;
    std::vector<String> argv{file};
#endif
    ChildResult result;
    for (const String& a : arguments) {
        // An argument cannot carry a NUL byte: refuse rather than cut it short.
        if (a.find('\0') != String::npos) {
            result.failure = "an argument holds a NUL byte";
            return result;
        }
        argv.push_back(a);
    }
    // osascript would start even for a missing script: look first.
    struct stat info;
    if (::stat(file.c_str(), &info) != 0) {
        result.failure = Reason(file, errno);
        return result;
    }
    return Spawn(argv);
}

} // namespace fw
