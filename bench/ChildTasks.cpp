#include "ChildTasks.h"

#include <cstdlib>

namespace bench {

namespace {

constexpr const char* kFill = "fill";
constexpr const char* kFolderRow = "folder-row";
constexpr const char* kMemory = "memory";

// A folder row of 100,000 children closed row by row in quadratic time
// takes tens of seconds: reported as over the limit, not waited for.
std::chrono::seconds FolderRowLimit(std::size_t children)
{
    return std::chrono::seconds(children <= 10000 ? 120 : 30);
}

} // namespace

int RunChildTask(int argc, char** argv)
{
    const std::string task = argc > 2 ? argv[2] : "", backend = argc > 3 ? argv[3] : "",
                      root = argc > 4 ? argv[4] : "";
    if (task == kFill && argc == 5) return FillChild(backend, root, argv[0]);
    if (task == kFolderRow && argc == 6)
        return FolderRowChild(backend, root, std::size_t(std::strtoull(argv[5], nullptr, 10)), argv[0]);
    if (task == kMemory && argc == 5) return MemoryChild(backend, root, argv[0]);
    return 2;
}

ChildFigures MeasureFill(const std::string& backend, const std::string& root)
{
    return RunChild({kChildFlag, kFill, backend, root}, std::chrono::seconds(300));
}

ChildFigures MeasureFolderRow(const std::string& backend, const std::string& root, std::size_t children)
{
    return RunChild({kChildFlag, kFolderRow, backend, root, std::to_string(children)}, FolderRowLimit(children));
}

ChildFigures MeasureMemory(const std::string& backend, const std::string& root)
{
    return RunChild({kChildFlag, kMemory, backend, root}, std::chrono::seconds(120));
}

} // namespace bench
