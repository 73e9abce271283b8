#pragma once
// Pictures of the scene made without a window, and without a display server.

#include "render/RgbaImage.h"
#include "render/ViewSettings.h"

class Model;

/// Draws model into a new off-screen context as the view shows it with these
/// settings, by the view's own steps: the view's projection and state for the
/// size, the display modes, and DrawScene. Returns the frame, whose
/// background is black with alpha 0 and whose model and objects have alpha
/// 255. Under the same renderer the colours equal, pixel for pixel, what the
/// view presents at that size and camera. Throws host::HeadlessGlError when no
/// context can be made, and std::bad_alloc when the picture does not fit in
/// memory. The settings' size must be positive (asserted).
RgbaImage DrawPicture(const Model& model, const ViewSettings& view);
