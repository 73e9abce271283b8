#pragma once
// The display commands of the menu. Each makes one change that lasts for the
// whole run and shows at the next paint; none draws or presents by itself (the
// document draws a frame after the toggle and the shading commands). Without a
// current context the OpenGL changes are skipped; the toggle still flips.

/// Flips g_showReferenceObjects and returns its new value.
bool ToggleReferenceObjects();
/// Polygons, front and back, drawn as their corner points.
void ShowPoints();
/// Polygons, front and back, drawn as outlines.
void ShowWire();
/// Polygons, front and back, filled (the initial mode).
void ShowSolid();
/// One colour per polygon, that of its last corner.
void ShadeFlat();
/// Colours interpolated between corners (the initial mode).
void ShadeSmooth();
