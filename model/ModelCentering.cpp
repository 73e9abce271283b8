#include "model/Model.h"

#include "model/Face.h"
#include "model/UnitVector.h"
#include "model/Vertex.h"
#include "model/VertexScaling.h"
#include "support/LinkedRecords.h"
#include "support/Parallel.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace {
struct Sums {
    std::int64_t x = 0;
    std::int64_t y = 0;
    std::int64_t z = 0;

    void Add(const Vertex& vertex) {
        x += vertex.x;
        y += vertex.y;
        z += vertex.z;
    }
};

// The mean of count positions, added one at a time in list order, as a sum of
// partial means: the sums of whole blocks of ten, each divided by count as it
// ends, and then the sum of whatever follows the last whole block. Partial
// means keep every integer sum small.
class PartialMeans {
public:
    static constexpr std::int32_t kBlock = 10;

    explicit PartialMeans(std::int32_t count) : m_count(count), m_blocksLeft(count / kBlock) {}

    void Add(const Vertex& vertex) {
        m_sums.Add(vertex);
        if (m_blocksLeft > 0 && ++m_inBlock == kBlock) {
            EndBlock();
        }
    }

    // Adds the sums of the next whole block at once, as ten Adds would. Only
    // between blocks, and only while a whole block is left.
    void AddBlock(const Sums& sums) {
        assert(m_inBlock == 0 && m_blocksLeft > 0 && "a whole block is due");
        m_sums = sums;
        EndBlock();
    }

    // A list that ends inside a block leaves that block's sum as the rest,
    // which is added last all the same.
    double X() const { return static_cast<double>(m_sums.x) / m_count + m_x; }
    double Y() const { return static_cast<double>(m_sums.y) / m_count + m_y; }
    double Z() const { return static_cast<double>(m_sums.z) / m_count + m_z; }

private:
    void EndBlock() {
        m_x += static_cast<double>(m_sums.x) / m_count;
        m_y += static_cast<double>(m_sums.y) / m_count;
        m_z += static_cast<double>(m_sums.z) / m_count;
        m_sums = Sums{};
        m_inBlock = 0;
        --m_blocksLeft;
    }

    double m_count = 1.0;
    std::int32_t m_blocksLeft = 0;
    int m_inBlock = 0;
    Sums m_sums;
    double m_x = 0.0;
    double m_y = 0.0;
    double m_z = 0.0;
};
} // namespace

// Loaded coordinates keep the mean far inside the range; the clamp only keeps
// hand-built models with extreme coordinates defined.
static std::int32_t TruncateToInt32(double value) {
    const double low = std::numeric_limits<std::int32_t>::min();
    const double high = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::fmin(std::fmax(std::trunc(value), low), high));
}

static Model::IntVector Truncated(const PartialMeans& means) {
    return {TruncateToInt32(means.X()), TruncateToInt32(means.Y()), TruncateToInt32(means.Z())};
}

static void Subtract(const Model::IntVector& offset, Vertex& vertex) {
    vertex.x -= offset.x;
    vertex.y -= offset.y;
    vertex.z -= offset.z;
}

void Model::Center() {
    if (vertexCount < 1) {
        return; // no mean to take
    }
    MarkChanged();
    PartialMeans means(vertexCount);
    ForEachLinked(vertices, [&means](const Vertex& vertex) { means.Add(vertex); });
    center = Truncated(means);
    const IntVector offset = center;
    ForEachLinked(vertices, [offset](Vertex& vertex) { Subtract(offset, vertex); });
}

void Model::ScaleAndCenterArray(float scale, unsigned threads) {
    assert(vertices == m_vertexRecords.Data() && "the vertices that the loader made");
    static_assert(kVerticesPerRange % PartialMeans::kBlock == 0, "ranges of whole blocks");
    MarkChanged();
    const auto count = static_cast<std::size_t>(std::max(vertexCount, 0));
    const std::size_t blocks = count / PartialMeans::kBlock;
    // Each whole block is summed on the thread that scaled it, right after,
    // which spares a pass over the array; the partial means are then added up
    // in list order, as Center adds them.
    std::vector<Sums> blockSums(blocks);
    ScaleVertices(vertices, count, scale, threads, [&](std::size_t begin, std::size_t end) {
        const std::size_t wholeEnd = std::min(end / PartialMeans::kBlock, blocks);
        for (std::size_t i = begin; i < wholeEnd * PartialMeans::kBlock; ++i) {
            blockSums[i / PartialMeans::kBlock].Add(vertices[i]);
        }
    });
    if (count == 0) {
        return;
    }
    PartialMeans means(vertexCount);
    for (const Sums& sums : blockSums) {
        means.AddBlock(sums);
    }
    for (std::size_t i = blocks * PartialMeans::kBlock; i < count; ++i) {
        means.Add(vertices[i]);
    }
    center = Truncated(means);
    const IntVector offset = center;
    RunInRanges(count, kVerticesPerRange, threads, [&](std::size_t begin, std::size_t end) {
        for (std::size_t i = begin; i < end; ++i) {
            Subtract(offset, vertices[i]);
        }
    });
}

// A hand-made face may lack a corner; a loaded one lacks at most the fourth.
static void AddToCorner(Vertex* corner, const Face& face) {
    if (corner) {
        corner->nx += face.nx;
        corner->ny += face.ny;
        corner->nz += face.nz;
    }
}

void Model::ComputeVertexNormals() {
    MarkChanged();
    ForEachLinked(vertices, [](Vertex& vertex) { vertex.nx = vertex.ny = vertex.nz = 0.0f; });
    AddUpVertexNormals();
}

// One pass on the calling thread, the faces' normals added in list order, so
// that every sum is the same to the bit. Summing on every core, each thread
// adding to its own range of vertices, would make every thread read all the
// faces, and take the other cores from everything else.
static void AddUpFaceNormals(Face* faces) {
    ForEachLinked(faces, [](const Face& face) {
        AddToCorner(face.a, face);
        AddToCorner(face.b, face);
        AddToCorner(face.c, face);
        AddToCorner(face.d, face);
    });
}

void Model::AddUpVertexNormals() {
    AddUpFaceNormals(faces);
    ForEachLinked(vertices, [](Vertex& vertex) { vertex.NormalizeNormal(); });
}

// Each vertex's sum is scaled on its own, so sharing them out, and scaling
// four side by side, changes no bit; the first frame of a large model waits
// for the last of them.
void Model::AddUpLoadedVertexNormals() {
    assert(vertices == m_vertexRecords.Data() && "the vertices that the loader made");
    AddUpFaceNormals(faces);
    Vertex* const first = vertices;
    RunInRanges(static_cast<std::size_t>(vertexCount), kVerticesPerRange, AvailableProcessors(),
                [first](std::size_t begin, std::size_t end) {
                    NormalizeNormals(first + begin, end - begin);
                });
}
