#include "model/Model.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

using Position = std::array<int, 3>;
using Direction = std::array<float, 3>;
using Corners = std::array<int, 4>;
using PositionList = std::vector<Position>;
using DirectionList = std::vector<Direction>;
using CornersList = std::vector<Corners>;

Position Center(const Model& model) {
    return {model.center.x, model.center.y, model.center.z};
}

PositionList Positions(const Model& model) {
    PositionList positions;
    for (const Vertex* v = model.vertices; v; v = v->next) {
        positions.push_back({v->x, v->y, v->z});
    }
    return positions;
}

template <typename Record> DirectionList Normals(const Record* head) {
    DirectionList normals;
    for (; head; head = head->next) {
        normals.push_back({head->nx, head->ny, head->nz});
    }
    return normals;
}

/// The edges, then the faces, as the 1-based numbers of their vertices; 0 where
/// an edge or a triangle has none.
CornersList Elements(const Model& model) {
    std::map<const Vertex*, int> number{{nullptr, 0}};
    for (const Vertex* v = model.vertices; v; v = v->next) {
        number.emplace(v, static_cast<int>(number.size()));
    }
    CornersList elements;
    for (const Edge* e = model.edges; e; e = e->next) {
        elements.push_back({number.at(e->a), number.at(e->b), 0, 0});
    }
    for (const Face* f = model.faces; f; f = f->next) {
        elements.push_back({number.at(f->a), number.at(f->b), number.at(f->c), number.at(f->d)});
    }
    return elements;
}

/// Opens text that must load; the test fails with the loader's reason otherwise.
std::unique_ptr<Model> OpenOk(std::string_view text) {
    auto model = std::make_unique<Model>();
    EXPECT_TRUE(model->OpenText(text, "test.dat"))
        << (model->LastError() ? model->LastError()->what() : "");
    return model;
}

constexpr std::string_view kTetrahedron = "0\n4 6\n0 0 0\n2 0 0\n0 2 0\n0 0 2\n"
                                          "1 2\n1 3\n1 4\n2 3\n2 4\n3 4\n";
constexpr std::string_view kPyramid = "1\n5 5\n-2 -2 0\n2 -2 0\n2 2 0\n-2 2 0\n0 0 4\n"
                                      "1 4 3 2\n1 2 5\n2 3 5\n3 4 5\n4 1 5\n";

} // namespace

TEST(ModelLoaderTest, WireTetrahedron) {
    const auto model = OpenOk(kTetrahedron);
    EXPECT_EQ(model->type, 0);
    EXPECT_EQ(model->vertexCount + model->edgeCount + model->faceCount, 4 + 6 + 0);
    EXPECT_EQ(Center(*model), (Position{250, 250, 250}));
    const int f = 750, b = -250;
    EXPECT_EQ(Positions(*model), (PositionList{{b, b, b}, {f, b, b}, {b, f, b}, {b, b, f}}));
    EXPECT_EQ(
        Elements(*model),
        (CornersList{
            {1, 2, 0, 0}, {1, 3, 0, 0}, {1, 4, 0, 0}, {2, 3, 0, 0}, {2, 4, 0, 0}, {3, 4, 0, 0}}));
}

