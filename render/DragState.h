#pragma once
// One mouse button's drag over the view.

/// The state of one button's drag. A press over the view starts it, a release
/// seen by the view ends it. The view does not capture the mouse, so a release
/// outside it is never seen and the drag stays active until the button is next
/// released over the view.
struct DragState {
    int lastX = 0;       ///< x of the last cursor position of this drag, client pixels
    int lastY = 0;       ///< y of the last cursor position, client pixels, growing downwards
    bool active = false; ///< pressed over the view and its release not yet seen
};
