#pragma once

// Running a helper shipped beside the program as a child process: never
// through a shell, each argument passed as it is, standard input from
// /dev/null, standard error shared with ours.

#include "HelperWait.h"
#include "Text.h"

#include <chrono>
#include <cstddef>
#include <map>
#include <vector>

#include <sys/types.h>

namespace fw {

struct StartOptions {
    int standardInput = -1;          // a descriptor for the child's stdin; -1: /dev/null
    int standardOutput = -1;         // a descriptor for the child's stdout; -1: ours
    bool ownProcessGroup = false;    // so that a signal meant for us does not reach it
    bool searchPath = false;         // look argv[0] up in PATH
};

// Starts argv[0] with the arguments, never through a shell, with default
// signal handling whatever ours is. Gives 0 and the child's pid, or the
// error number.
int StartChild(const std::vector<String>& argv, const StartOptions& options, pid_t& pid);

enum class ChildEnd {
    NotStarted,  // `failure` says why
    Exited,      // `status` is its exit status
    Signalled,   // `status` is the signal that ended it
    TimedOut,    // stopped at the time limit
    Abandoned,   // not started, or stopped, because the program is ending
    LeftRunning, // handed the user's work over; no longer waited for, as the program is ending
};

// Of what a helper writes, only this much is kept: its answer is a version
// text or a name, and a helper that writes without end must not fill memory.
constexpr std::size_t kKeptHelperOutput = 64 * 1024;

struct ChildResult {
    ChildEnd end = ChildEnd::NotStarted;
    String failure;
    String output;   // the first kKeptHelperOutput bytes it wrote to standard output
    int status = 0;
    std::chrono::milliseconds timeLimit{0};
    bool Succeeded() const { return end == ChildEnd::Exited && status == 0; }
};

// Runs the helper `name` of `folder` with the arguments and waits for it as
// `wait` says: on Linux the executable <folder>/<name>, on macOS the compiled
// AppleScript <folder>/<name>.scpt through osascript. The helper runs in a
// process group of its own. The wait ends when the helper itself has ended,
// whatever it started that still holds its output, or when an ending of the
// program is asked for. An asking helper's group is then killed, as is that
// of one that runs out of time; a helper that hands the user's work over is
// left to itself. `meanwhile` spends the time while the helper runs; without
// it the wait only sleeps.
ChildResult RunShippedHelper(const String& folder, const String& name, const std::vector<String>& arguments,
                             const HelperWait& wait, const WhileWaiting& meanwhile = {});

// Why a run did not succeed, as one line about `what` ("compiled script 169").
String DescribeFailure(const String& what, const ChildResult& run);

// Tells standard error of helpers that fail: once when one starts failing or
// fails otherwise than the last time, not again while it fails the same way.
class HelperFailureLog {
public:
    void Failed(const String& helper, const String& message);
    void Worked(const String& helper);

private:
    std::map<String, String> lastFailure_;
};

} // namespace fw
