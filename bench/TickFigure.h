#pragma once

// One tick of the window's timer: the compiled script that tells the front
// application, run as the program runs it, against spawning /bin/true the
// same way (spawn, read its output to the end, wait).

#include <string>

namespace bench {

struct TickFigures {
    // In seconds: how long one run takes (the median).
    double script = 0, spawn = 0;
    int runs = 0;  // of each
    std::string failure;
};

// The stand-in's state lies in `standinFolder`, its front application
// being Quillmere, as while the window is shown.
TickFigures MeasureTick(const std::string& scriptsFolder, const std::string& standinFolder);

} // namespace bench
