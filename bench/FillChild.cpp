// The fill of the list against the readdir floor, interleaved in one
// process: the same trees, the same page cache, the same moment. The sizes
// take turns as well, so that a load that comes and goes on the machine
// weighs on each of them alike and their growth stays true.

#include "BenchTree.h"
#include "ChildTasks.h"
#include "PlainQtList.h"
#include "ProgramOnBackend.h"
#include "ReaddirFloor.h"

#include <memory>
#include <stdexcept>

namespace bench {

namespace {

constexpr int kLeastRounds = 3;
constexpr int kMostRounds = 15;
constexpr double kBudgetSeconds = 60;

// The floor itself must list what the tree holds, or it floors nothing.
void CheckFloor(const std::vector<std::string>& rows, const TreeShape& shape)
{
    std::size_t folders = 0;
    for (const std::string& row : rows) folders += row.find("<@>") != std::string::npos;
    if (rows.size() != shape.TopLevel() || folders != shape.Folders())
        throw std::runtime_error("the floor listed " + std::to_string(rows.size()) + " rows, " +
                                 std::to_string(folders) + " of them folders");
}

struct Size {
    std::size_t entries;
    std::string tree;
    std::vector<std::string> floorRows;
};

} // namespace

int FillChild(const std::string& backend, const std::string& root, char* programName)
{
    ProgramOnBackend program(backend, ConfigFolder(root), programName);
    std::vector<Size> sizes;
    for (std::size_t entries : kFillSizes) {
        // Untimed once each: the page cache warm, and both listings right.
        Size size{entries, FillTree(root, entries), {}};
        size.floorRows = ReaddirFloor(size.tree);
        CheckFloor(size.floorRows, TreeShape{entries});
        program.Clear();
        program.PointAt(size.tree);
        program.Fill();
        program.CheckShown("the fill");
        CheckRows(program.Rows(), size.floorRows, "the fill");
        sizes.push_back(std::move(size));
    }

    // On Qt, the floors include showing the rows with Qt's stock classes.
    std::unique_ptr<PlainQtList> plain;
    if (program.Paints()) plain = std::make_unique<PlainQtList>(*program.ListWidget(), *program.Paints());

    auto floor = [&](Size& size) {
        Timed(Key("floor", size.entries), [&] { size.floorRows = ReaddirFloor(size.tree); });
        if (!plain) return;
        plain->Clear();
        bool shown = false;
        Timed(Key("plain-qt", size.entries), [&] { shown = plain->Show(ReaddirFloor(size.tree)); });
        if (!shown || std::size_t(plain->RowCount()) != size.floorRows.size())
            throw std::runtime_error("the plain Qt list did not show the rows");
    };
    auto fill = [&](const Size& size) {
        program.Clear();
        program.PointAt(size.tree);
        Timed(Key("fill", size.entries), [&] { program.Fill(); });
    };
    Repeat(kLeastRounds, kMostRounds, kBudgetSeconds, [&](int round) {
        for (std::size_t i = 0; i < sizes.size(); ++i)
            InTurn(round + int(i), [&] { fill(sizes[i]); }, [&] { floor(sizes[i]); });
    });
    CheckRows(program.Rows(), sizes.back().floorRows, "the fill");
    EndChild();
}

} // namespace bench
