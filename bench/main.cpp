// The benchmark: how the program's work compares with the plain code that
// does the same work, each figure measured beside its floor in one run.
//
//     quillmere_benchmark [--quick]
//
// --quick leaves out the idle figure, which takes a minute. Exit status 1
// when any figure is over its limit.

#include "BenchTree.h"
#include "ChildTasks.h"
#include "Figures.h"
#include "IdleFigure.h"
#include "ProgramOnBackend.h"
#include "TickFigure.h"

#include "support/StandinState.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <sys/stat.h>

namespace {

using namespace bench;

constexpr double kIdleSettleSeconds = 5;
constexpr double kIdleWindowSeconds = 60;

const std::string kProgram = QUILLMERE_PROGRAM;

std::string ScriptsFolder()
{
    return kProgram.substr(0, kProgram.rfind('/')) + "/scripts";
}

// Removes the temporary folder however the run ends.
struct Scratch {
    std::string root = fwtest::MakeTemporaryFolder();
    ~Scratch() { fwtest::RemoveFolder(root); }
};

void PrintPreamble(bool quick)
{
    std::printf(
        "Quillmere benchmark: each figure beside its floor, measured in this run.\n"
        "Entries: the listed folder's entries plus its sub-folders' children; half are top-level,\n"
        "a tenth of those sub-folders of %zu children (and a few \".\" names and a .hidden file).\n"
        "readdir loop: plain opendir/readdir that lists what the fill lists (\".\" names and the\n"
        ".hidden names left out, folders told by d_type, names sorted ignoring case, one string a row).\n"
        "fill: the real Window1::setLB1 into an empty list on the scripted backend, or on Qt offscreen\n"
        "until the list is painted; open/close: Listbox.SetExpanded on the selected folder row, its\n"
        "handlers adding or removing the child rows, likewise until painted. Beside plain Qt: the\n"
        "readdir loop's names put into a stock QStandardItemModel in a QTreeView of the list's size\n"
        "and font, until painted; shown for what it tells, not held to a limit. Times are medians of\n"
        "repetitions interleaved with their floors and across sizes. Idle: the real binary with the\n"
        "stand-in on Qt offscreen, processor time of it and its reaped children; its floor is a plain\n"
        "loop that starts /bin/true once a second and waits for it, measured through the same window.\n",
        TreeShape::kChildrenPerFolder);
    if (quick) std::printf("--quick: the idle figure is left out.\n");
    std::printf("\n");
}

Table Measure(const std::string& root, bool quick)
{
    if (!std::getenv("XDG_RUNTIME_DIR")) {
        // Qt asks for one, and wants it private.
        const std::string runtime = root + "/runtime";
        ::mkdir(runtime.c_str(), 0700);
        ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    }
    BuildTrees(root);

    Table table;
    for (const char* backend : kBackends) {
        std::fprintf(stderr, "the fill on the %s backend...\n", backend);
        AddFillRows(table, backend, MeasureFill(backend, root));
    }
    for (const char* backend : kBackends) {
        std::fprintf(stderr, "folder rows on the %s backend...\n", backend);
        AddFolderRowRows(table, backend, MeasureFolderRow(backend, root));
    }

    std::fprintf(stderr, "the timer tick...\n");
    const TickFigures tick = MeasureTick(ScriptsFolder(), root + "/standin");
    AddTickRow(table, tick);
    if (!quick) {
        std::fprintf(stderr, "the program idle for %.0f s...\n", kIdleWindowSeconds);
        const IdleFigures idle =
            MeasureIdle(kProgram, ScriptsFolder() + "/169", root + "/idle", SmallFolder(root),
                        kIdleSettleSeconds, kIdleWindowSeconds);
        AddIdleRow(table, idle, kIdleWindowSeconds);
    }

    for (const char* backend : kBackends) {
        std::fprintf(stderr, "memory on the %s backend...\n", backend);
        AddMemoryRow(table, backend, MeasureMemory(backend, root), std::strcmp(backend, "qt") == 0);
    }
    std::fprintf(stderr, "removing the trees...\n");
    return table;
}

int RunBenchmark(bool quick)
{
    const auto began = Clock::now();
    Table table;
    {
        Scratch scratch;
        table = Measure(scratch.root, quick);
    }
    PrintPreamble(quick);
    table.Print();
    std::printf("\nwhole run, building and removing the trees included: %.0f s\n", Seconds(began, Clock::now()));
    return table.AnyFailed() ? 1 : 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], bench::kChildFlag) == 0) {
        try {
            return bench::RunChildTask(argc, argv);
        } catch (const std::exception& e) {
            bench::ReportFailure(e.what());
            return 1;
        }
    }
    try {
        bool quick = false;
        for (int i = 1; i < argc; ++i) {
            if (std::strcmp(argv[i], "--quick") == 0) {
                quick = true;
            } else {
                std::fprintf(stderr, "usage: %s [--quick]\n", argv[0]);
                return 2;
            }
        }
        return RunBenchmark(quick);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "quillmere_benchmark: %s\n", e.what());
        return 1;
    }
}
