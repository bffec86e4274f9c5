// Opening and closing a folder row of many children, against filling the
// list with as many rows, interleaved in one process and size by size in
// turn.

#include "BenchTree.h"
#include "ChildTasks.h"
#include "ProgramOnBackend.h"
#include "ReaddirFloor.h"

#include <algorithm>
#include <stdexcept>

namespace bench {

namespace {

constexpr int kMostRounds = 5;
constexpr double kBudgetSeconds = 30;

void Expect(bool holds, const std::string& what)
{
    if (!holds) throw std::runtime_error(what);
}

// A listed folder with one folder row among its files.
struct Wide {
    std::size_t children;
    std::string folder, big;
    std::vector<std::string> bigRows, rows;
    std::int32_t folderRow;
};

Wide Lay(const std::string& root, std::size_t children)
{
    Wide w{children, WideTree(root, children), WideTree(root, children) + "/" + kBigFolder, {}, {}, -1};
    w.bigRows = ReaddirFloor(w.big);
    w.rows = ReaddirFloor(w.folder);
    Expect(w.bigRows.size() == children, "the folder holds " + std::to_string(w.bigRows.size()) + " children");
    auto found = std::find_if(w.rows.begin(), w.rows.end(),
                              [](const std::string& r) { return r.rfind(std::string(kBigFolder) + "<@>", 0) == 0; });
    Expect(found != w.rows.end(), "the floor lists no folder row");
    w.folderRow = std::int32_t(found - w.rows.begin());
    return w;
}

// The children beneath the folder row, in order, each naming its folder;
// the rows that followed it after them.
void CheckOpen(const fw::ListboxRef& list, const Wide& w)
{
    const auto n = std::int32_t(w.children), row = w.folderRow;
    Expect(list->ListCount() == std::int32_t(w.rows.size()) + n,
           "opening the folder row made " + std::to_string(list->ListCount() - std::int32_t(w.rows.size())) +
               " rows instead of " + std::to_string(n));
    for (std::int32_t at : {row + 1, row + n})
        Expect(list->Cell(at, 0) == w.bigRows[std::size_t(at - row - 1)] && list->Cell(at, 1) == kBigFolder,
               "row " + std::to_string(at) + " is not the child it should be");
    Expect(list->Cell(row + n + 1, 0) == w.rows[std::size_t(row) + 1], "the rows after the children moved");
}

void Round(ProgramOnBackend& program, const Wide& w)
{
    program.Clear();
    program.PointAt(w.big);
    Timed(Key("rows", w.children), [&] { program.Fill(); });
    program.CheckShown("the fill of the folder's files");
    CheckRows(program.Rows(), w.bigRows, "the fill of the folder's files");

    program.PointAt(w.folder);
    program.Fill();
    CheckRows(program.Rows(), w.rows, "the fill of the folder row's folder");
    // The row the user opens is the one in view that they picked.
    program.List()->SetListIndex(w.folderRow);
    program.Drain();
    Timed(Key("open", w.children), [&] { program.SetExpanded(w.folderRow, true); });
    program.CheckShown("opening the folder row");
    CheckOpen(program.List(), w);
    program.Drain();
    Timed(Key("close", w.children), [&] { program.SetExpanded(w.folderRow, false); });
    program.CheckShown("closing the folder row");
    CheckRows(program.Rows(), w.rows, "closing the folder row");
}

} // namespace

int FolderRowChild(const std::string& backend, const std::string& root, char* programName)
{
    ProgramOnBackend program(backend, ConfigFolder(root), programName);
    std::vector<Wide> sizes;
    for (std::size_t children : kFolderRowSizes) sizes.push_back(Lay(root, children));
    Repeat(1, kMostRounds, kBudgetSeconds, [&](int) {
        for (const Wide& w : sizes) Round(program, w);
    });
    EndChild();
}

} // namespace bench
