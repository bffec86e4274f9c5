#pragma once

// The figures measured in child invocations of the benchmark, one backend
// each, so that a backend that hangs or crashes costs only its own figures.

#include "ChildFigures.h"

#include <cstddef>
#include <string>

namespace bench {

constexpr const char* kChildFlag = "--child";
constexpr const char* kOnceASecond = "once-a-second";

// Runs the child task named on the command line; its exit status.
int RunChildTask(int argc, char** argv);

// The trees lie under `root` (BuildTrees).
// Keys "floor/<entries>" and "fill/<entries>" for each of kFillSizes,
// seconds, one value a repetition.
ChildFigures MeasureFill(const std::string& backend, const std::string& root);
// Keys "rows/<n>" (filling the folder of n files), "open/<n>" and
// "close/<n>" (the folder row with n children) for each of
// kFolderRowSizes, seconds a repetition.
ChildFigures MeasureFolderRow(const std::string& backend, const std::string& root);
// Keys "anon" (bytes that filling the largest tree adds), "texts" (bytes of
// the rows' texts) and "rows".
ChildFigures MeasureMemory(const std::string& backend, const std::string& root);

inline std::string Key(const char* figure, std::size_t size)
{
    return std::string(figure) + "/" + std::to_string(size);
}

// The child tasks.
int FillChild(const std::string& backend, const std::string& root, char* programName);
int FolderRowChild(const std::string& backend, const std::string& root, char* programName);
int MemoryChild(const std::string& backend, const std::string& root, char* programName);

} // namespace bench
