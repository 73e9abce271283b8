#include "render/ViewVolumeCodes.h"

#include "support/Parallel.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

namespace {

// Four vertices are coded at once in single precision. GCC and Clang turn
// these vector types into the processor's vector instructions, so what is
// left of the work is mostly reading the vertices.
using Lanes = float __attribute__((vector_size(16)));
using LaneMask = std::int32_t __attribute__((vector_size(16)));

// The renderer transforms in single precision, and so does the coding: a
// clip coordinate may be off by a few units in the last place of the largest
// term that makes it. A vertex counts as beyond a side only when it is beyond
// by more than this share of the sum of its terms' sizes: over a hundred
// times what both roundings together can make of it.
constexpr double kSlack = 1e-4;

// Pixels that fragments may reach out of a primitive besides half the width
// of a wide point or line: a smoothed edge. The software renderer clips wide
// points and lines before widening them, but not every renderer does.
constexpr double kExtraPixels = 1.0;

// How far beyond a side of viewportPixels a primitive widened to widest
// pixels may make fragments, as a fraction of the half size.
double Reach(double widest, GLint viewportPixels) {
    return (widest / 2.0 + kExtraPixels) * 2.0 / std::max(viewportPixels, 1);
}

// a x + b y + c z + d for a vertex (x, y, z).
struct Row {
    float a = 0.0f;
    float b = 0.0f;
    float c = 0.0f;
    float d = 0.0f;

    Lanes At(Lanes x, Lanes y, Lanes z) const { return a * x + b * y + c * z + d; }
    bool IsFinite() const {
        return std::isfinite(a) && std::isfinite(b) && std::isfinite(c) && std::isfinite(d);
    }
};

// Each side as the row whose value exceeds the slack where a vertex lies
// beyond that side, and the slack as a row over the sizes of the coordinates.
// Tested in homogeneous coordinates, a vertex behind the eye (w below 0) is
// judged rightly as well: the volume widened by reach is
// -(1 + reach) w <= x <= (1 + reach) w, and so on, and a primitive whose
// corners all fail one of those tests lies wholly outside it.
struct Sides {
    std::array<Row, 6> beyond;
    Row slack;

    bool AreFinite() const {
        return slack.IsFinite() && std::all_of(beyond.begin(), beyond.end(),
                                               [](const Row& row) { return row.IsFinite(); });
    }
};

Sides SidesOf(const ViewVolumeCodes::Volume& volume) {
    const std::array<double, 16>& m = volume.clip;
    const auto row = [&m](int r) {
        return std::array<double, 4>{m[r], m[4 + r], m[8 + r], m[12 + r]};
    };
    const auto combine = [](double p, const std::array<double, 4>& u, double q,
                            const std::array<double, 4>& v) {
        return Row{static_cast<float>(p * u[0] + q * v[0]), static_cast<float>(p * u[1] + q * v[1]),
                   static_cast<float>(p * u[2] + q * v[2]),
                   static_cast<float>(p * u[3] + q * v[3])};
    };
    const std::array<double, 4> x = row(0), y = row(1), z = row(2), w = row(3);
    const double wx = 1.0 + volume.reachX, wy = 1.0 + volume.reachY;
    Sides sides;
    sides.beyond = {combine(-1, x, -wx, w), combine(1, x, -wx, w), combine(-1, y, -wy, w),
                    combine(1, y, -wy, w),  combine(-1, z, -1, w), combine(1, z, -1, w)};
    // The comparisons scale the w terms by up to 1 + reach: so does their error.
    const double scale = kSlack * (2.0 + std::max(volume.reachX, volume.reachY));
    std::array<double, 4> sizes{};
    for (std::size_t i = 0; i < m.size(); ++i) {
        sizes[i / 4] += scale * std::fabs(m[i]); // i / 4 is the column, the coordinate
    }
    sides.slack = Row{static_cast<float>(sizes[0]), static_cast<float>(sizes[1]),
                      static_cast<float>(sizes[2]), static_cast<float>(sizes[3])};
    return sides;
}

Lanes Size(Lanes value) {
    return reinterpret_cast<Lanes>(reinterpret_cast<LaneMask>(value) & 0x7fffffff);
}

// The codes of four vertices.
LaneMask CodesOf(const Sides& sides, Lanes x, Lanes y, Lanes z) {
    const Lanes slack = sides.slack.At(Size(x), Size(y), Size(z));
    LaneMask codes{};
    for (int side = 0; side < 6; ++side) {
        codes |= (sides.beyond[side].At(x, y, z) > slack) & (1 << side);
    }
    return codes;
}

// Codes vertices[begin, end) of the count of them into codes[begin, end).
void CodeRange(const Sides& sides, const Vertex* vertices, std::size_t count, std::size_t begin,
               std::size_t end, std::uint8_t* codes) {
    for (std::size_t i = begin; i < end; i += 4) {
        // Past the end, the last vertex stands in for the missing ones.
        const Vertex& a = vertices[i];
        const Vertex& b = vertices[std::min(i + 1, count - 1)];
        const Vertex& c = vertices[std::min(i + 2, count - 1)];
        const Vertex& d = vertices[std::min(i + 3, count - 1)];
        const LaneMask lanes = CodesOf(sides, Lanes{float(a.x), float(b.x), float(c.x), float(d.x)},
                                       Lanes{float(a.y), float(b.y), float(c.y), float(d.y)},
                                       Lanes{float(a.z), float(b.z), float(c.z), float(d.z)});
        for (std::size_t lane = 0; lane < 4 && i + lane < end; ++lane) {
            codes[i + lane] = static_cast<std::uint8_t>(lanes[lane]);
        }
    }
}

} // namespace

ViewVolumeCodes::Volume ViewVolumeCodes::CurrentVolume() {
    std::array<double, 16> modelview{};
    std::array<double, 16> projection{};
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview.data());
    glGetDoublev(GL_PROJECTION_MATRIX, projection.data());
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    GLfloat pointSize = 1.0f;
    GLfloat lineWidth = 1.0f;
    glGetFloatv(GL_POINT_SIZE, &pointSize);
    glGetFloatv(GL_LINE_WIDTH, &lineWidth);

    Volume volume;
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < 4; ++row) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k) {
                sum += projection[k * 4 + row] * modelview[column * 4 + k];
            }
            volume.clip[column * 4 + row] = sum;
        }
    }
    const double widest = std::max(pointSize, lineWidth);
    volume.reachX = Reach(widest, viewport[2]);
    volume.reachY = Reach(widest, viewport[3]);
    return volume;
}

void ViewVolumeCodes::Compute(const Volume& volume, const Vertex* vertices, std::size_t count) {
    m_codes.resize(count);
    const Sides sides = SidesOf(volume);
    if (!sides.AreFinite()) { // a NaN or an overflow anywhere: no side can be trusted
        std::fill(m_codes.begin(), m_codes.end(), std::uint8_t{0});
        return;
    }
    // In ranges shared out among the cores: a large mesh's first frame waits
    // for the codes with the other core idle. A multiple of four vertices,
    // and of a cache line of codes.
    constexpr std::size_t kRange = 16384;
    RunInRanges(count, kRange, AvailableProcessors(), [&](std::size_t begin, std::size_t end) {
        CodeRange(sides, vertices, count, begin, end, m_codes.data());
    });
}
