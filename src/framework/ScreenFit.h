#pragma once

// Keeping a window where the screens can show it.

#include "Platform.h"

#include <cstdint>
#include <vector>

namespace fw {

// The content area moved and cut so that the frame (the content and the
// `above` pixels over it) is no larger than the area it lies on, and lies on
// some area at all. Areas come primary first; none known: unchanged.
//
// The frame takes the area it overlaps most. Larger than that area, it is cut
// to the area's size and moved the least that puts it inside; wholly off
// every area, it is moved the least that puts it inside the primary one.
// Its top above that area's, where no other area shows it, is moved down to
// it: the menu bar must stay within reach. Anything else, partly off the
// other edges included, is left as it is.
Rect FitOnScreens(const Rect& content, std::int32_t above, const std::vector<Rect>& areas);

} // namespace fw
