// The fill of the list against the readdir floor, interleaved in one
// process: the same trees, the same page cache, the same moment.

#include "BenchTree.h"
#include "ChildTasks.h"
#include "ProgramOnBackend.h"
#include "ReaddirFloor.h"

#include <stdexcept>

namespace bench {

namespace {

int Repetitions(std::size_t entries)
{
    return entries <= 1000 ? 31 : entries <= 10000 ? 11 : 7;
}

// The floor itself must list what the tree holds, or it floors nothing.
void CheckFloor(const std::vector<std::string>& rows, const TreeShape& shape)
{
    std::size_t folders = 0;
    for (const std::string& row : rows) folders += row.find("<@>") != std::string::npos;
    if (rows.size() != shape.TopLevel() || folders != shape.Folders())
        throw std::runtime_error("the floor listed " + std::to_string(rows.size()) + " rows, " +
                                 std::to_string(folders) + " of them folders");
}

} // namespace

int FillChild(const std::string& backend, const std::string& root, char* programName)
{
    ProgramOnBackend program(backend, ConfigFolder(root), programName);
    for (std::size_t entries : kFillSizes) {
        const std::string tree = FillTree(root, entries);
        // Untimed once each: the page cache warm, the previous rows in place.
        std::vector<std::string> floorRows = ReaddirFloor(tree);
        CheckFloor(floorRows, TreeShape{entries});
        program.PointAt(tree);
        program.Fill();
        CheckRows(program.Rows(), floorRows, "the fill");

        auto floor = [&] { Timed(Key("floor", entries), [&] { floorRows = ReaddirFloor(tree); }); };
        auto fill = [&] {
            program.PointAt(tree);
            Timed(Key("fill", entries), [&] { program.Fill(); });
        };
        for (int i = 0; i < Repetitions(entries); ++i) {
            // Each first every other time, so that neither gains from going second.
            if (i % 2) {
                floor();
                fill();
            } else {
                fill();
                floor();
            }
        }
        CheckRows(program.Rows(), floorRows, "the fill");
    }
    EndChild();
}

} // namespace bench
