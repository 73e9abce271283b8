#include "model/Model.h"
#include "model/ModelLoader.h"
#include "model/ModelText.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <thread>
#include <utility>
#include <vector>

using namespace std::string_literals;

namespace {

// Everything a load leaves: every field of every record, normals bit for bit,
// or the error.
std::string Snapshot(const std::string& text, ModelLoader::Options options) {
    const ModelText bytes = ModelText::FromBytes(text);
    Model model;
    try {
        ModelLoader(bytes, "t.dat", options).LoadInto(model);
    } catch (const ModelFileError& error) {
        return error.what();
    }
    std::map<const Vertex*, int> number{{nullptr, 0}};
    char line[160];
    std::string out;
    std::snprintf(line, sizeof line, "%d %d %d %d %d %d %d\n", model.type, model.vertexCount,
                  model.edgeCount, model.faceCount, model.center.x, model.center.y, model.center.z);
    out += line;
    for (const Vertex* v = model.vertices; v; v = v->next) {
        number.emplace(v, static_cast<int>(number.size()));
        std::snprintf(line, sizeof line, "v %d %d %d %a %a %a\n", v->x, v->y, v->z, v->nx, v->ny,
                      v->nz);
        out += line;
    }
    for (const Edge* e = model.edges; e; e = e->next) {
        out +=
            "e " + std::to_string(number.at(e->a)) + " " + std::to_string(number.at(e->b)) + "\n";
    }
    for (const Face* f = model.faces; f; f = f->next) {
        std::snprintf(line, sizeof line, "f %d %d %d %d %a %a %a\n", number.at(f->a),
                      number.at(f->b), number.at(f->c), number.at(f->d), f->nx, f->ny, f->nz);
        out += line;
    }
    return out;
}

// Reading ahead in pieces of a few bytes on several threads, or on one, must
// give what reading in order gives.
void ExpectSameReadAhead(const std::string& text) {
    const std::string inOrder = Snapshot(text, ModelLoader::Options{1, 0});
    for (const ModelLoader::Options& options :
         {ModelLoader::Options{1, 1}, ModelLoader::Options{3, 1}, ModelLoader::Options{2, 7},
          ModelLoader::Options{4, 40}}) {
        ASSERT_EQ(Snapshot(text, options), inOrder)
            << text << "\nthreads " << options.threads << ", pieces of " << options.pieceBytes;
    }
}

// A generator whose every draw is the same on every platform.
class Draws {
public:
    explicit Draws(unsigned seed) : m_engine(seed) {}
    unsigned Below(unsigned n) { return static_cast<unsigned>(m_engine() % n); }
    bool OneIn(unsigned n) { return Below(n) == 0; }

private:
    std::mt19937 m_engine;
};

std::string Coordinate(Draws& draws) {
    const std::string forms[] = {
        std::to_string(int(draws.Below(2000)) - 1000) + "." + std::to_string(draws.Below(1000)),
        std::to_string(int(draws.Below(19)) - 9), "0",
        std::to_string(draws.Below(9) + 1) + "e-" + std::to_string(draws.Below(3))};
    return forms[draws.Below(4)];
}

std::string Element(Draws& draws, bool wire, unsigned n) {
    const auto index = [&] { return std::to_string(draws.Below(n + 1)); };
    if (wire) {
        return index() + " " + index();
    }
    std::string face = index() + " " + index() + " " + index();
    const std::string tails[] = {"",
                                 "",
                                 " " + index(),
                                 std::string(15 + draws.Below(10), ' ') + index(),
                                 " front",
                                 " " + index() + " " + index()};
    return face + tails[draws.Below(6)];
}

// A model with its lines rearranged now and then: blank lines, records joined
// or split, blanks in front.
std::vector<std::string> Lines(Draws& draws) {
    const bool wire = draws.OneIn(4);
    const unsigned n = 1 + draws.Below(40), m = 1 + draws.Below(60);
    std::vector<std::string> lines{wire ? "0" : "1", std::to_string(n) + " " + std::to_string(m)};
    for (unsigned i = 0; i < n; ++i) {
        lines.push_back(Coordinate(draws) + " " + Coordinate(draws) + " " + Coordinate(draws));
    }
    for (unsigned i = 0; i < m + draws.Below(3); ++i) {
        lines.push_back(Element(draws, wire, n));
    }
    for (unsigned change = draws.Below(4); change > 0; --change) {
        const std::size_t at = 1 + draws.Below(static_cast<unsigned>(lines.size() - 1));
        const std::string changes[] = {"", lines[at] + " " + lines[at - 1], "\t" + lines[at]};
        lines[at] = changes[draws.Below(3)];
    }
    return lines;
}

// The lines joined by line feeds or CR LF, now and then a byte changed,
// removed, or a Ctrl+Z or an end put in.
std::string Damaged(Draws& draws, const std::vector<std::string>& lines) {
    const std::string ends[] = {"\n", "\r\n", "\r\r\n"};
    std::string text;
    for (const std::string& line : lines) {
        text += line + ends[draws.OneIn(3) ? draws.Below(3) : 0];
    }
    if (draws.OneIn(3)) {
        const std::size_t at = draws.Below(static_cast<unsigned>(text.size()));
        const std::string damage[] = {"\x1a", "x", "08", "\n", "#", "1e40"};
        text.insert(at, damage[draws.Below(6)]);
    }
    if (draws.OneIn(5)) {
        text.resize(draws.Below(static_cast<unsigned>(text.size())));
    }
    return text;
}

// Whether every face's normal is, to the bit, the one the face itself computes
// from its corners: the loader scales normals several at a time, in runs.
bool NormalsAreTheFacesOwn(const Model& model) {
    for (const Face* f = model.faces; f; f = f->next) {
        Face alone = *f;
        alone.ComputeNormal();
        const float loaded[] = {f->nx, f->ny, f->nz}, own[] = {alone.nx, alone.ny, alone.nz};
        if (std::memcmp(loaded, own, sizeof loaded) != 0) {
            return false;
        }
    }
    return true;
}

} // namespace

