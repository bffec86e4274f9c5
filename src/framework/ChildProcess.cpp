#include "ChildProcess.h"

#include "Application.h"
#include "Termination.h"

#include <algorithm>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/syscall.h>
#endif

extern char** environ;

namespace fw {

namespace {

using Clock = std::chrono::steady_clock;

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

// Appends what the non-blocking `fd` holds now, up to kKeptHelperOutput in
// all; what comes beyond that is read and dropped, so that the helper is
// never held up by a full pipe. False once `fd` is at its end.
bool ReadAvailable(int fd, String& out)
{
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) {
            const std::size_t room = kKeptHelperOutput - std::min(out.size(), kKeptHelperOutput);
            out.append(buffer, std::min(std::size_t(n), room));
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            return n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
        }
    }
}

bool Readable(int fd)
{
    pollfd watched{fd, POLLIN, 0};
    return ::poll(&watched, 1, 0) > 0 && watched.revents != 0;
}

// A descriptor that becomes readable when the process ends; -1 where the
// kernel has none, and the wait then looks again every few milliseconds.
int OpenExitNotice(pid_t pid)
{
#if defined(__linux__) && defined(SYS_pidfd_open)
    return int(::syscall(SYS_pidfd_open, pid, 0));
#else
    (void)pid;
    return -1;
#endif
}

// How often a wait looks whether an ending was asked for: a close or a quit
// asked for inside a handler wakes nothing, it waits for the handler.
constexpr std::chrono::milliseconds kEndingCheck{100};
// Most helpers are done within a few milliseconds, sooner than letting events
// through would take: for this long a wait only sleeps.
constexpr std::chrono::milliseconds kQuietStart{50};

// A started helper and its process group. Whatever way an asking helper's
// run ends, its group is killed and it is reaped: nothing of it outlives the
// call. A helper that hands the user's work over is never killed.
class RunningChild {
public:
    RunningChild(pid_t pid, const HelperWait& wait)
        : pid_(pid), wait_(wait), start_(Clock::now()), exitNotice_(OpenExitNotice(pid))
    {
    }
    RunningChild(const RunningChild&) = delete;
    RunningChild& operator=(const RunningChild&) = delete;
    ~RunningChild()
    {
        if (pid_ <= 0) return;
        if (wait_.handsOverWork) {
            // The user's work goes on; reaping it here would wait for its end.
            if (HasEnded()) Reap();
            return;
        }
        KillGroup();
        Reap();
    }

    // Whether the helper has ended; it is left unreaped, so that its pid,
    // which names its group, is not given to another process meanwhile.
    bool HasEnded() const
    {
        siginfo_t info{};
        return ::waitid(P_PID, id_t(pid_), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == pid_;
    }

    // Reads the helper's output until it has ended, runs out of time or an
    // ending of the program is asked for.
    ChildEnd Wait(int output, const WhileWaiting& meanwhile, String& text) const
    {
        bool outputOpen = true;
        for (;;) {
            if (HasEnded()) return ChildEnd::Exited;
            if (EndingRequested()) return wait_.handsOverWork ? ChildEnd::LeftRunning : ChildEnd::Abandoned;
            std::chrono::milliseconds slice = kEndingCheck;
            if (wait_.timeLimit.count() > 0) {
                Clock::duration left = start_ + wait_.timeLimit - Clock::now();
                if (left <= Clock::duration::zero()) return ChildEnd::TimedOut;
                slice = std::min(slice, std::chrono::ceil<std::chrono::milliseconds>(left));
            }
            // Without a notice of the helper's end, look again soon.
            if (exitNotice_.Get() < 0) slice = std::min(slice, std::chrono::milliseconds(10));

            const Clock::duration quiet = start_ + kQuietStart - Clock::now();
            if (quiet > Clock::duration::zero())
                slice = std::min(slice, std::chrono::ceil<std::chrono::milliseconds>(quiet));

            std::vector<int> watched;
            if (outputOpen) watched.push_back(output);
            if (exitNotice_.Get() >= 0) watched.push_back(exitNotice_.Get());
            if (meanwhile && quiet <= Clock::duration::zero()) {
                meanwhile(watched, slice);
            } else {
                if (TerminationDescriptor() >= 0) watched.push_back(TerminationDescriptor());
                std::vector<pollfd> polled;
                for (int fd : watched) polled.push_back(pollfd{fd, POLLIN, 0});
                ::poll(polled.data(), nfds_t(polled.size()), int(slice.count()));
            }
            if (outputOpen && Readable(output)) outputOpen = ReadAvailable(output, text);
        }
    }

    void KillGroup() const
    {
        ::kill(-pid_, SIGKILL);
        ::kill(pid_, SIGKILL);  // should it have left its group
    }

    // The helper's wait status; it has ended or been killed.
    int Reap()
    {
        int status = 0;
        while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
        }
        pid_ = -1;
        return status;
    }

    // No longer ours to wait for: the user's work runs on by itself.
    void LetGo() { pid_ = -1; }

private:
    pid_t pid_;
    HelperWait wait_;
    Clock::time_point start_;
    Fd exitNotice_;
};

// The readers started by KeepDraining, until they are reaped.
std::vector<pid_t>& Drainers()
{
    static std::vector<pid_t> drainers;
    return drainers;
}

