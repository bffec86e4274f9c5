#pragma once

// How the framework waits for a helper that it runs (a compiled script, the
// Apple-event sender). The window lives on meanwhile: it is repainted, the
// timer ticks, and a close, a quit or a signal stops the wait.

#include <chrono>
#include <functional>
#include <vector>

namespace fw {

struct HelperWait {
    // A helper that asks something or does a moment's work. One that takes
    // longer than `timeLimit` is stuck: it is stopped with all it started,
    // as it is when the program ends meanwhile. Where the user's clicks and
    // keys could start a handler inside the one that waits (a tick, the
    // start), they wait until it is done.
    static HelperWait Asking(std::chrono::milliseconds timeLimit);
    // The same, with the limit that the platform's helpers need.
    static HelperWait Asking();
    // A helper that hands the user's own work over (a script file to run).
    // It is waited for to its end however long that takes and is never
    // stopped: an ending of the program leaves it running, and what it
    // started is left alone when it ends.
    static HelperWait HandingOver();

    std::chrono::milliseconds timeLimit{0};  // 0: none
    bool handsOverWork = false;
};

// How the time passes while a helper runs: lets events through until one of
// `watched` is readable or `most` has passed, whichever comes first.
using WhileWaiting = std::function<void(const std::vector<int>& watched, std::chrono::milliseconds most)>;

} // namespace fw
