#pragma once

// Figures that a child invocation measures, passed to the parent one line
// each as soon as they are known, so that a child killed at its deadline
// still gives what it had, and tells which figure it was stuck in.

#include "Timing.h"

#include <chrono>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace bench {

// --- in the child: keys are single words, such as "fill/1000" ---

void Report(const std::string& key, double value);
void ReportBegin(const std::string& key);
// Why the child gives up, for the parent to tell.
void ReportFailure(const std::string& why);

// Runs `run` and reports how long it took, in seconds.
template <class Run>
double Timed(const std::string& key, Run run)
{
    ReportBegin(key);
    auto start = Clock::now();
    run();
    double seconds = Seconds(start, Clock::now());
    Report(key, seconds);
    return seconds;
}

// Runs `pass(i)` for i from 0 to `most` - 1, but starts no pass once
// `budgetSeconds` have gone by and `least` have run: a slow figure is
// measured fewer times rather than not at all.
template <class Pass>
void Repeat(int least, int most, double budgetSeconds, Pass pass)
{
    const auto start = Clock::now();
    for (int i = 0; i < most && (i < least || Seconds(start, Clock::now()) < budgetSeconds); ++i) pass(i);
}

// --- in the parent ---

struct ChildFigures {
    std::map<std::string, std::vector<double>> values;
    std::string failure;     // why the child did not end well; empty when it did
    std::string unfinished;  // the figure it was measuring when it was ended
    double unfinishedFor = 0;  // seconds that figure had taken by then

    bool Has(const std::string& key) const { return values.count(key) > 0; }
    double MedianOf(const std::string& key) const;
};

ChildFigures RunChild(const std::vector<std::string>& arguments, std::chrono::seconds limit);

} // namespace bench
