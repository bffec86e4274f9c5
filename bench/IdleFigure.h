#pragma once

// The real program left idle: the processor time that it and its children
// use, as a share of one core.

#include <string>

namespace bench {

struct IdleFigures {
    double percent = 0;       // of one core, the program and its reaped children
    double childPercent = 0;  // of that, its children's
    double resolution = 0;    // percent: how far the readings may be off, either way
    double seconds = 0;       // the window it was measured over
    std::string failure;
    // Plain code that starts /bin/true, or script 169, once a second and
    // waits for it, measured through the same window; percent of one core.
    double truePercent = 0, scriptPercent = 0;
    std::string floorFailure;
};

// Starts `program` on the offscreen platform with a private HOME, XDG
// folders and stand-in state under `folder` (which must not exist yet),
// listing `listedFolder`, and measures it for `windowSeconds` once
// `settleSeconds` have passed; `frontScript` is the script 169 that it runs.
IdleFigures MeasureIdle(const std::string& program, const std::string& frontScript, const std::string& folder,
                        const std::string& listedFolder, double settleSeconds, double windowSeconds);

// The floors' child task: starts `helper` once a second until killed.
int OnceASecondChild(const std::string& helper);

} // namespace bench
