#pragma once
// Thumbnails of models for file managers.

#include "render/RgbaImage.h"

class Model;

/// The largest thumbnail side accepted, in pixels.
constexpr int kMaxThumbnailSize = 1024;

/// The thumbnail of model whose longer side is size pixels (1 to
/// kMaxThumbnailSize, asserted): the model from the viewer's initial angles,
/// drawn by the viewer's own steps but from far enough back that all of it
/// shows, cut to the part it covers, so that its aspect is the model's. A
/// surface model is drawn at twice the size and scaled down, which smooths its
/// edges; the one-pixel lines of a wire model are drawn at the size itself. The
/// background is clear. A model that covers fewer pixels than size even so (a
/// single point, say) keeps its drawn size. Returns an empty picture (width 0)
/// when the model draws nothing. Throws host::HeadlessGlError when no context
/// can be made.
RgbaImage MakeThumbnail(const Model& model, int size);

/// The distance from the eye at which every vertex of model, seen from the
/// initial angles, lies inside a square picture with share of its half-width
/// to spare on the nearer edge, and nothing is nearer than the near plane.
/// A model too deep for the far plane gets the farthest distance that keeps
/// all of it in front of the far plane.
double DistanceToShowAll(const Model& model, double share);