TEST(ModelLoaderTest, SurfacePyramidOfAnyNonZeroTypeAndAnyLayoutOfLines) {
    std::string typeTwo(kPyramid);
    typeTwo[0] = '2';
    const std::string relaid = "\n\n 1 5 5 -2 -2\n\n0 2\n-2 0 2 2 0 -2 2 0\n0 0\n4\n1 4 3 2\n"
                               "1 2 5\n2 3 5\n3 4 5\n4 1 5";
    const int f = 500, b = -200;
    const float s = 0.89442718f, c = 0.44721359f, h = 0.70465672f, z = -0.0831734538f;
    for (const std::string& text : {std::string(kPyramid), typeTwo, relaid}) {
        const auto model = OpenOk(text);
        EXPECT_EQ(model->type, text[0] == '2' ? 2 : 1);
        EXPECT_EQ(model->faceCount, 5);
        EXPECT_EQ(Center(*model), (Position{0, 0, 200}));
        EXPECT_EQ(Positions(*model),
                  (PositionList{{-f, -f, b}, {f, -f, b}, {f, f, b}, {-f, f, b}, {0, 0, 800}}));
        EXPECT_EQ(
            Elements(*model),
            (CornersList{{1, 4, 3, 2}, {1, 2, 5, 0}, {2, 3, 5, 0}, {3, 4, 5, 0}, {4, 1, 5, 0}}));
        EXPECT_EQ(Normals(model->faces),
                  (DirectionList{{0, 0, -1}, {0, -s, c}, {s, 0, c}, {0, s, c}, {-s, 0, c}}));
        EXPECT_EQ(Normals(model->vertices),
                  (DirectionList{{-h, -h, z}, {h, -h, z}, {h, h, z}, {-h, h, z}, {0, 0, 1}}));
    }
}

// A wire model of vertices on the x axis.
static std::string Wire(const std::vector<int>& xs) {
    std::string text = "0\n" + std::to_string(xs.size()) + " 1\n";
    for (int x : xs) {
        text += std::to_string(x) + " 0 0\n";
    }
    return text + "1 2\n";
}

TEST(ModelLoaderTest, ScalingAndCentring) {
    // The partial means of these 25 add up to just under 10.
    const std::vector<int> sumsTo250{1000, -680, 583,  107,  417,  -464, 433, 272, -746,
                                     -709, -903, -909, -87,  -870, 424,  59,  694, 147,
                                     743,  782,  -465, -408, 270,  419,  141};
    const struct {
        std::string text;
        Position center, first, last;
    } cases[] = {
        // 1000/11 rounds down in single precision: 11 scales to 999 and 5.5 to 499.
        {"0\n2 1\n11 0 0\n0 5.5 0\n1 2\n", {499, 249, 0}, {500, -249, 0}, {-499, 250, 0}},
        // Scaled values truncate toward zero: -1.003 * 250 gives -250, not -251.
        {"0\n3 1\n4 0 0\n-3 0 0\n-1.003 0 0\n1 2\n", {0, 0, 0}, {1000, 0, 0}, {-250, 0, 0}},
        {"0\n2 1\n0 -8 0\n0 0 2\n1 2\n", {0, -500, 125}, {0, -500, -125}, {0, 500, 125}},
        {"0\n2 1\n1e-30 0 0\n0 0 0\n1 2\n", {499, 0, 0}, {500, 0, 0}, {-499, 0, 0}},
        // The mean truncates toward zero. It is a sum of partial means over
        // blocks of ten vertices and the remainder.
        {"0\n3 1\n1000 -1000 0\n0 0 0\n0 0 1\n1 2\n",
         {333, -333, 0},
         {667, -667, 0},
         {-333, 333, 1}},
        {Wire({1000, -7, 0, 0, 0, 0, 0, 0, 0, 0}), {99, 0, 0}, {901, 0, 0}, {-99, 0, 0}},
        {Wire(sumsTo250), {9, 0, 0}, {991, 0, 0}, {132, 0, 0}},
    };
    for (const auto& c : cases) {
        const auto model = OpenOk(c.text);
        EXPECT_EQ(Center(*model), c.center) << c.text;
        EXPECT_EQ(Positions(*model).front(), c.first) << c.text;
        EXPECT_EQ(Positions(*model).back(), c.last) << c.text;
    }
}

