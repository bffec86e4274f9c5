#include "Numbers.h"

#include <cmath>
#include <limits>

namespace fw {

std::int32_t RuntimeCvtReal64ToSInt32(double value)
{
    // A cast of a NaN or of a value outside the range is undefined in C++, so
    // those never reach it.
    if (std::isnan(value)) return 0;
    if (value >= 2147483647.0) return std::numeric_limits<std::int32_t>::max();
    if (value <= -2147483648.0) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

} // namespace fw
