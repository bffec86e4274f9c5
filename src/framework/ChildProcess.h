#pragma once

// Running a helper shipped beside the program as a child process: never
// through a shell, each argument passed as it is, standard input from
// /dev/null, standard error shared with ours.

#include "Text.h"

#include <vector>

namespace fw {

struct ChildResult {
    bool started = false;
    String failure;    // why it could not be started, when !started
    String output;     // all that it wrote to standard output
    bool exited = false;
    int status = 0;    // the exit status when exited, else the signal that ended it
};

// Runs the helper `name` of `folder` with the arguments and waits for it:
// on Linux the executable <folder>/<name>, on macOS the text AppleScript
// <folder>/<name>.applescript through osascript.
ChildResult RunShippedHelper(const String& folder, const String& name,
                             const std::vector<String>& arguments);

} // namespace fw
