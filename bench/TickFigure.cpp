#include "TickFigure.h"

#include "BenchTree.h"
#include "ChildRun.h"
#include "Timing.h"

#include "framework/Platform.h"

#include <cstdlib>
#include <exception>

#include <fcntl.h>
#include <unistd.h>

namespace bench {

namespace {

constexpr int kRuns = 301;
constexpr int kWarmUp = 10;
constexpr int kFrontScript = 169;

// The floor: what any spawn of a program that prints nothing costs.
void SpawnTrue()
{
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error("cannot make a pipe");
    pid_t pid = StartProcess({"/bin/true"}, nullptr, fds[1]);
    ::close(fds[1]);
    char buffer[256];
    while (::read(fds[0], buffer, sizeof buffer) > 0) {
    }
    ::close(fds[0]);
    if (pid < 0 || WaitFor(pid) != 0) throw std::runtime_error("/bin/true did not run");
}

} // namespace

TickFigures MeasureTick(const std::string& scriptsFolder, const std::string& standinFolder)
{
    TickFigures figures;
    try {
        ::setenv("QUILLMERE_STANDIN_DIR", standinFolder.c_str(), 1);
        MakeFolder(standinFolder);
        MakeFile(standinFolder + "/front", "Quillmere");
        auto host = fw::MakeProcessScriptHost(scriptsFolder);
        auto script = [&] {
            if (host->Run(kFrontScript, {}) != "Quillmere")
                throw std::runtime_error("script 169 does not answer Quillmere");
        };
        for (int i = 0; i < kWarmUp; ++i) script(), SpawnTrue();

        std::vector<double> scriptTimes, spawnTimes;
        auto timed = [](std::vector<double>& times, auto run) {
            auto start = Clock::now();
            run();
            times.push_back(Seconds(start, Clock::now()));
        };
        for (int i = 0; i < kRuns; ++i) {
            // Each first every other time, so that neither gains from going second.
            if (i % 2) {
                timed(scriptTimes, script);
                timed(spawnTimes, SpawnTrue);
            } else {
                timed(spawnTimes, SpawnTrue);
                timed(scriptTimes, script);
            }
        }
        figures.script = Median(scriptTimes);
        figures.spawn = Median(spawnTimes);
        figures.runs = kRuns;
    } catch (const std::exception& e) {
        figures.failure = e.what();
    }
    return figures;
}

} // namespace bench
