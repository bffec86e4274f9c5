#include "Figures.h"

#include "BenchTree.h"
#include "ChildTasks.h"

#include <algorithm>
#include <cstdio>

namespace bench {

namespace {

// A figure as far as it is known: a child killed while measuring it leaves
// a lower bound, unless the repetitions it finished already took longer.
struct Measured {
    bool known = false;
    bool atLeast = false;
    double seconds = 0;
    std::string why;  // when not known
};

Measured Of(const ChildFigures& figures, const std::string& key)
{
    if (figures.unfinished == key && figures.unfinishedFor > figures.MedianOf(key))
        return {true, true, figures.unfinishedFor, ""};
    if (figures.Has(key)) return {true, false, figures.MedianOf(key), ""};
    return {false, false, 0, "not measured"};
}

std::string Text(const Measured& m)
{
    if (!m.known) return m.why;
    return (m.atLeast ? "over " : "") + Duration(m.seconds);
}

std::string Short(std::size_t n)
{
    return n >= 1000 ? std::to_string(n / 1000) + "k" : std::to_string(n);
}

std::string AtMost(const std::string& limit)
{
    return "<= " + limit;
}

constexpr double kNoLimit = 0;

// `value` against `floor`, held to `limit` times it; kNoLimit: shown for
// what it tells.
void AddRatioRow(Table& table, std::string figure, const Measured& value, const std::string& floorName,
                 const Measured& floor, double limit)
{
    const bool held = limit != kNoLimit;
    TableRow row{std::move(figure), Text(value), floorName + " " + Text(floor), "-",
                 held ? AtMost(Times(limit)) : "-", held ? Verdict::Fail : Verdict::Info};
    if (value.known && floor.known && !floor.atLeast) {
        double ratio = value.seconds / floor.seconds;
        row.ratio = (value.atLeast ? "over " : "") + Times(ratio);
        if (held && !value.atLeast && ratio <= limit) row.verdict = Verdict::Pass;
    }
    table.Add(std::move(row));
}

// How `large` grows over `small`, ten times as much, beside the floor's own growth.
void AddGrowthRow(Table& table, std::string figure, const Measured& small, const Measured& large,
                  const std::string& floorName, const Measured& floorSmall, const Measured& floorLarge)
{
    TableRow row{std::move(figure), small.known && large.known ? Text(large) + " / " + Text(small) : "not measured",
                 floorName + " grows -", "-",
                 AtMost(Times(kMostGrowth)), Verdict::Fail};
    if (floorSmall.known && floorLarge.known && !floorSmall.atLeast && !floorLarge.atLeast)
        row.floor = floorName + " grows " + Times(floorLarge.seconds / floorSmall.seconds);
    if (small.known && large.known && !small.atLeast) {
        double growth = large.seconds / small.seconds;
        row.ratio = (large.atLeast ? "over " : "") + Times(growth);
        if (!large.atLeast && growth <= kMostGrowth) row.verdict = Verdict::Pass;
    }
    table.Add(std::move(row));
}

// A child that did not end well still gives the figures it finished; the
// table says so.
void NoteFailure(Table& table, const std::string& what, const ChildFigures& figures)
{
    if (figures.failure.empty()) return;
    std::string note = what + ": " + figures.failure;
    if (!figures.unfinished.empty()) note += " while measuring " + figures.unfinished;
    table.Note(note + "; what it measured before that is kept");
}

} // namespace

void AddFillRows(Table& table, const std::string& backend, const ChildFigures& fill)
{
    NoteFailure(table, "the fill on " + backend, fill);
    for (std::size_t entries : kFillSizes)
        AddRatioRow(table, "fill " + Grouped(entries) + " entries, " + backend, Of(fill, Key("fill", entries)),
                    "readdir loop", Of(fill, Key("floor", entries)), kFillOverFloor);
    for (std::size_t i = 1; i < std::size(kFillSizes); ++i) {
        std::size_t a = kFillSizes[i - 1], b = kFillSizes[i];
        AddGrowthRow(table, "fill growth " + Short(a) + " -> " + Short(b) + ", " + backend,
                     Of(fill, Key("fill", a)), Of(fill, Key("fill", b)), "readdir loop",
                     Of(fill, Key("floor", a)), Of(fill, Key("floor", b)));
    }    // What showing the rows costs in itself, whoever shows them.
    for (std::size_t entries : kFillSizes)
        if (fill.Has(Key("plain-qt", entries)))
            AddRatioRow(table, "fill " + Grouped(entries) + " entries, " + backend + ", beside plain Qt",
                        Of(fill, Key("fill", entries)), "readdir loop + stock Qt list",
                        Of(fill, Key("plain-qt", entries)), kNoLimit);
}

void AddFolderRowRows(Table& table, const std::string& backend, const ChildFigures& folderRow)
{
    NoteFailure(table, "the folder rows on " + backend, folderRow);
    for (const char* action : {"open", "close"}) {
        for (std::size_t n : kFolderRowSizes)
            AddRatioRow(table, std::string(action) + " folder row of " + Grouped(n) + ", " + backend,
                        Of(folderRow, Key(action, n)), "fill of " + Grouped(n) + " rows",
                        Of(folderRow, Key("rows", n)), kFolderRowOverFill);
        std::size_t a = kFolderRowSizes[0], b = kFolderRowSizes[1];
        AddGrowthRow(table, std::string(action) + " growth " + Short(a) + " -> " + Short(b) + ", " + backend,
                     Of(folderRow, Key(action, a)), Of(folderRow, Key(action, b)), "fill of rows",
                     Of(folderRow, Key("rows", a)), Of(folderRow, Key("rows", b)));
    }
}

void AddTickRow(Table& table, const TickFigures& tick)
{
    if (!tick.failure.empty()) table.Note("the timer tick: " + tick.failure);
    Measured script{tick.failure.empty(), false, tick.script, "not measured"};
    Measured spawn{tick.failure.empty(), false, tick.spawn, "not measured"};
    AddRatioRow(table, "timer tick: script 169", script, "spawning /bin/true", spawn, kTickOverSpawn);
}

void AddIdleRow(Table& table, const IdleFigures& idle, double windowSeconds)
{
    char figure[64], value[96], floor[128], limit[32];
    std::snprintf(figure, sizeof figure, "idle %.0f s, children included", windowSeconds);
    std::snprintf(value, sizeof value, "%.3f %% +- %.3f of a core (children %.3f %%)", idle.percent,
                  idle.resolution, idle.childPercent);
    std::snprintf(floor, sizeof floor, "/bin/true once a second %.3f %% (script 169: %.3f %%)", idle.truePercent,
                  idle.scriptPercent);
    std::snprintf(limit, sizeof limit, "<= %.2f %%", kIdlePercent);
    const bool floorKnown = idle.floorFailure.empty() && idle.truePercent > 0;
    TableRow row{figure, value, floorKnown ? floor : "not measured", "-", limit, Verdict::Fail};
    if (!idle.floorFailure.empty()) table.Note("the idle floors: " + idle.floorFailure);
    if (!idle.failure.empty()) {
        row.value = "not measured";
        table.Note("the idle program: " + idle.failure);
    } else {
        if (floorKnown) row.ratio = Times(idle.percent / idle.truePercent);
        if (idle.percent <= kIdlePercent) row.verdict = Verdict::Pass;
    }
    if (floorKnown && idle.truePercent > kIdlePercent) {
        char note[160];
        std::snprintf(note, sizeof note,
                      "the idle limit lies below its floor on this machine: starting /bin/true once a second "
                      "costs %.3f %% of a core",
                      idle.truePercent);
        table.Note(note);
    }
    table.Add(std::move(row));
}

void AddMemoryRow(Table& table, const std::string& backend, const ChildFigures& memory, bool gated)
{
    const std::size_t entries = kFillSizes[std::size(kFillSizes) - 1];
    char limit[32];
    std::snprintf(limit, sizeof limit, "<= %.0f MB", kMemoryBytes / 1e6);
    TableRow row{"memory of " + Grouped(entries) + " entries, " + backend, "", "rows' texts -", "-",
                 gated ? limit : "-", gated ? Verdict::Fail : Verdict::Info};
    NoteFailure(table, "the memory on " + backend, memory);
    if (!memory.Has("anon") || !memory.Has("texts") || !memory.Has("rows")) {
        row.value = "not measured";
        table.Add(std::move(row));
        return;
    }
    const double anon = memory.MedianOf("anon"), texts = memory.MedianOf("texts"), rows = memory.MedianOf("rows");
    char value[64], floor[64];
    std::snprintf(value, sizeof value, "%.1f MB anon, %.0f B a row", anon / 1e6, anon / rows);
    std::snprintf(floor, sizeof floor, "rows' texts %.2f MB", texts / 1e6);
    row.value = value;
    row.floor = floor;
    row.ratio = Times(anon / texts);
    if (gated && anon <= kMemoryBytes) row.verdict = Verdict::Pass;
    table.Add(std::move(row));
}

} // namespace bench
