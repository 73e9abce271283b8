#pragma once
// Pictures of the scene made without a window, and without a display server.

#include "render/RgbaImage.h"
#include "render/ViewSettings.h"

class Model;

/// The widest and tallest buffer without a window that every renderer makes;
/// a larger picture is drawn in parts of at most this size.
constexpr int kPictureTileSide = 4096;

/// Draws model into a new off-screen context as the view shows it with these
/// settings, by the view's own steps: the view's projection and state for the
/// size, the display modes, and DrawScene. Returns the frame, whose
/// background is black with alpha 0 and whose model and objects have alpha
/// 255. Under the same renderer the colours equal, pixel for pixel, what the
/// view presents at that size and camera. A picture wider or taller than
/// tileSide is drawn in parts of at most tileSide square, each through the
/// whole picture's viewport, moved so that each piece falls on the buffer; as
/// each part is rasterised on its own, the rounding of a few edge pixels may
/// differ from a picture drawn whole.
/// Throws host::HeadlessGlError when no context can be made or the renderer
/// cannot place so large a viewport, and std::bad_alloc when the picture does
/// not fit in memory. The settings' size and tileSide must be positive
/// (asserted).
RgbaImage DrawPicture(const Model& model, const ViewSettings& view,
                      int tileSide = kPictureTileSide);