TEST(ModelLoaderReadAheadTest, LayoutsThatBreakOneRecordPerLine) {
    const std::string square = "0 0 0\n1 0 0\n1 1 0\n0 1 0\n0 0 1\n";
    for (const std::string& text : std::vector<std::string>{
             "1\n5 4\n" + square + "1 2 3\n1 3 4\n2 3 4 5\n5 4 3\n",
             "1 5 4 0 0 0\n1 0 0\n1 1 0\n0 1 0\n0 0 1\n1 2 3\n1 3 4\n2 3 4 5\n5 4 3",
             "1\n5 4\n0 0 0 1\n0 0\n1 1 0\n0 1 0 0\n0 1\n1 2 3 1 3 4\n2 3\n4 5\n5 4 3\n",
             "1\r\n5 4\r\n" + square + "1 2 3\r\n1 3 4" + std::string(18, ' ') +
                 "5\r\n2 3 4\r\n5 4 3\r\n",
             "1\n5 4\n" + square + "1 2 3" + std::string(25, ' ') + "4\n2 3\n3 4 5\n1 2 3\n1 2 3\n",
             "1\n5 4\n" + square + "\n\n1 2 3\n\n1 3 4\n2 3 4 5\n\n5 4 3\n# after the model\n",
             "0\n5 3\n" + square + "1 2\n2 3 3\n4\n5 1\n",
             // Broken: in a vertex, in a tail, by Ctrl+Z, by the end.
             "1\n5 4\n0 0 0\n1 0 0\n1 x 0\n0 1 0\n0 0 1\n1 2 3\n1 3 4\n2 3 4\n5 4 3\n",
             "1\n5 4\n" + square + "1 2 3\n1 3 4 9\n2 3 4\n5 4 3\n",
             "1\n5 4\n" + square + "1 2 3\n1 3\x1a 4\n2 3 4\n5 4 3\n",
             "1\n5 4\n" + square + "1 2 3\n1 3 4\n2 3 4\n5 4 3\x1a",
             "1\n5 4\n" + square + "1 2 3\n1 3 4\n2 3 4\n",
             "1\n5 4\n1e39 0 0\n" + square + "1 2 3\n",
             "0\n2 1\n0 1e-40 0\n0 0 -2e-40\n1 2\n",
         }) {
        ExpectSameReadAhead(text);
    }
}

