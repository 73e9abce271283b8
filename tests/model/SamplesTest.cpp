#include "model/Model.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>

using namespace std::string_literals;

// Six times the signed volume of the tetrahedron of the origin and a, b, c.
static double Volume(const Vertex& a, const Vertex& b, const Vertex& c) {
    return a.x * (double(b.y) * c.z - double(b.z) * c.y) +
           a.y * (double(b.z) * c.x - double(b.x) * c.z) +
           a.z * (double(b.x) * c.y - double(b.y) * c.x);
}

// The closed samples face outward: each edge is walked once each way, so
// neighbouring faces agree, and each piece of a surface (its vertices joined
// through faces) encloses a positive volume, so they agree on outward.
TEST(SamplesTest, SamplesLoadAndClosedOnesFaceOutward) {
    for (const char* name :
         {"stvorsten.dat", "kocka.dat", "dom.dat", "pyramida.dat", "gula.dat", "torus.dat"}) {
        Model model;
        ASSERT_TRUE(model.Open(KOVO_SAMPLES "/"s + name)) << name;
        EXPECT_EQ(model.type, name[0] == 's' || name[0] == 'k' ? 0 : 1) << name;
        std::map<std::pair<const Vertex*, const Vertex*>, int> walked;
        std::map<const Vertex*, const Vertex*> up; // towards the root of a piece
        const auto root = [&](const Vertex* v) {
            while (up.count(v) && up[v] != v) {
                v = up[v];
            }
            return v;
        };
        std::vector<std::pair<const Vertex*, double>> volumes;
        for (const Face* f = model.faces; f; f = f->next) {
            const Vertex* c[] = {f->a, f->b, f->c, f->d ? f->d : f->c};
            for (int i = 0; i < 4; ++i) {
                const Vertex *p = c[i], *q = c[(i + 1) % 4];
                if (p != q) { // not the repeated last corner of a triangle
                    ++walked[{p, q}];
                    up[root(p)] = root(q);
                    volumes.emplace_back(f->a, Volume(*f->a, *p, *q));
                }
            }
        }
        for (const auto& [edge, uses] : walked) {
            EXPECT_EQ(uses, 1) << name << ": an edge walked twice the same way";
            EXPECT_EQ(walked.count({edge.second, edge.first}), 1u) << name << ": an open edge";
        }
        std::map<const Vertex*, double> pieces;
        for (const auto& [corner, volume] : volumes) {
            pieces[root(corner)] += volume;
        }
        for (const auto& piece : pieces) {
            EXPECT_GT(piece.second, 0.0) << name << ": a piece turned inside out";
        }
    }
}
