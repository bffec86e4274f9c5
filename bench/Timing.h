#pragma once

#include <algorithm>
#include <chrono>
#include <vector>

namespace bench {

// Monotonic and shared by every process of the machine, so that a child's
// clock readings mean the same to its parent.
using Clock = std::chrono::steady_clock;

inline double Seconds(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double>(to - from).count();
}

// The middle value (the mean of the two middle ones for an even count); 0
// for none.
inline double Median(std::vector<double> values)
{
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    std::size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

// Runs both, each first every other time, so that neither gains from going
// second.
template <class First, class Second>
void InTurn(int time, First first, Second second)
{
    if (time % 2) {
        second();
        first();
    } else {
        first();
        second();
    }
}

} // namespace bench
