#include "Table.h"

#include <algorithm>
#include <cstdio>

namespace bench {

namespace {

std::string Format(const char* pattern, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

const char* VerdictText(Verdict verdict)
{
    return verdict == Verdict::Pass ? "PASS" : verdict == Verdict::Fail ? "FAIL" : "info";
}

} // namespace

bool Table::AnyFailed() const
{
    return std::any_of(rows_.begin(), rows_.end(), [](const TableRow& r) { return r.verdict == Verdict::Fail; });
}

void Table::Print() const
{
    std::vector<TableRow> all{{"figure", "value", "floor (what it is)", "ratio", "limit", Verdict::Info}};
    all.insert(all.end(), rows_.begin(), rows_.end());
    std::size_t width[5] = {};
    for (const TableRow& r : all) {
        const std::string* cells[5] = {&r.figure, &r.value, &r.floor, &r.ratio, &r.limit};
        for (int c = 0; c < 5; ++c) width[c] = std::max(width[c], cells[c]->size());
    }
    for (std::size_t i = 0; i < all.size(); ++i) {
        const TableRow& r = all[i];
        std::printf("%-*s | %*s | %-*s | %*s | %-*s | %s\n", int(width[0]), r.figure.c_str(), int(width[1]),
                    r.value.c_str(), int(width[2]), r.floor.c_str(), int(width[3]), r.ratio.c_str(), int(width[4]),
                    r.limit.c_str(), i == 0 ? "verdict" : VerdictText(r.verdict));
        if (i == 0) {
            std::string rule;
            for (std::size_t w : width) rule += std::string(w, '-') + "-+-";
            std::printf("%s-------\n", rule.c_str());
        }
    }
    for (const std::string& note : notes_) std::printf("note: %s\n", note.c_str());
}

std::string Duration(double seconds)
{
    double ms = seconds * 1000;
    if (ms < 10) return Format("%.2f ms", ms);
    if (ms < 1000) return Format("%.3g ms", ms);
    return Format("%.3g s", seconds);
}

std::string Times(double ratio)
{
    return Format(ratio < 10 ? "%.2fx" : "%.1fx", ratio);
}

} // namespace bench
