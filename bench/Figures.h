#pragma once

// The rows of the table, each figure judged against its limit.

#include "ChildFigures.h"
#include "IdleFigure.h"
#include "Table.h"
#include "TickFigure.h"

#include <cstddef>
#include <string>
#include <vector>

namespace bench {

constexpr double kFillOverFloor = 1.5;
constexpr double kMostGrowth = 11.0;  // for ten times as much
constexpr double kFolderRowOverFill = 2.0;
constexpr double kTickOverSpawn = 1.5;
constexpr double kIdlePercent = 0.15;
constexpr double kMemoryBytes = 12e6;

void AddFillRows(Table& table, const std::string& backend, const ChildFigures& fill);
void AddFolderRowRows(Table& table, const std::string& backend, const ChildFigures& folderRow);
void AddTickRow(Table& table, const TickFigures& tick);
void AddIdleRow(Table& table, const IdleFigures& idle, double windowSeconds);
// Only the gated backend's memory is held to the limit; the other is shown.
void AddMemoryRow(Table& table, const std::string& backend, const ChildFigures& memory, bool gated);

} // namespace bench
