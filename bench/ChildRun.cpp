#include "ChildRun.h"

#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <limits.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace bench {

std::string SelfPath()
{
    char path[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
    return n > 0 ? std::string(path, std::size_t(n)) : std::string();
}

pid_t StartProcess(const std::vector<std::string>& argv, char* const* env, int standardOutput, int standardError)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (standardOutput >= 0) posix_spawn_file_actions_adddup2(&actions, standardOutput, STDOUT_FILENO);
    if (standardError >= 0) posix_spawn_file_actions_adddup2(&actions, standardError, STDERR_FILENO);
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    pid_t pid = -1;
    int error = ::posix_spawn(&pid, args[0], &actions, nullptr, args.data(), env ? env : environ);
    posix_spawn_file_actions_destroy(&actions);
    return error == 0 ? pid : -1;
}

int WaitFor(pid_t pid)
{
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
}

bool RunToItsEnd(const std::string& program)
{
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) return false;
    pid_t pid = StartProcess({program}, nullptr, fds[1]);
    ::close(fds[1]);
    char buffer[256];
    while (::read(fds[0], buffer, sizeof buffer) > 0) {
    }
    ::close(fds[0]);
    return pid >= 0 && WaitFor(pid) == 0;
}

ChildOutput RunSelf(const std::vector<std::string>& arguments, std::chrono::seconds limit)
{
    ChildOutput result;
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        result.failure = "cannot start a child process";
        return result;
    }
    std::vector<std::string> argv{SelfPath()};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    pid_t pid = StartProcess(argv, nullptr, fds[1]);
    ::close(fds[1]);
    if (pid < 0) {
        ::close(fds[0]);
        result.failure = "cannot start a child process";
        return result;
    }

    auto deadline = std::chrono::steady_clock::now() + limit;
    bool killed = false;
    for (;;) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            ::kill(pid, SIGKILL);
            killed = true;
            break;
        }
        pollfd p{fds[0], POLLIN, 0};
        if (::poll(&p, 1, int(left.count())) < 0 && errno != EINTR) break;
        if (p.revents == 0) continue;
        char buffer[4096];
        ssize_t n = ::read(fds[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        result.out.append(buffer, std::size_t(n));
    }
    ::close(fds[0]);
    int status = WaitFor(pid);
    if (killed)
        result.failure = "killed after " + std::to_string(limit.count()) + " s";
    else if (status > 128)
        result.failure = "ended by signal " + std::to_string(status - 128);
    else if (status != 0)
        result.failure = "exit status " + std::to_string(status);
    return result;
}

} // namespace bench