TEST(ModelLoaderReadAheadTest, RandomLayoutsAndDamage) {
    Draws draws(20240611);
    for (int i = 0; i < 400; ++i) {
        ExpectSameReadAhead(Damaged(draws, Lines(draws)));
    }
}

// Models of up to a few runs of faces, some of them flat or quadrilaterals,
// read in order and ahead in pieces of varied lengths.
TEST(ModelLoaderReadAheadTest, FaceNormalsAreTheFacesOwnHoweverTheFacesAreRead) {
    Draws draws(20261209);
    for (int i = 0; i < 40; ++i) {
        const unsigned n = 3 + draws.Below(30), m = 1 + draws.Below(300);
        std::string text = "1\n" + std::to_string(n) + " " + std::to_string(m) + "\n";
        for (unsigned v = 0; v < n; ++v) {
            text += Coordinate(draws) + " " + Coordinate(draws) + " " + Coordinate(draws) + "\n";
        }
        for (unsigned f = 0; f < m; ++f) {
            const auto corner = [&] { return " " + std::to_string(1 + draws.Below(n)); };
            text += corner() + corner() + corner() + (draws.OneIn(4) ? corner() : "") + "\n";
        }
        const ModelText bytes = ModelText::FromBytes(text);
        for (const ModelLoader::Options& options :
             {ModelLoader::Options{1, 0}, ModelLoader::Options{2, 1 + draws.Below(2000)},
              ModelLoader::Options{3, 1 + draws.Below(200)}}) {
            Model model;
            ModelLoader(bytes, "t.dat", options).LoadInto(model);
            ASSERT_TRUE(NormalsAreTheFacesOwn(model)) << text;
        }
    }
}

TEST(ModelLoaderReadAheadTest, TheEndOfReadingIsToldOnceOnTheLoadingThreadAndNeverForARejection) {
    const std::string square = "0 0 0\n1 0 0\n1 1 0\n0 1 0\n0 0 1\n";
    const std::string good = "1\n5 4\n" + square + "1 2 3\n1 3 4\n2 3 4 5\n5 4 3\n";
    const std::string wire = "0\n5 3\n" + square + "1 2\n2 3\n4 5\n";
    const std::string brokenLast = "1\n5 4\n" + square + "1 2 3\n1 3 4\n2 3 4 5\n5 4 x\n";
    const std::string cutShort = "1\n5 4\n" + square + "1 2 3\n";
    for (const auto& [threads, piece] :
         {std::pair{1u, std::size_t{0}}, std::pair{3u, std::size_t{1}}}) {
        for (const auto& [text, expected] : {std::pair{good, 1}, std::pair{wire, 1},
                                             std::pair{brokenLast, 0}, std::pair{cutShort, 0}}) {
            int calls = 0;
            bool onThisThread = true;
            std::string seen;
            const std::thread::id self = std::this_thread::get_id();
            ModelLoader::Options options{threads, piece};
            options.whenRead = [&](const Model& read) {
                ++calls;
                onThisThread = onThisThread && std::this_thread::get_id() == self;
                // Every record, and centred already: the first vertex, the
                // origin in the file, lies opposite the centre.
                seen = std::to_string(read.type) + " " + std::to_string(read.vertexCount) + " " +
                       std::to_string(read.edgeCount + read.faceCount) + " " +
                       std::to_string(read.vertices->x) + " " + std::to_string(read.center.x);
            };
            const ModelText bytes = ModelText::FromBytes(text);
            Model model;
            try {
                ModelLoader(bytes, "t.dat", options).LoadInto(model);
            } catch (const ModelFileError&) {
            }
            EXPECT_EQ(calls, expected) << text << "\nthreads " << threads;
            EXPECT_TRUE(onThisThread);
            if (calls == 1) {
                EXPECT_EQ(seen, text == wire ? "0 5 3 -400 400" : "1 5 4 -400 400");
            }
        }
    }
}

