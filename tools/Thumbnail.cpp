#include "tools/Thumbnail.h"

#include "model/Model.h"
#include "render/DrawingSurface.h"
#include "render/Picture.h"
#include "support/LinkedRecords.h"
#include "tools/ImageScaling.h"
#include "tools/ThumbnailError.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <limits>

namespace {

// Edges are smoothed by drawing each pixel's area as this many pixels across.
// The lines of a wire model are one pixel wide at any size, and would only
// fade, so they are drawn at the size itself.
int Oversampling(const Model& model) {
    return model.type == 0 ? 1 : 2;
}

// A little room around the model, so that no line lies on the picture's edge.
constexpr double kMargin = 0.02;

double Focal() {
    return 1.0 / std::tan(DrawingSurface::kFieldOfView * std::acos(-1.0) / 360.0);
}

// Where an unturned vertex lands on a square picture, in pixels from its middle.
struct Projected {
    double x;
    double y;
};

Projected Project(const Vertex& v, double distance, double pixelsPerUnit) {
    const double scale = pixelsPerUnit / (distance - v.z);
    return {v.x * scale, v.y * scale};
}

double Length(Projected a, Projected b) {
    return std::hypot(b.x - a.x, b.y - a.y);
}

double TriangleArea(Projected a, Projected b, Projected c) {
    return std::abs((b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y)) / 2.0;
}

} // namespace

double DrawingWork(const Model& model, double distance, int side) {
    const double pixelsPerUnit = Focal() * side / 2.0;
    const auto at = [&](const Vertex* v) { return Project(*v, distance, pixelsPerUnit); };
    double work = 0.0;
    ForEachLinked(model.edges, [&](const Edge& e) { work += Length(at(e.a), at(e.b)); });
    ForEachLinked(model.faces, [&](const Face& f) {
        // A quadrilateral is filled as two triangles, whose areas add up even
        // where a twisted one's outline would cancel them.
        work += TriangleArea(at(f.a), at(f.b), at(f.c));
        if (f.d) {
            work += TriangleArea(at(f.a), at(f.c), at(f.d));
        }
    });
    return work;
}

double DistanceToShowAll(const Model& model, double share) {
    const double focal = Focal();
    double fitting = -std::numeric_limits<double>::infinity();
    double nearest = fitting;
    double farthest = std::numeric_limits<double>::infinity();
    ForEachLinked(model.vertices, [&](const Vertex& v) {
        // Unturned, a vertex lies at (x, y, z - distance) from the eye, and
        // shows where focal * |x| / (distance - z) is within 1 - share.
        const double across = std::max(std::abs(v.x), std::abs(v.y));
        fitting = std::max(fitting, v.z + focal * across / (1.0 - share));
        nearest = std::max(nearest, static_cast<double>(v.z));
        farthest = std::min(farthest, static_cast<double>(v.z));
    });
    if (!model.vertices) {
        return ViewSettings().distance;
    }
    const double distance = std::max(fitting, nearest + 2.0 * DrawingSurface::kNearPlane);
    return std::min(distance, farthest + DrawingSurface::kFarPlane - 1.0);
}

// Throws ThumbnailError when drawing the model as view would take long.
static void CheckDrawingBudget(const Model& model, const ViewSettings& view) {
    const int primitives = model.faceCount + model.edgeCount;
    if (primitives > kMaxPrimitives) {
        throw ThumbnailError("the model has " + std::to_string(primitives) +
                             " faces and edges, more than a thumbnail draws");
    }
    const double overdraw = DrawingWork(model, view.distance, view.width) /
                            (static_cast<double>(view.width) * view.height);
    if (overdraw > kMaxOverdraw) {
        throw ThumbnailError("the model covers its picture " +
                             std::to_string(std::lround(overdraw)) +
                             " times over, more than a thumbnail draws");
    }
}

PixelBox ThumbnailBox(const PixelBox& covered, int size) {
    const double scale =
        std::min(1.0, static_cast<double>(size) / std::max(covered.width, covered.height));
    return {0, 0, std::max(1, static_cast<int>(std::lround(covered.width * scale))),
            std::max(1, static_cast<int>(std::lround(covered.height * scale)))};
}

RgbaImage MakeThumbnail(const Model& model, int size) {
    assert(size >= 1 && size <= kMaxThumbnailSize);
    ViewSettings view;
    view.width = size * Oversampling(model);
    view.height = view.width;
    view.distance = DistanceToShowAll(model, kMargin);
    CheckDrawingBudget(model, view);
    const RgbaImage drawn = DrawPicture(model, view);
    const std::optional<PixelBox> covered = CoveredBox(drawn);
    if (!covered) {
        throw ThumbnailError("the model shows nothing to draw");
    }
    const PixelBox scaled = ThumbnailBox(*covered, size);
    return ScaleDown(Crop(drawn, *covered), scaled.width, scaled.height);
}