// Centring follows the list, whatever the count says: blocks of ten while the
// count has them, the rest after them, and a list that ends inside a block
// leaves that block's sum as the rest.
TEST(ModelTest, CentringAHandMadeListLongerOrShorterThanItsCount) {
    const struct {
        std::int32_t count;
        int center;
    } cases[] = {
        {25, 48},  // 12 records of x = 100 over a count of 25: 1200 / 25
        {5, 240},  // no whole block; all 12 in the rest: 1200 / 5
        {10, 120}, // one block of ten and two after it
    };
    for (const auto& c : cases) {
        auto model = OpenOk(Wire(std::vector<int>(12, 0)));
        for (Vertex* v = model->vertices; v; v = v->next) {
            *v = Vertex{100, 0, 0, 0.0f, 0.0f, 0.0f, v->next};
        }
        model->vertexCount = c.count;
        model->Center();
        EXPECT_EQ(Center(*model), (Position{c.center, 0, 0})) << c.count;
        EXPECT_EQ(Positions(*model).back(), (Position{100 - c.center, 0, 0})) << c.count;
    }
}

TEST(ModelLoaderTest, EdgeIndices) {
    const std::pair<std::string, CornersList> cases[] = {
        // 0 and negative indices select the first vertex.
        {"0\n2 2\n1 0 0\n0 1 0\n0 2\n2 -2147483648\n", {{1, 2, 0, 0}, {2, 1, 0, 0}}},
        // 010 is octal, 0x2 hexadecimal; 08 reads as 0 with a stray 8 after the end.
        {"0\n010 1\n1 0 0 2 0 0 3 0 0 4 0 0 5 0 0 6 0 0 7 0 0 8 0 0\n0x2 08\n", {{2, 1, 0, 0}}},
        {"0\n2 1\n1 0 0\n0 1 0\n1 2\n2 1\nnot a model at all, 99999\n", {{1, 2, 0, 0}}},
        {"0\r\n2 1\r\n1 0 0\r\n0 1 0\r\n1 2\x1a garbage", {{1, 2, 0, 0}}},
    };
    for (const auto& [text, edges] : cases) {
        EXPECT_EQ(Elements(*OpenOk(text)), edges) << text;
    }
}

TEST(ModelLoaderTest, FaceLineTails) {
    const std::string b18(18, ' ');
    const Corners tri{1, 2, 3, 0}, quad{1, 2, 3, 4}, next{4, 2, 3, 0};
    const std::pair<std::string, CornersList> cases[] = {
        // The tail is read as one piece of 19 characters: a fourth index starting
        // beyond it, or the piece of one cut off by its end, opens the next face.
        {"1 2 3" + b18 + "4\n", {quad}},
        {"1 2 3" + std::string(19, ' ') + "4\n2 3\n", {tri, next}},
        {"1 2 3" + b18 + "45 1 2\n", {quad, {5, 1, 2, 0}}},
        // A record may span lines; its tail is the rest of the third index's line.
        {"1 2 3    \t\n1 2 3\r\n2 3 4\r\n  1 2\n3 4\n", {tri, tri, {2, 3, 4, 0}, quad}},
        {"2 3 4 0\n0 3 4 -1\n", {{2, 3, 4, 1}, {1, 3, 4, 1}}},
        {"1 2 3 4", {quad}},
        {"1 2 3", {tri}},
        {"1 2 3\x1a 4", {tri}},
        // A carriage return alone ends no line: the tail goes on after it.
        {"1 2 3\r4\n", {quad}},
        {"1 2 3\r\r\n1 2 3\r", {tri, tri}},
    };
    for (const auto& [lines, faces] : cases) {
        // Four corners of a unit square and a fifth point above.
        const auto model = OpenOk("1\n5 " + std::to_string(faces.size()) +
                                  "\n0 0 0\n1 0 0\n1 1 0\n0 1 0\n0 0 1\n" + lines);
        EXPECT_EQ(Elements(*model), faces) << lines;
    }
    // Words after the third or fourth index, 25 blanks, CRLF line ends, Ctrl+Z.
    Model file;
    ASSERT_TRUE(file.Open(KOVO_TEST_DATA "/face-tails.dat"));
    EXPECT_EQ(Elements(file), (CornersList{tri, quad, quad, tri, next, {1, 3, 4, 1}}));
}

