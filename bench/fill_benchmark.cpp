// How long the window takes to fill its script list from a folder, against
// what the file system itself needs to read that folder, at three sizes.
//
// The fill runs the real Window1::setLB1 on the scripted backend; the 10,000
// entry tree is filled once more through the Qt backend (offscreen) in a
// child invocation of this program, so that a backend that misbehaves cannot
// take the other figures with it.

#include "BenchTree.h"
#include "ChildRun.h"

#include "support/RecordingScriptHost.h"
#include "support/StandinState.h"
#include "support/TestPlatform.h"

#include "app/Startup.h"
#include "listwindow/Window1.h"

#include "framework/Application.h"
#include "framework/FolderItem.h"
#include "framework/qt/QtPlatform.h"

#include <QApplication>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

using bench::TreeShape;
using Clock = std::chrono::steady_clock;

const char* const kQtFlag = "--qt-fill";
constexpr std::size_t kQtEntries = 10000;
constexpr double kMostGrowth = 12.0;     // for ten times the entries
constexpr double kMostOverWalk = 2.0;    // fill against the bare walk

double Seconds(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double>(to - from).count();
}

// Best of `repetitions`; `prepare` runs outside the clock.
template <class Prepare, class Run>
double BestOf(int repetitions, Prepare prepare, Run run)
{
    double best = std::numeric_limits<double>::infinity();
    for (int i = 0; i < repetitions; ++i) {
        prepare();
        auto start = Clock::now();
        run();
        best = std::min(best, Seconds(start, Clock::now()));
    }
    return best;
}

int RepetitionsFor(std::size_t entries)
{
    return entries <= 1000 ? 21 : entries <= 10000 ? 9 : 5;
}

// The program's window on the platform in force, started as the tests start
// it. The preferences name a folder with one script, so that the first fill
// lists something and shows no message (a modal one, on the Qt backend).
std::shared_ptr<class Window1> StartProgram(const std::string& configFolder)
{
    ::setenv("XDG_CONFIG_HOME", configFolder.c_str(), 1);
    initialize();
    fw::RuntimeSetExceptionHelper(&CallFunctionWithExceptionHandling);
    Startup();
    auto window = ::Window1();
    if (!window || !window->LB1()) throw std::runtime_error("the program's window did not start");
    return window;
}

void WritePreferences(const std::string& configFolder, const std::string& listedFolder)
{
    std::ofstream(configFolder + "/fennic.pref") << "40\n40\n150\n200\n" << listedFolder << "\n";
}

// The rows that a fill of the tree must leave; a fill that silently failed
// would otherwise time as a very fast one.
void CheckRows(const fw::ListboxRef& list, const TreeShape& shape)
{
    std::size_t folders = 0;
    for (std::int32_t row = 0; row < list->ListCount(); ++row) {
        if (!list->RowIsFolder(row)) continue;
        ++folders;
        if (std::size_t(fw::CountFields(list->Cell(row, 1), "<>")) != TreeShape::kChildrenPerFolder)
            throw std::runtime_error("folder row " + std::to_string(row) + " lacks children");
    }
    if (std::size_t(list->ListCount()) != shape.TopLevel() || folders != shape.Folders())
        throw std::runtime_error("the fill made " + std::to_string(list->ListCount()) + " rows, " +
                                 std::to_string(folders) + " of them folders; expected " +
                                 std::to_string(shape.TopLevel()) + " and " + std::to_string(shape.Folders()));
}

double TimeFill(class Window1& window, const std::string& tree, int repetitions)
{
    // A fresh item each time: it keeps the listing it read.
    return BestOf(
        repetitions, [&] { window.gMyScriptFolder = fw::GetFolderItem(tree); }, [&] { window.setLB1(); });
}

// --- the Qt child ---

