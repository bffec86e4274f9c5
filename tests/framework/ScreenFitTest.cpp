#include "framework/ScreenFit.h"

#include <gtest/gtest.h>

#include <climits>
#include <ostream>

using namespace fw;

namespace fw {
static std::ostream& operator<<(std::ostream& out, const Rect& r)
{
    return out << r.left << "," << r.top << " " << r.width << "x" << r.height;
}
} // namespace fw

namespace {

struct FitCase {
    const char* what;
    Rect content;
    std::int32_t above;  // what the window shows above its content area
    std::vector<Rect> areas;
    Rect fitted;
};

TEST(ScreenFit, TheFrameStaysWithinWhatTheScreensShow)
{
    const Rect screen{0, 0, 1024, 768};
    const Rect panel{0, 30, 1024, 738};  // a panel along the top
    const Rect left{-1280, 0, 1280, 1024}, right{0, 0, 1920, 1080};
    const Rect below{0, 768, 1280, 1024};  // under `screen`, and wider
    const FitCase cases[] = {
        {"fits", {40, 80, 150, 200}, 20, {screen}, {40, 80, 150, 200}},
        {"nothing known about the screens", {40000, 40000, 32000, 32000}, 20, {}, {40000, 40000, 32000, 32000}},
        {"partly off the left edge", {-100, 80, 150, 200}, 20, {screen}, {-100, 80, 150, 200}},
        {"partly below the bottom", {900, 700, 150, 200}, 20, {screen}, {900, 700, 150, 200}},
        {"partly off the right edge", {950, 80, 150, 200}, 20, {screen}, {950, 80, 150, 200}},
        {"the menu bar above the top", {40, 10, 150, 200}, 20, {screen}, {40, 20, 150, 200}},
        {"the menu bar wholly above the top", {40, 0, 150, 200}, 19, {screen}, {40, 19, 150, 200}},
        {"above the top and partly off the right", {950, -50, 150, 200}, 20, {screen}, {950, 20, 150, 200}},
        {"the menu bar over a panel", {40, 40, 150, 200}, 20, {panel}, {40, 50, 150, 200}},
        {"the menu bar on the screen above", {100, 774, 150, 200}, 20, {below, screen}, {100, 774, 150, 200}},
        {"above the lower screen, beside the upper one", {1100, 774, 150, 200}, 20, {below, screen},
         {1100, 788, 150, 200}},
        {"too big: shrunk and placed inside", {100, 100, 32000, 32000}, 20, {screen}, {0, 20, 1024, 748}},
        {"too wide only", {500, 100, 2000, 200}, 0, {screen}, {0, 100, 1024, 200}},
        {"as big as the area", {0, 20, 1024, 748}, 20, {screen}, {0, 20, 1024, 748}},
        {"too big for the area a panel leaves", {0, 20, 1024, 748}, 20, {panel}, {0, 50, 1024, 718}},
        {"wholly off, far right and low", {40000, 40000, 150, 200}, 20, {screen}, {874, 568, 150, 200}},
        {"wholly off, above and left", {-500, -500, 150, 200}, 20, {screen}, {0, 20, 150, 200}},
        {"wholly off but for the menu bar", {40, 768, 150, 200}, 20, {screen}, {40, 768, 150, 200}},
        {"just past the right edge", {1024, 80, 150, 200}, 0, {screen}, {874, 80, 150, 200}},
        {"the extremes", {INT32_MIN, INT32_MIN, 32000, 32000}, 20, {screen}, {0, 20, 1024, 748}},
        {"the other extremes", {INT32_MAX, INT32_MAX, 64, 64}, 20, {screen}, {960, 704, 64, 64}},
        {"on the second screen", {-700, 100, 150, 200}, 20, {right, left}, {-700, 100, 150, 200}},
        {"too big, on the second screen mostly", {-1000, 0, 1500, 3000}, 0, {right, left}, {-1280, 0, 1280, 1024}},
        {"wholly off both: onto the primary one", {-5000, 100, 150, 200}, 0, {right, left}, {0, 100, 150, 200}},
        {"an empty area counts for nothing", {40000, 100, 150, 200}, 0, {{0, 0, 0, 0}, screen}, {874, 100, 150, 200}},
    };
    for (const FitCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(FitOnScreens(c.content, c.above, c.areas), c.fitted);
    }
}

} // namespace
