#include "ScreenFit.h"

#include <algorithm>

namespace fw {

namespace {

// In 64 bits: bounds near the Int32 limits must not wrap.
struct Span {
    std::int64_t left, top, width, height;
    std::int64_t Right() const { return left + width; }
    std::int64_t Bottom() const { return top + height; }
};

Span SpanOf(const Rect& r)
{
    return {r.left, r.top, r.width, r.height};
}

std::int64_t Overlap(const Span& a, const Span& b)
{
    std::int64_t width = std::min(a.Right(), b.Right()) - std::max(a.left, b.left);
    std::int64_t height = std::min(a.Bottom(), b.Bottom()) - std::max(a.top, b.top);
    return width > 0 && height > 0 ? width * height : 0;
}

// Whether some area shows the frame's top line, where its menu bar begins:
// a screen above the frame's own may.
bool TopLineShown(const Span& frame, const std::vector<Span>& areas)
{
    const Span line{frame.left, frame.top, frame.width, 1};
    return std::any_of(areas.begin(), areas.end(), [&](const Span& area) { return Overlap(line, area) > 0; });
}

} // namespace

Rect FitOnScreens(const Rect& content, std::int32_t above, const std::vector<Rect>& areas)
{
    Span frame{content.left, std::int64_t(content.top) - above, content.width, std::int64_t(content.height) + above};
    const Span* home = nullptr;
    std::int64_t most = 0;
    std::vector<Span> spans;
    for (const Rect& area : areas)
        if (area.width > 0 && area.height > 0) spans.push_back(SpanOf(area));
    if (spans.empty()) return content;
    for (const Span& area : spans)
        if (std::int64_t overlap = Overlap(frame, area); overlap > most) home = &area, most = overlap;
    bool offScreen = !home;
    if (offScreen) home = &spans.front();

    std::int64_t width = std::min(frame.width, home->width), height = std::min(frame.height, home->height);
    std::int64_t left = frame.left, top = frame.top;
    if (offScreen || width < frame.width || height < frame.height) {
        left = std::clamp(frame.left, home->left, home->Right() - width);
        top = std::clamp(frame.top, home->top, home->Bottom() - height);
    } else if (top < home->top && !TopLineShown(frame, spans)) {
        top = home->top;
    }
    return {std::int32_t(left), std::int32_t(top + above), std::int32_t(width), std::int32_t(height - above)};
}

} // namespace fw