// Arguments: the tree, its entries, the preferences folder, repetitions.
// Prints one line:
// "qt-fill <fill seconds> <fill and shown seconds> <platform> <windows shown>".
int QtChild(int argc, char** argv)
{
    if (argc != 6) return 2;
    const std::string tree = argv[2], configFolder = argv[4];
    const TreeShape shape{std::size_t(std::strtoull(argv[3], nullptr, 10))};
    const int repetitions = std::max(1, std::atoi(argv[5]));
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int qtArgc = 1;
    static char* qtArgv[] = {argv[0], nullptr};
    fw::InstallQtPlatform(qtArgc, qtArgv);
    fw::RuntimeInit();
    auto& scripts = fwtest::RecordingScriptHost::Install();
    scripts.Answer(168, "");
    scripts.Answer(169, "Quillmere");
    fwtest::RecordingAppleEventTransport::Install();
    auto window = StartProgram(configFolder);
    QCoreApplication::processEvents();

    double bestFill = std::numeric_limits<double>::infinity(), bestShown = bestFill;
    for (int i = 0; i < repetitions; ++i) {
        window->gMyScriptFolder = fw::GetFolderItem(tree);
        auto start = Clock::now();
        window->setLB1();
        auto filled = Clock::now();
        // What the view still owes once the fill returns: its layout, a paint.
        for (int pass = 0; pass < 3; ++pass) QCoreApplication::processEvents();
        auto shown = Clock::now();
        bestFill = std::min(bestFill, Seconds(start, filled));
        bestShown = std::min(bestShown, Seconds(start, shown));
    }
    CheckRows(window->LB1(), shape);
    const auto windows = QApplication::topLevelWidgets();
    long shownWindows = std::count_if(windows.begin(), windows.end(), [](QWidget* w) { return w->isVisible(); });
    std::printf("qt-fill %.9f %.9f %s %ld\n", bestFill, bestShown, QApplication::platformName().toUtf8().constData(),
                shownWindows);
    std::fflush(stdout);
    // Tearing Qt down is not what is measured; a fault there must not cost
    // the figures already printed.
    std::_Exit(0);
}

struct QtFigures {
    double fill = 0, shown = 0;
    std::string platform, failure;
    long shownWindows = 0;
};

QtFigures MeasureQt(const std::string& tree, const std::string& configFolder)
{
    QtFigures figures;
    bench::ChildOutput child = bench::RunSelf(
        {kQtFlag, tree, std::to_string(kQtEntries), configFolder, std::to_string(RepetitionsFor(kQtEntries))},
        std::chrono::seconds(300));
    std::size_t at = child.out.rfind("qt-fill");
    std::istringstream line(at == std::string::npos ? std::string() : child.out.substr(at));
    std::string tag;
    if (!(line >> tag >> figures.fill >> figures.shown >> figures.platform >> figures.shownWindows))
        figures.failure = child.failure.empty() ? "no figures printed" : child.failure;
    else if (!child.failure.empty())
        figures.failure = child.failure;
    return figures;
}

// --- the report ---

struct SizeFigures {
    TreeShape shape;
    int repetitions = 0;
    double fill = 0, walk = 0, walkWithType = 0;
};

std::string Grouped(std::size_t n)
{
    std::string digits = std::to_string(n), out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return out;
}

double Ms(double seconds)
{
    return seconds * 1000.0;
}

const char* Verdict(bool within)
{
    return within ? "ok" : "TOO SLOW";
}

// The fill may grow faster than ten times only as far as reading the disk does.
const char* GrowthVerdict(double fill, double walk)
{
    if (fill <= kMostGrowth) return "ok";
    return fill <= walk * 1.1 ? "above 12x, as the walk: the file system's" : "TOO SLOW";
}

