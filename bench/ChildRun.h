#pragma once

// Child processes of the benchmark: the benchmark itself again, for figures
// that a misbehaving backend must not take with it, and other programs.

#include <chrono>
#include <string>
#include <vector>

#include <sys/types.h>

namespace bench {

// This executable's path.
std::string SelfPath();

// Starts argv[0] with the environment `env` (nil: ours), its standard
// output and error on the descriptors given (-1: ours). Gives the pid, or -1.
pid_t StartProcess(const std::vector<std::string>& argv, char* const* env, int standardOutput,
                   int standardError = -1);

// Waits for the child; its exit status, or 128 + the signal that ended it.
int WaitFor(pid_t pid);

// Starts the program as a helper is started (its output read to the end),
// waits for it; whether it ran and exited with status 0.
bool RunToItsEnd(const std::string& program);

struct ChildOutput {
    std::string out;
    std::string failure;  // empty when the child ran to a zero exit status
};

// Runs this executable again with the arguments and gives back what it
// printed; a child that outlives `limit` is killed there.
ChildOutput RunSelf(const std::vector<std::string>& arguments, std::chrono::seconds limit);

} // namespace bench
