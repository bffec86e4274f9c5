#pragma once

#include <cstdint>

namespace fw {

// The runtime's conversion of a Double to an Int32, defined for every value:
// the fraction is dropped (toward zero), values beyond the Int32 range give
// its nearest end, and NaN gives 0.
std::int32_t RuntimeCvtReal64ToSInt32(double value);

} // namespace fw
