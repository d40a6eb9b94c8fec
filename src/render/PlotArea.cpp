#include "render/PlotArea.h"

#include "render/PictureGeometry.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kMargin = 0.5f;
constexpr float kLeft = kGraphLeft - kMargin;
constexpr float kRight = kGraphRight + kMargin;
constexpr float kTop = kScaleTop - kMargin;
constexpr float kBottom = kScaleBottom + kMargin;

} // namespace

bool InPlotArea(float x, float y)
{
    return x >= kLeft && x <= kRight && y >= kTop && y <= kBottom;   // false for NaN
}

// Liang-Barsky: the segment is p(t) = start + t (end - start), 0 <= t <= 1; each edge of the
// area narrows the range of t that lies inside it.
std::optional<PlotSegment> ClipToPlotArea(const PlotSegment& s)
{
    if (!std::isfinite(s.x1) || !std::isfinite(s.y1) || !std::isfinite(s.x2) || !std::isfinite(s.y2))
        return std::nullopt;
    const float dx = s.x2 - s.x1;
    const float dy = s.y2 - s.y1;
    float enter = 0;
    float leave = 1;
    // Keeps the t with towards * t <= room, that is, on the inner side of one edge.
    const auto inside = [&](float towards, float room) {
        if (towards == 0)
            return room >= 0;
        const float t = room / towards;
        if (towards < 0)
            enter = std::max(enter, t);
        else
            leave = std::min(leave, t);
        return enter <= leave;
    };
    if (!inside(-dx, s.x1 - kLeft) || !inside(dx, kRight - s.x1) || !inside(-dy, s.y1 - kTop) ||
        !inside(dy, kBottom - s.y1))
        return std::nullopt;

    // A cut end is held inside the area against the rounding of its computation.
    const auto cut = [&](float t, float& x, float& y) {
        x = std::clamp(s.x1 + t * dx, kLeft, kRight);
        y = std::clamp(s.y1 + t * dy, kTop, kBottom);
    };
    PlotSegment clipped = s;
    if (enter > 0)
        cut(enter, clipped.x1, clipped.y1);
    if (leave < 1)
        cut(leave, clipped.x2, clipped.y2);
    return clipped;
}
