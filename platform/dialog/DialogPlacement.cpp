#include "platform/dialog/DialogPlacement.h"

#include <algorithm>

namespace host {

namespace {

/// Keeps [start, start + size) inside [low, high), preferring low.
int Clamp(int start, int size, int low, int high) {
    start = std::min(start, high - size);
    return std::max(start, low);
}

} // namespace

POINT DialogPlacement::CentreOver(const RECT& area, int width, int height, const RECT& screen) {
    POINT corner;
    corner.x = area.left + (area.right - area.left - width) / 2;
    corner.y = area.top + (area.bottom - area.top - height) / 2;
    corner.x = Clamp(corner.x, width, screen.left, screen.right);
    corner.y = Clamp(corner.y, height, screen.top, screen.bottom);
    return corner;
}

} // namespace host
