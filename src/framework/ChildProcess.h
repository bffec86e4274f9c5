#pragma once

// Running a helper shipped beside the program as a child process: never
// through a shell, each argument passed as it is, standard input from
// /dev/null, standard error shared with ours.

#include "Text.h"

#include <vector>

#include <sys/types.h>

namespace fw {

struct StartOptions {
    int standardOutput = -1;         // a descriptor for the child's stdout; -1: ours
    bool ownProcessGroup = false;    // so that a signal meant for us does not reach it
    bool searchPath = false;         // look argv[0] up in PATH
};

// Starts argv[0] with the arguments, never through a shell, with standard
// input from /dev/null and default signal handling whatever ours is. Gives
// 0 and the child's pid, or the error number.
int StartChild(const std::vector<String>& argv, const StartOptions& options, pid_t& pid);

struct ChildResult {
    bool started = false;
    String failure;    // why it could not be started, when !started
    String output;     // all that it wrote to standard output
    bool exited = false;
    int status = 0;    // the exit status when exited, else the signal that ended it
};

// Runs the helper `name` of `folder` with the arguments and waits for it:
// on Linux the executable <folder>/<name>, on macOS the compiled AppleScript
// <folder>/<name>.scpt through osascript.
ChildResult RunShippedHelper(const String& folder, const String& name,
                             const std::vector<String>& arguments);

} // namespace fw
