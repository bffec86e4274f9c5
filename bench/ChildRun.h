#pragma once

// Runs this executable again with other arguments and gives back what it
// printed. A child that hangs (a modal dialog on a display nobody sees, say)
// is killed at the deadline rather than holding the benchmark up.

#include <cerrno>
#include <chrono>
#include <csignal>
#include <optional>
#include <string>
#include <vector>

#include <fcntl.h>
#include <limits.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace bench {

struct ChildOutput {
    std::string out;
    std::string failure;  // empty when the child ran to a zero exit status
};

inline std::string SelfPath()
{
    char path[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
    return n > 0 ? std::string(path, std::size_t(n)) : std::string();
}

inline ChildOutput RunSelf(const std::vector<std::string>& arguments, std::chrono::seconds limit)
{
    ChildOutput result;
    std::string self = SelfPath();
    int fds[2];
    if (self.empty() || ::pipe2(fds, O_CLOEXEC) != 0) {
        result.failure = "cannot start a child process";
        return result;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    std::vector<char*> argv{self.data()};
    std::vector<std::string> copies = arguments;
    for (std::string& a : copies) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    int spawned = ::posix_spawn(&pid, self.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(fds[1]);
    if (spawned != 0) {
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
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (killed)
        result.failure = "killed after " + std::to_string(limit.count()) + " s";
    else if (WIFSIGNALED(status))
        result.failure = "ended by signal " + std::to_string(WTERMSIG(status));
    else if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        result.failure = "exit status " + std::to_string(WEXITSTATUS(status));
    return result;
}

} // namespace bench