// The text of a wire model of these vertices and one edge.
std::string WireModelOf(const std::vector<std::string>& coordinates) {
    std::string text = "0\n" + std::to_string(coordinates.size() / 3) + " 1\n";
    for (std::size_t i = 0; i < coordinates.size(); ++i) {
        text += coordinates[i] + (i % 3 == 2 ? "\n" : " ");
    }
    return text + "1 1\n";
}

// A load centres its vertices on every core; the centre and the positions must
// be those that centring the scaled vertices one by one in list order gives,
// whose partial means of blocks of ten round as they are added. Counts around
// the blocks and the ranges that the cores share out.
TEST(ModelLoaderReadAheadTest, CentringOnEveryCoreGivesTheCentreOfCentringInOrder) {
    Draws draws(20261209);
    std::vector<std::string> texts;
    for (const int count : {1, 9, 10, 11, 20479, 20485, 45007}) {
        std::vector<std::string> coordinates;
        for (int i = 0; i < 3 * count; ++i) {
            coordinates.push_back(std::to_string(int(draws.Below(200001)) - 100000) + "." +
                                  std::to_string(draws.Below(1000)));
        }
        texts.push_back(WireModelOf(coordinates));
    }
    // Every vertex at (1000, 1000, 1000) once scaled, in 2^13 blocks: each
    // partial mean is 1000 / 2^13, exactly, so the centre is exactly 1000,
    // and a block left out of any range would make it 999.
    texts.push_back(WireModelOf(std::vector<std::string>(3 * 10 * 8192, "1")));
    // Blocks whose x add up to -1537, -478, -79 and 3774 (at a scale of 1):
    // the exact mean is 42, but the partial means added in list order come to
    // just below it, and the centre is 41. In the opposite order they make 42.
    std::vector<std::string> blocks(3 * 40, "0");
    for (const auto& [vertex, x] :
         {std::pair{0, "-1000"}, std::pair{1, "-537"}, std::pair{10, "-478"}, std::pair{20, "-79"},
          std::pair{30, "1000"}, std::pair{31, "1000"}, std::pair{32, "1000"},
          std::pair{33, "774"}}) {
        blocks[3 * vertex] = x;
    }
    texts.push_back(WireModelOf(blocks));
    for (const std::string& text : texts) {
        const int count = std::stoi(text.substr(2));
        const ModelText bytes = ModelText::FromBytes(text);
        Model loaded;
        ModelLoader(bytes, "t.dat", ModelLoader::Options{3, 0}).LoadInto(loaded);
        const Model::IntVector center = loaded.center;
        std::vector<Model::IntVector> centred;
        for (Vertex* v = loaded.vertices; v; v = v->next) {
            centred.push_back({v->x, v->y, v->z});
            v->x += center.x;
            v->y += center.y;
            v->z += center.z;
        }
        loaded.Center();
        EXPECT_EQ(std::vector<int>({loaded.center.x, loaded.center.y, loaded.center.z}),
                  std::vector<int>({center.x, center.y, center.z}))
            << count;
        EXPECT_TRUE(count != 81920 || center.x == 1000) << center.x;
        EXPECT_TRUE(text != texts.back() || center.x == 41) << center.x;
        std::size_t i = 0;
        for (const Vertex* v = loaded.vertices; v; v = v->next, ++i) {
            ASSERT_EQ(v->x, centred[i].x) << count << ", vertex " << i;
            ASSERT_EQ(v->y, centred[i].y) << count << ", vertex " << i;
            ASSERT_EQ(v->z, centred[i].z) << count << ", vertex " << i;
        }
    }
}
