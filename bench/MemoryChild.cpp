// The anonymous memory that filling the largest tree adds to a process that
// has just started, against the size of the texts the rows hold.

#include "BenchTree.h"
#include "ChildTasks.h"
#include "ProgramOnBackend.h"

#include <fstream>
#include <stdexcept>

namespace bench {

namespace {

double AnonymousBytes()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("RssAnon:", 0) == 0) return std::stod(line.substr(8)) * 1024;  // given in kB
    throw std::runtime_error("/proc/self/status tells no RssAnon");
}

} // namespace

int MemoryChild(const std::string& backend, const std::string& root, char* programName)
{
    ProgramOnBackend program(backend, ConfigFolder(root), programName);
    const std::size_t entries = kFillSizes[std::size(kFillSizes) - 1];
    program.PointAt(FillTree(root, entries));
    const double before = AnonymousBytes();
    program.Fill();
    const double after = AnonymousBytes();

    fw::ListboxRef list = program.List();
    double texts = 0;
    for (std::int32_t row = 0; row < list->ListCount(); ++row)
        texts += double(list->Cell(row, 0).size() + list->Cell(row, 1).size());
    if (list->ListCount() != std::int32_t(TreeShape{entries}.TopLevel()))
        throw std::runtime_error("the fill made the wrong rows: " + std::to_string(list->ListCount()));
    Report("anon", after - before);
    Report("texts", texts);
    Report("rows", list->ListCount());
    EndChild();
}

} // namespace bench
