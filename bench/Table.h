#pragma once

// The benchmark's one table: each figure beside its floor, the ratio, the
// limit and a verdict.

#include <string>
#include <vector>

namespace bench {

enum class Verdict { Pass, Fail, Info };

struct TableRow {
    std::string figure, value, floor, ratio, limit;
    Verdict verdict = Verdict::Info;
};

class Table {
public:
    void Add(TableRow row) { rows_.push_back(std::move(row)); }
    // A line printed under the table.
    void Note(std::string text) { notes_.push_back(std::move(text)); }
    bool AnyFailed() const;
    void Print() const;

private:
    std::vector<TableRow> rows_;
    std::vector<std::string> notes_;
};

// "2.01 ms", "264 ms", "25.3 s".
std::string Duration(double seconds);
// "2.2x".
std::string Times(double ratio);

} // namespace bench
