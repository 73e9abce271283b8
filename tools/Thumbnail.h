#pragma once
// Thumbnails of models for file managers.

#include "render/RgbaImage.h"
#include "tools/ImageScaling.h"

class Model;

/// The largest thumbnail side accepted, in pixels.
constexpr int kMaxThumbnailSize = 1024;

/// The thumbnail of model whose longer side is size pixels (1 to
/// kMaxThumbnailSize, asserted): the model from the viewer's initial angles,
/// drawn by the viewer's own steps but from far enough back that all of it
/// shows, cut to the area it covers, so that its aspect is the model's. A
/// surface model is drawn at twice the size and scaled down, which smooths its
/// edges; the one-pixel lines of a wire model are drawn at the size itself. The
/// background is clear. A model that covers fewer pixels than size even so (a
/// single point, say) keeps its drawn size. So that a hostile file cannot keep
/// the renderer busy for long, throws ThumbnailError before drawing when the
/// model has more than kMaxPrimitives faces and edges, or when they would
/// cover the picture more than kMaxOverdraw times over; and after drawing when
/// the model shows nothing. Throws host::HeadlessGlError when no context can
/// be made.
RgbaImage MakeThumbnail(const Model& model, int size);

/// The size to which a drawing whose model covers covered (its width and
/// height) is scaled for a thumbnail of size: the longer side becomes size
/// exactly, the shorter the nearest whole share of it (a half rounded up), at
/// least 1 pixel. A drawing no larger than size keeps its own size.
PixelBox ThumbnailBox(const PixelBox& covered, int size);

/// The most faces and edges a thumbnail draws, five times the 200,000
/// triangles that it draws in a fraction of a second.
constexpr int kMaxPrimitives = 1000000;

/// How many times over the faces and lines of a model may cover a thumbnail's
/// picture. A closed surface covers its outline about twice; a thousand
/// copies of a face, each filling the picture, would cover it a thousand times.
constexpr double kMaxOverdraw = 128.0;

/// The pixels that drawing model as a side x side picture from the initial
/// angles at distance would fill: the projected area of every face and the
/// projected length of every edge, clipped parts counted too.
double DrawingWork(const Model& model, double distance, int side);

/// The distance from the eye at which every vertex of model, seen from the
/// initial angles, lies inside a square picture with share of its half-width
/// to spare on the nearer edge, and nothing is nearer than the near plane.
/// A model too deep for the far plane gets the farthest distance that keeps
/// all of it in front of the far plane.
double DistanceToShowAll(const Model& model, double share);
