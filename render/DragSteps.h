#pragma once
// What mouse presses, releases and moves over the view do to the camera. The
// view's handlers call these and request a repaint (without erasing) when a
// step says so; drawing waits for the paint, so fast moves merge into fewer
// frames.

#include "render/DragState.h"

/// A button pressed at (x, y): the drag starts there. A press during a drag
/// (its release was missed) restarts it from the new position.
void BeginDrag(DragState& drag, int x, int y);

/// The button released over the view: the drag ends; its last position stays.
void EndDrag(DragState& drag);

/// The turning step of a left drag moving to (x, y): one degree per two pixels,
/// each axis truncated toward zero per message, so an odd pixel is dropped.
/// The position advances even when the step turns nothing. Returns whether a
/// repaint is wanted: true whenever the drag is active, false (and nothing
/// changes) when it is not.
bool TurnStep(DragState& left, int x, int y, double& angleY, double& angleX);

/// The distance step of a right drag moving to (x, y): ten model units per
/// pixel downwards; horizontal movement changes nothing. The distance has no
/// limit and may become zero or negative. Returns whether a repaint is wanted,
/// as TurnStep does.
bool ZoomStep(DragState& right, int x, int y, double& distance);

/// A mouse move to (x, y): the turning step first, then the distance step.
/// Only the active flags decide which apply, not the buttons held now. The
/// angles are in degrees, the distance in model units. Returns whether either
/// step wants a repaint.
bool DragMove(DragState& left, DragState& right, int x, int y, double& angleY, double& angleX,
              double& distance);