void PrintReport(const std::vector<SizeFigures>& sizes, const QtFigures& qt)
{
    std::printf("Script list fill: Window1::setLB1 against a bare walk of the same folder tree\n\n");
    std::printf("Entries are everything read: the listed folder's entries plus the children of its\n"
                "sub-folders. Half are top-level; a tenth of those are sub-folders of %zu children each\n"
                "(1,000 entries = 450 files + 50 sub-folders at top level + 500 children).\n",
                TreeShape::kChildrenPerFolder);
    std::printf("fill: the real setLB1 on the scripted backend, a fresh FolderItem each time.\n"
                "walk: readdir + stat of every entry, one level of sub-folders, nothing kept.\n"
                "walk+type: the same, plus reading each entry's file-type attribute.\n"
                "Times in milliseconds, best of the repetitions shown, steady clock.\n\n");

    std::printf("%9s %9s %8s %5s %11s %9s %11s %11s %10s\n", "entries", "top-level", "folders", "reps", "fill",
                "us/entry", "walk", "walk+type", "fill/walk");
    for (const SizeFigures& s : sizes) {
        double ratio = s.fill / s.walk;
        std::printf("%9s %9s %8s %5d %11.3f %9.3f %11.3f %11.3f %9.2fx  %s\n", Grouped(s.shape.Total()).c_str(),
                    Grouped(s.shape.TopLevel()).c_str(), Grouped(s.shape.Folders()).c_str(), s.repetitions,
                    Ms(s.fill), s.fill * 1e6 / double(s.shape.Total()), Ms(s.walk), Ms(s.walkWithType), ratio, Verdict(ratio <= kMostOverWalk));
    }

    std::printf("\nGrowth for ten times the entries (linear: 10x; allowed: %.0fx)\n", kMostGrowth);
    std::printf("%21s %9s %9s %9s\n", "", "fill", "walk", "walk+type");
    for (std::size_t i = 1; i < sizes.size(); ++i) {
        const SizeFigures &a = sizes[i - 1], &b = sizes[i];
        double fill = b.fill / a.fill;
        std::string step = Grouped(a.shape.Total()) + " -> " + Grouped(b.shape.Total());
        double walk = b.walk / a.walk;
        std::printf("%21s %8.2fx %8.2fx %8.2fx  %s\n", step.c_str(), fill, walk, b.walkWithType / a.walkWithType,
                    GrowthVerdict(fill, walk));
    }

    std::printf("\nThe same fill through the Qt backend, %s entries:\n", Grouped(kQtEntries).c_str());
    if (!qt.failure.empty()) {
        std::printf("  not measured: %s\n", qt.failure.c_str());
        return;
    }
    auto scripted = std::find_if(sizes.begin(), sizes.end(), [](const SizeFigures& s) {
        return s.shape.Total() == kQtEntries;
    });
    std::printf("  platform %s, %ld window(s) shown, best of %d\n", qt.platform.c_str(), qt.shownWindows,
                RepetitionsFor(kQtEntries));
    std::printf("  %-34s %11.3f ms", "fill (setLB1 returns)", Ms(qt.fill));
    if (scripted != sizes.end())
        std::printf("  %6.2fx the scripted fill, %6.2fx the walk", qt.fill / scripted->fill, qt.fill / scripted->walk);
    std::printf("\n  %-34s %11.3f ms\n", "fill, then the view laid out, drawn", Ms(qt.shown));
}

// Removes the temporary folder however the run ends.
struct Scratch {
    std::string root = fwtest::MakeTemporaryFolder();
    ~Scratch() { fwtest::RemoveFolder(root); }
};

int RunBenchmark()
{
    Scratch scratch;
    const std::string configFolder = scratch.root + "/config", small = scratch.root + "/small";
    bench::MakeFolder(configFolder);
    bench::MakeFolder(small);
    bench::MakeFile(small + "/a.jsx");
    WritePreferences(configFolder, small);

    std::vector<SizeFigures> sizes;
    for (std::size_t entries : {std::size_t(1000), std::size_t(10000), std::size_t(100000)}) {
        SizeFigures s{TreeShape{entries}, RepetitionsFor(entries)};
        std::fprintf(stderr, "building the tree of %s entries...\n", Grouped(entries).c_str());
        bench::BuildTree(scratch.root + "/tree-" + std::to_string(entries), s.shape);
        sizes.push_back(s);
    }

    std::fprintf(stderr, "timing the fill on the scripted backend...\n");
    {
        auto& platform = fwtest::TestPlatform::Install();
        platform.Scripts().Answer(168, "");
        platform.Scripts().Answer(169, "Quillmere");
        auto window = StartProgram(configFolder);
        for (SizeFigures& s : sizes) {
            std::string tree = scratch.root + "/tree-" + std::to_string(s.shape.entries);
            s.fill = TimeFill(*window, tree, s.repetitions);
            CheckRows(window->LB1(), s.shape);
            for (bool withType : {false, true}) {
                double& slot = withType ? s.walkWithType : s.walk;
                bench::WalkResult seen;
                slot = BestOf(s.repetitions, [] {}, [&] { seen = bench::BareWalk(tree, withType); });
                if (seen.entries != s.shape.Total()) throw std::runtime_error("the walk saw the wrong tree");
            }
        }
        window.reset();
        finalize();
    }

    std::fprintf(stderr, "timing the fill on the Qt backend...\n");
    QtFigures qt = MeasureQt(scratch.root + "/tree-" + std::to_string(kQtEntries), configFolder);
    PrintReport(sizes, qt);
    return qt.failure.empty() ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        if (argc > 1 && std::string(argv[1]) == kQtFlag) return QtChild(argc, argv);
        return RunBenchmark();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "fill_benchmark: %s\n", e.what());
        return 1;
    }
}
