#include "framework/Numbers.h"
#include "framework/Text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

using fw::RuntimeCvtReal64ToSInt32;

namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

TEST(RuntimeCvtReal64ToSInt32, IsDefinedForEveryDouble)
{
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        double value;
        std::int32_t expected;
    } cases[] = {
        {std::nan(""), 0},
        {-std::nan(""), 0},
        {inf, kMax},
        {-inf, kMin},
        {1e300, kMax},
        {-1e300, kMin},
        {2147483647.0, kMax},
        {2147483647.9, kMax},
        {2147483648.0, kMax},
        {-2147483648.0, kMin},
        {-2147483648.9, kMin},
        {-2147483649.0, kMin},
        {0.0, 0},
        {-0.0, 0},
        {0.9, 0},
        {-0.9, 0},
        {2.5, 2},
        {-2.5, -2},
        {-7.999, -7},
        {std::numeric_limits<double>::denorm_min(), 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RuntimeCvtReal64ToSInt32(c.value), c.expected) << "value " << c.value;
}

// The preferences file keeps Int32 values as the decimal text of Str and reads
// them back through Val and this conversion.
TEST(RuntimeCvtReal64ToSInt32, EveryStrTextComesBackThroughVal)
{
    auto roundTrip = [](std::int32_t v) { return RuntimeCvtReal64ToSInt32(fw::Val(fw::Str(v))); };
    for (std::int32_t v : {kMin, kMin + 1, -100000, -1, 0, 1, 150, 200, 65535, kMax - 1, kMax})
        EXPECT_EQ(roundTrip(v), v);
    // And a spread over the whole range.
    std::uint32_t x = 2463534242u;
    for (int i = 0; i < 100000; ++i) {
        x ^= x << 13, x ^= x >> 17, x ^= x << 5;
        auto v = static_cast<std::int32_t>(x);
        ASSERT_EQ(roundTrip(v), v);
    }
}

} // namespace