TEST(ModelTest, ClearKeepsTypeAndCenterAndTheSameFileLoadsAgain) {
    Model model;
    const std::string path = KOVO_TEST_DATA "/pyramid-crlf.dat";
    ASSERT_TRUE(model.Open(path));
    model.Clear();
    EXPECT_TRUE(!model.vertices && !model.faces && model.vertexCount + model.faceCount == 0);
    EXPECT_EQ(model.LoadedVertices().first, nullptr);
    EXPECT_EQ(model.LoadedVertices().count, 0u);
    model.Center(); // no mean to take
    EXPECT_EQ(model.type, 1);
    EXPECT_EQ(Center(model), (Position{0, 0, 200}));
    ASSERT_TRUE(model.Open(path));
    EXPECT_EQ(Positions(model), Positions(*OpenOk(kPyramid)));
}

TEST(ModelTest, ALoadReplacesTheModelOnlyWhenItSucceedsAndSwapMovesNoRecord) {
    auto model = OpenOk(kPyramid);
    ASSERT_TRUE(model->OpenText(kTetrahedron, "t.dat"));
    EXPECT_EQ(model->type, 0);
    EXPECT_THROW(model->LoadText("0\n2 1\n0 0 0\n", "t.dat"), ModelFileError);
    EXPECT_EQ(model->vertexCount + model->edgeCount + model->faceCount, 10);
    EXPECT_EQ(Positions(*model), Positions(*OpenOk(kTetrahedron)));
    EXPECT_EQ(Elements(*model), Elements(*OpenOk(kTetrahedron)));
    EXPECT_EQ(&model->GetVertex(-7), model->vertices);
    EXPECT_EQ(model->GetVertex(3).y, 750);
    const Vertex* last = &model->GetVertex(4);
    // The loaded array holds the list's records in file order, and stays so
    // when the list is relinked by hand.
    model->vertices->next = nullptr;
    EXPECT_EQ(model->LoadedVertices().first, model->vertices);
    ASSERT_EQ(model->LoadedVertices().count, 4u);
    EXPECT_EQ(&model->LoadedVertices().first[3], last);
    Model other;
    EXPECT_FALSE(other.OpenText("junk", "junk.dat"));
    EXPECT_EQ(other.LoadedVertices().count, 0u);
    model->Swap(other);
    EXPECT_EQ(model->vertices, nullptr);
    EXPECT_EQ(model->LoadedVertices().count, 0u);
    EXPECT_TRUE(model->LastError().has_value());
    EXPECT_FALSE(other.LastError().has_value());
    EXPECT_EQ(&other.LoadedVertices().first[3], last);
}

// A vertex normal is the normalised sum over its corners; where faces have no
// direction, or their normals cancel, it is (0, 0, 0) and never NaN.
TEST(ModelTest, VertexNormalsSumTheNormalsAtTheirCorners) {
    const Direction o{0, 0, 0}, x{1, 0, 0}, z{0, 0, 1}, down{0, 0, -1};
    const float r2 = std::sqrt(2.0f), r5 = std::sqrt(5.0f);
    const struct {
        const char* text;
        DirectionList faces, vertices;
    } cases[] = {
        // Every coordinate 0, so nothing to scale by.
        {"1\n3 1\n0 0 0\n-0 0.0 0e5\n0 0 0\n1 2 3\n", {o}, {o, o, o}},
        // Collinear and coincident corners.
        {"1\n4 3\n0 0 0\n1 0 0\n2 0 0\n0 0 1\n1 2 3\n1 1 1\n4 4 2\n", {o, o, o}, {o, o, o, o}},
        // One triangle listed both ways round; vertex 4 is in no face.
        {"1\n4 2\n0 0 0\n1 0 0\n0 1 0\n5 5 5\n1 2 3\n1 3 2\n", {z, down}, {o, o, o, o}},
        // Vertex 1 stands twice in face 2 and counts twice.
        {"1\n4 2\n0 0 0\n1 0 0\n0 1 0\n0 0 1\n1 2 3\n1 3 4 1\n",
         {z, x},
         {{2 / r5, 0, 1 / r5}, z, {1 / r2, 0, 1 / r2}, x}},
        // A quadrilateral's normal comes from its first three corners; the
        // fourth, off their plane, receives it all the same.
        {"1\n5 1\n0 0 0\n1 0 0\n1 1 0\n0 1 0\n0 0 1\n1 2 3 5\n", {z}, {z, z, z, o, z}},
    };
    for (const auto& c : cases) {
        const auto model = OpenOk(c.text);
        EXPECT_EQ(Normals(model->faces), c.faces) << c.text;
        EXPECT_EQ(Normals(model->vertices), c.vertices) << c.text;
    }
    EXPECT_EQ(Positions(*OpenOk(cases[0].text)), PositionList(3));
    // Open adds the faces' normals onto the vertex normals as a load leaves
    // them: every one (0, 0, 0).
    Model loaded;
    loaded.LoadText(cases[3].text, "test.dat");
    EXPECT_EQ(Normals(loaded.vertices), DirectionList(4));
}

