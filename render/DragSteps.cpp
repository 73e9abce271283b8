#include "render/DragSteps.h"

void BeginDrag(DragState& drag, int x, int y) {
    drag.lastX = x;
    drag.lastY = y;
    drag.active = true;
}

void EndDrag(DragState& drag) {
    drag.active = false;
}

bool TurnStep(DragState& left, int x, int y, double& angleY, double& angleX) {
    if (!left.active) {
        return false;
    }
    // Differences are taken in 64 bits so that no pair of positions overflows;
    // C++ division truncates toward zero, which is the rate the user knows.
    const long long dx = (static_cast<long long>(left.lastX) - x) / 2;
    const long long dy = (static_cast<long long>(left.lastY) - y) / 2;
    left.lastX = x;
    left.lastY = y;
    angleY -= static_cast<double>(dx);
    angleX -= static_cast<double>(dy);
    return true;
}

bool ZoomStep(DragState& right, int x, int y, double& distance) {
    if (!right.active) {
        return false;
    }
    const long long dz = (static_cast<long long>(right.lastY) - y) * 10;
    right.lastX = x;
    right.lastY = y;
    distance -= static_cast<double>(dz);
    return true;
}

bool DragMove(DragState& left, DragState& right, int x, int y, double& angleY, double& angleX,
              double& distance) {
    const bool turned = TurnStep(left, x, y, angleY, angleX);
    const bool zoomed = ZoomStep(right, x, y, distance);
    return turned || zoomed;
}
