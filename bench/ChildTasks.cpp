#include "ChildTasks.h"

#include "IdleFigure.h"

namespace bench {

namespace {

constexpr const char* kFill = "fill";
constexpr const char* kFolderRow = "folder-row";
constexpr const char* kMemory = "memory";

// A child that outlives these is killed, its unfinished figure reported as
// over the time it had taken. A close that takes quadratic time at 100,000
// children runs for tens of seconds: that is still measured.
constexpr std::chrono::seconds kFillLimit{300};
constexpr std::chrono::seconds kFolderRowLimit{90};
constexpr std::chrono::seconds kMemoryLimit{120};

} // namespace

int RunChildTask(int argc, char** argv)
{
    const std::string task = argc > 2 ? argv[2] : "", backend = argc > 3 ? argv[3] : "",
                      root = argc > 4 ? argv[4] : "";
    if (task == kOnceASecond && argc == 4) return OnceASecondChild(argv[3]);
    if (task == kFill && argc == 5) return FillChild(backend, root, argv[0]);
    if (task == kFolderRow && argc == 5) return FolderRowChild(backend, root, argv[0]);
    if (task == kMemory && argc == 5) return MemoryChild(backend, root, argv[0]);
    return 2;
}

ChildFigures MeasureFill(const std::string& backend, const std::string& root)
{
    return RunChild({kChildFlag, kFill, backend, root}, kFillLimit);
}

ChildFigures MeasureFolderRow(const std::string& backend, const std::string& root)
{
    return RunChild({kChildFlag, kFolderRow, backend, root}, kFolderRowLimit);
}

ChildFigures MeasureMemory(const std::string& backend, const std::string& root)
{
    return RunChild({kChildFlag, kMemory, backend, root}, kMemoryLimit);
}

} // namespace bench
