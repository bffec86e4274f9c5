// Opening and closing a folder row of many children, against filling the
// list with as many rows, interleaved in one process.

#include "BenchTree.h"
#include "ChildTasks.h"
#include "ProgramOnBackend.h"
#include "ReaddirFloor.h"

#include <algorithm>
#include <stdexcept>

namespace bench {

namespace {

int Repetitions(std::size_t children)
{
    return children <= 10000 ? 5 : 3;
}

void Expect(bool holds, const std::string& what)
{
    if (!holds) throw std::runtime_error(what);
}

// The children beneath the folder row, in order, each naming its folder;
// the rows that followed it after them.
void CheckOpen(const fw::ListboxRef& list, std::int32_t row, const std::vector<std::string>& children,
               const std::vector<std::string>& closedRows)
{
    const auto n = std::int32_t(children.size());
    Expect(list->ListCount() == std::int32_t(closedRows.size()) + n,
           "opening the folder row made " + std::to_string(list->ListCount() - std::int32_t(closedRows.size())) +
               " rows instead of " + std::to_string(n));
    for (std::int32_t at : {row + 1, row + n})
        Expect(list->Cell(at, 0) == children[std::size_t(at - row - 1)] && list->Cell(at, 1) == kBigFolder,
               "row " + std::to_string(at) + " is not the child it should be");
    Expect(list->Cell(row + n + 1, 0) == closedRows[std::size_t(row) + 1], "the rows after the children moved");
}

} // namespace

int FolderRowChild(const std::string& backend, const std::string& root, std::size_t children, char* programName)
{
    ProgramOnBackend program(backend, ConfigFolder(root), programName);
    const std::string wide = WideTree(root, children), big = wide + "/" + kBigFolder;
    const std::vector<std::string> bigRows = ReaddirFloor(big), wideRows = ReaddirFloor(wide);
    Expect(bigRows.size() == children, "the folder holds " + std::to_string(bigRows.size()) + " children");
    auto folder = std::find_if(wideRows.begin(), wideRows.end(),
                               [](const std::string& r) { return r.rfind(std::string(kBigFolder) + "<@>", 0) == 0; });
    Expect(folder != wideRows.end(), "the floor lists no folder row");
    const auto row = std::int32_t(folder - wideRows.begin());

    for (int i = 0; i < Repetitions(children); ++i) {
        program.PointAt(big);
        Timed(Key("rows", children), [&] { program.Fill(); });
        CheckRows(program.Rows(), bigRows, "the fill of the folder's files");

        program.PointAt(wide);
        program.Fill();
        CheckRows(program.Rows(), wideRows, "the fill of the folder row's folder");
        Timed(Key("open", children), [&] { program.SetExpanded(row, true); });
        CheckOpen(program.List(), row, bigRows, wideRows);
        Timed(Key("close", children), [&] { program.SetExpanded(row, false); });
        CheckRows(program.Rows(), wideRows, "closing the folder row");
    }
    EndChild();
}

} // namespace bench
