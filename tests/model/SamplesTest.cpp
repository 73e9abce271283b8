#include "model/Model.h"

#include "ModelTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <numeric>
#include <string>
#include <utility>

// The bundled samples load, and every closed surface among them faces out:
// each piece is a closed surface whose edges are each walked once in each
// direction (so neighbouring faces agree), and the volume it encloses is
// positive (so they agree on pointing outward).

namespace {

std::string Sample(const char* name) {
    return std::string(KOVO_SAMPLES) + "/" + name;
}

std::vector<const Vertex*> Corners(const Face& face) {
    std::vector<const Vertex*> corners{face.a, face.b, face.c};
    if (face.d) {
        corners.push_back(face.d);
    }
    return corners;
}

// Pieces are the groups of vertices joined through faces.
class Pieces {
public:
    const Vertex* Find(const Vertex* v) {
        while (m_parent.count(v) && m_parent[v] != v) {
            v = m_parent[v];
        }
        return v;
    }
    void Join(const Vertex* a, const Vertex* b) { m_parent[Find(a)] = Find(b); }

private:
    std::map<const Vertex*, const Vertex*> m_parent;
};

double SignedVolume(const Vertex& a, const Vertex& b, const Vertex& c) {
    return (double(a.x) * (double(b.y) * c.z - double(b.z) * c.y) -
            double(a.y) * (double(b.x) * c.z - double(b.z) * c.x) +
            double(a.z) * (double(b.x) * c.y - double(b.y) * c.x)) /
           6.0;
}

void ExpectClosedAndOutward(const Model& model) {
    std::map<std::pair<const Vertex*, const Vertex*>, int> directedEdges;
    Pieces pieces;
    for (const Face* face : Faces(model)) {
        const auto corners = Corners(*face);
        for (std::size_t i = 0; i < corners.size(); ++i) {
            const Vertex* from = corners[i];
            const Vertex* to = corners[(i + 1) % corners.size()];
            ++directedEdges[{from, to}];
            pieces.Join(from, to);
        }
    }
    for (const auto& [edge, uses] : directedEdges) {
        EXPECT_EQ(uses, 1) << "an edge walked twice the same way";
        EXPECT_EQ(directedEdges.count({edge.second, edge.first}), 1u) << "an open edge";
    }
    std::map<const Vertex*, double> volumes;
    for (const Face* face : Faces(model)) {
        const auto c = Corners(*face);
        double volume = SignedVolume(*c[0], *c[1], *c[2]);
        if (c.size() == 4) {
            volume += SignedVolume(*c[0], *c[2], *c[3]);
        }
        volumes[pieces.Find(face->a)] += volume;
    }
    for (const auto& piece : volumes) {
        EXPECT_GT(piece.second, 0.0) << "a piece turned inside out";
    }
}

} // namespace

TEST(SamplesTest, HouseIsASurfaceOfQuadrilateralsAndTrianglesFacingOut) {
    Model model;
    ASSERT_TRUE(model.Open(Sample("dom.dat")));
    EXPECT_EQ(model.type, 1);
    int quads = 0;
    int triangles = 0;
    for (const Face* face : Faces(model)) {
        (face->d ? quads : triangles) += 1;
        const double length = std::sqrt(double(face->nx) * face->nx + double(face->ny) * face->ny +
                                        double(face->nz) * face->nz);
        EXPECT_NEAR(length, 1.0, 1e-6);
    }
    EXPECT_GT(quads, 0);
    EXPECT_GT(triangles, 0);
    ExpectClosedAndOutward(model);
}

TEST(SamplesTest, EverySampleLoads) {
    for (const char* name : {"stvorsten.dat", "kocka.dat"}) {
        Model model;
        EXPECT_TRUE(model.Open(Sample(name))) << name;
        EXPECT_EQ(model.type, 0) << name;
    }
    for (const char* name : {"pyramida.dat", "gula.dat", "torus.dat"}) {
        Model model;
        ASSERT_TRUE(model.Open(Sample(name))) << name;
        EXPECT_EQ(model.type, 1) << name;
        ExpectClosedAndOutward(model);
    }
}