// Open scales the vertex normals of a large model on every core, four side by
// side; every one must come out as scaling them one by one along the list
// makes it, the last of the vertices too. A bumpy grid of 230 x 230 vertices,
// whose last vertex sums two faces that lie at an angle, after two vertices
// in no face, which share their four with two that are in faces.
TEST(ModelTest, VertexNormalsOfALargeModelAreThoseMadeOneByOne) {
    constexpr int kSide = 230;
    constexpr int kUnused = 2;
    std::string text = "1\n" + std::to_string(kSide * kSide + kUnused) + " " +
                       std::to_string(2 * (kSide - 1) * (kSide - 1)) + "\n1 1 1\n2 2 2\n";
    for (int row = 0; row < kSide; ++row) {
        for (int column = 0; column < kSide; ++column) {
            text += std::to_string(column) + " " + std::to_string(row) + " " +
                    std::to_string((row * 7 + column * 13) % 5) + "\n";
        }
    }
    for (int row = 0; row + 1 < kSide; ++row) {
        for (int column = 0; column + 1 < kSide; ++column) {
            const int corner = kUnused + row * kSide + column + 1;
            const std::string a = std::to_string(corner), b = std::to_string(corner + 1),
                              c = std::to_string(corner + kSide + 1),
                              d = std::to_string(corner + kSide);
            text += a + " " + b + " " + c + "\n" + a + " " + c + " " + d + "\n";
        }
    }
    const auto model = OpenOk(text);
    const DirectionList opened = Normals(model->vertices);
    model->ComputeVertexNormals();
    const DirectionList oneByOne = Normals(model->vertices);
    ASSERT_EQ(opened.size(), std::size_t{kSide * kSide + kUnused});
    EXPECT_EQ(opened[0], (Direction{0, 0, 0}));
    EXPECT_EQ(opened[1], (Direction{0, 0, 0}));
    for (std::size_t i = 0; i < opened.size(); ++i) {
        ASSERT_EQ(opened[i], oneByOne[i]) << "vertex " << i;
    }
}

// A hand-made vertex linked into the list from outside the model's records
// gets its normal like any other, and a hand-made face that lacks a corner
// adds its normal to the corners it has.
TEST(ModelTest, VertexNormalsOfHandMadeRecords) {
    auto model = OpenOk("1\n4 2\n0 0 0\n1 0 0\n0 1 0\n0 0 1\n1 2 3\n1 3 4\n");
    Vertex outside;
    outside.next = model->vertices->next;
    model->vertices->next = &outside;
    model->faces->next->a = &outside;
    model->faces->b = nullptr;
    model->ComputeVertexNormals();
    const Direction z{0, 0, 1}, x{1, 0, 0};
    EXPECT_EQ(Normals(model->faces), (DirectionList{z, x}));
    // In list order: vertex 1, the hand-made one, then vertices 2 to 4.
    EXPECT_EQ(Normals(model->vertices),
              (DirectionList{z, x, {0, 0, 0}, {1 / std::sqrt(2.0f), 0, 1 / std::sqrt(2.0f)}, x}));
}
