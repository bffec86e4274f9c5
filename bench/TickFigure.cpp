#include "TickFigure.h"

#include "BenchTree.h"
#include "ChildRun.h"
#include "Timing.h"

#include "bridge/ScriptCalls.h"

#include "framework/Platform.h"
#include "framework/Variant.h"

#include <cstdlib>
#include <exception>
#include <stdexcept>

namespace bench {

namespace {

constexpr int kRuns = 301;
constexpr int kWarmUp = 10;

// The floor: what any spawn of a program that prints nothing costs.
void SpawnTrue()
{
    if (!RunToItsEnd("/bin/true")) throw std::runtime_error("/bin/true did not run");
}

struct Samples {
    std::vector<double> wall;

    template <class Run>
    void Time(Run run)
    {
        const auto start = Clock::now();
        run();
        wall.push_back(bench::Seconds(start, Clock::now()));
    }
};

} // namespace

TickFigures MeasureTick(const std::string& scriptsFolder, const std::string& standinFolder)
{
    TickFigures figures;
    try {
        ::setenv("QUILLMERE_STANDIN_DIR", standinFolder.c_str(), 1);
        MakeFolder(standinFolder);
        MakeFile(standinFolder + "/front", "Quillmere");
        // The window's timer asks through the bridge, which runs the helper
        // under the program's own time limit.
        fw::InstallScriptHost(fw::MakeProcessScriptHost(scriptsFolder));
        const fw::VariantArrayRef noArguments = fw::CreateArray(1, fw::kElementVariant, -1);
        auto script = [&] {
            if (frontAppli(noArguments) != "Quillmere")
                throw std::runtime_error("script 169 does not answer Quillmere");
        };
        for (int i = 0; i < kWarmUp; ++i) script(), SpawnTrue();

        Samples scripts, spawns;
        for (int i = 0; i < kRuns; ++i)
            InTurn(i, [&] { spawns.Time(SpawnTrue); }, [&] { scripts.Time(script); });
        figures.script = Median(scripts.wall);
        figures.spawn = Median(spawns.wall);
        figures.runs = kRuns;
    } catch (const std::exception& e) {
        figures.failure = e.what();
    }
    return figures;
}

} // namespace bench
