#include "tools/Thumbnail.h"

#include "model/Model.h"
#include "render/DrawingSurface.h"
#include "render/Picture.h"
#include "tools/ImageScaling.h"

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

} // namespace

double DistanceToShowAll(const Model& model, double share) {
    const double pi = std::acos(-1.0);
    const double focal = 1.0 / std::tan(DrawingSurface::kFieldOfView * pi / 360.0);
    double fitting = -std::numeric_limits<double>::infinity();
    double nearest = fitting;
    double farthest = std::numeric_limits<double>::infinity();
    for (const Vertex* v = model.vertices; v; v = v->next) {
        // Unturned, a vertex lies at (x, y, z - distance) from the eye, and
        // shows where focal * |x| / (distance - z) is within 1 - share.
        const double across = std::max(std::abs(v->x), std::abs(v->y));
        fitting = std::max(fitting, v->z + focal * across / (1.0 - share));
        nearest = std::max(nearest, static_cast<double>(v->z));
        farthest = std::min(farthest, static_cast<double>(v->z));
    }
    if (!model.vertices) {
        return ViewSettings().distance;
    }
    const double distance = std::max(fitting, nearest + 2.0 * DrawingSurface::kNearPlane);
    return std::min(distance, farthest + DrawingSurface::kFarPlane - 1.0);
}

RgbaImage MakeThumbnail(const Model& model, int size) {
    assert(size >= 1 && size <= kMaxThumbnailSize);
    ViewSettings view;
    view.width = size * Oversampling(model);
    view.height = view.width;
    view.distance = DistanceToShowAll(model, kMargin);
    const RgbaImage drawn = DrawPicture(model, view);
    const std::optional<PixelBox> covered = CoveredBox(drawn);
    if (!covered) {
        return {};
    }
    const double scale =
        std::min(1.0, static_cast<double>(size) / std::max(covered->width, covered->height));
    return ScaleDown(Crop(drawn, *covered),
                     std::max(1, static_cast<int>(std::lround(covered->width * scale))),
                     std::max(1, static_cast<int>(std::lround(covered->height * scale))));
}