void ReapEndedDrainers()
{
    std::erase_if(Drainers(), [](pid_t pid) { return ::waitpid(pid, nullptr, WNOHANG) != 0; });
}

// What the user's script, or work that it started, writes once we no longer
// read must not kill it with a broken pipe: a reader of its own drops it
// until the last writer has closed the pipe, after we have ended too.
void KeepDraining(int readEnd)
{
    ReapEndedDrainers();
    // The reader waits for what comes; ours only looked.
    ::fcntl(readEnd, F_SETFL, ::fcntl(readEnd, F_GETFL) & ~O_NONBLOCK);
    Fd nowhere(::open("/dev/null", O_WRONLY | O_CLOEXEC));
    StartOptions options;
    options.standardInput = readEnd;
    options.standardOutput = nowhere.Get();
    options.ownProcessGroup = true;
    pid_t pid = 0;
    if (StartChild({"/bin/cat"}, options, pid) == 0) Drainers().push_back(pid);
}

ChildResult Spawn(const std::vector<String>& argv, const HelperWait& wait, const WhileWaiting& meanwhile)
{
    ChildResult result;
    result.timeLimit = wait.timeLimit;
    if (EndingRequested()) {
        result.end = ChildEnd::Abandoned;
        return result;
    }
    Fd readEnd, writeEnd;
    if (!OpenPipe(readEnd, writeEnd)) {
        result.failure = Reason(argv[0], errno);
        return result;
    }

    StartOptions options;
    options.standardOutput = writeEnd.Get();
    options.ownProcessGroup = true;
    pid_t pid = 0;
    int error = StartChild(argv, options, pid);
    if (error != 0) {
        result.failure = Reason(argv[0], error);
        return result;
    }
    RunningChild child(pid, wait);

    // Our copy of the write end must go, or the pipe never reaches its end.
    writeEnd.Reset();
    ::fcntl(readEnd.Get(), F_SETFL, ::fcntl(readEnd.Get(), F_GETFL) | O_NONBLOCK);
    result.end = child.Wait(readEnd.Get(), meanwhile, result.output);
    if (result.end == ChildEnd::LeftRunning) {
        child.LetGo();
        KeepDraining(readEnd.Get());
        return result;
    }
    // What an asking helper left running must not go on holding the pipe,
    // or running at all; what the user's script started is the user's.
    if (!wait.handsOverWork) child.KillGroup();
    // What the helper wrote before it ended is in the pipe already.
    const bool stillHeld = ReadAvailable(readEnd.Get(), result.output);
    if (wait.handsOverWork && stillHeld) KeepDraining(readEnd.Get());
    int status = child.Reap();
    if (result.end == ChildEnd::Exited) {
        if (WIFSIGNALED(status)) {
            result.end = ChildEnd::Signalled;
            result.status = WTERMSIG(status);
        } else {
            result.status = WEXITSTATUS(status);
        }
    }
    return result;
}

String Seconds(std::chrono::milliseconds limit)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g s", double(limit.count()) / 1000.0);
    return text;
}

} // namespace

int StartChild(const std::vector<String>& argv, const StartOptions& options, pid_t& pid)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (options.standardInput >= 0)
        posix_spawn_file_actions_adddup2(&actions, options.standardInput, STDIN_FILENO);
    else
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

HelperWait HelperWait::Asking(std::chrono::milliseconds timeLimit)
{
    return HelperWait{timeLimit, false};
}

HelperWait HelperWait::Asking()
{
#ifdef __APPLE__
    // The desktop's scripting service that the helpers talk to can take
    // several seconds to start, the first time after a login.
    return Asking(std::chrono::seconds(30));
#else
    return Asking(std::chrono::seconds(5));
#endif
}

HelperWait HelperWait::HandingOver()
{
    return HelperWait{std::chrono::milliseconds(0), true};
}

ChildResult RunShippedHelper(const String& folder, const String& name, const std::vector<String>& arguments,
                             const HelperWait& wait, const WhileWaiting& meanwhile)
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
    return Spawn(argv, wait, meanwhile);
}

String DescribeFailure(const String& what, const ChildResult& run)
{
    switch (run.end) {
    case ChildEnd::NotStarted: return what + " cannot be run: " + run.failure;
    case ChildEnd::Exited: return what + " exited with status " + std::to_string(run.status);
    case ChildEnd::Signalled: return what + " was ended by signal " + std::to_string(run.status);
    case ChildEnd::TimedOut: return what + " did not finish within " + Seconds(run.timeLimit) + " and was stopped";
    case ChildEnd::Abandoned: return what + " was not run to its end: the program is ending";
    case ChildEnd::LeftRunning: return what + " runs on: the program is ending";
    }
    return what + " failed";
}

void HelperFailureLog::Failed(const String& helper, const String& message)
{
    auto [last, fresh] = lastFailure_.try_emplace(helper, message);
    if (!fresh) {
        if (last->second == message) return;
        last->second = message;
    }
    std::fprintf(stderr, "quillmere: %s\n", message.c_str());
    std::fflush(stderr);
}

void HelperFailureLog::Worked(const String& helper)
{
    lastFailure_.erase(helper);
}

} // namespace fw
