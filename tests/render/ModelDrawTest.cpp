// Drawing from vertex arrays against drawing face by face: the same frames,
// the same normal left current, and the caller's client state kept.

#include "GlTestWindow.h"
#include "TestModels.h"

#include "model/Model.h"
#include "render/DisplayCommands.h"
#include "render/FaceByFaceDraw.h"
#include "render/ModelArrays.h"
#include "render/Scene.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 400, kHeight = 300;

struct Camera {
    double angleY, angleX, distance;
};

// Straight on, turned and tilted, from behind and below, from far away, and
// so near that the model reaches behind the eye and is clipped.
constexpr Camera kCameras[] = {{0.0, 0.0, 1500.0},
                               {35.0, -20.0, 1500.0},
                               {200.0, 60.0, 1200.0},
                               {-70.0, 140.0, 2600.0},
                               {20.0, 70.0, 350.0}};

using Normal = std::array<float, 3>;

struct Frame {
    std::vector<std::uint8_t> pixels;
    Normal normal{}; // the current normal the frame left
};

void DrawMesh(const Model& model) {
    model.Draw();
}

Normal CurrentNormal() {
    Normal normal{};
    glGetFloatv(GL_CURRENT_NORMAL, normal.data());
    return normal;
}

struct ModelDrawTest : testing::Test {
    GlTestWindow window{kWidth, kHeight};

    void SetUp() override { ASSERT_TRUE(window.ready); }

    // One frame of model with its mesh sent by drawMesh, starting from the
    // current normal before: wire models are lit with it.
    Frame DrawFrame(const Model& model, const Camera& camera, bool objects,
                    void (*drawMesh)(const Model&), const Normal& before) {
        glNormal3fv(before.data());
        DrawScene(camera.angleY, camera.angleX, camera.distance, model, objects, drawMesh);
        window.ReadBack();
        return {window.pixels, CurrentNormal()};
    }

    // Draws model both ways from the same start and expects the same frame.
    void ExpectSameFrames(const Model& model, const Camera& camera, bool objects,
                          const Normal& before = {0.0f, 0.6f, 0.8f}) {
        const Frame reference = DrawFrame(model, camera, objects, DrawFaceByFace, before);
        const Frame arrays = DrawFrame(model, camera, objects, DrawMesh, before);
        EXPECT_EQ(DifferingPixels(reference.pixels, arrays.pixels), 0);
        EXPECT_EQ(reference.normal, arrays.normal);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }

    static int DifferingPixels(const std::vector<std::uint8_t>& a,
                               const std::vector<std::uint8_t>& b) {
        if (a.size() != b.size()) {
            return -1;
        }
        int count = 0;
        for (std::size_t i = 0; i + 2 < a.size(); i += 3) {
            count += std::equal(&a[i], &a[i] + 3, &b[i]) ? 0 : 1;
        }
        return count;
    }
};

TEST_F(ModelDrawTest, ArraysDrawTheFramesThatFaceByFaceDrawingDraws) {
    const std::unique_ptr<Model> models[] = {
        LoadModelText(kPyramidText), LoadModelText(GridText(10)), LoadModelText(GridText(10, true)),
        LoadModelText(WireText()),
        // Any other type draws nothing and leaves the normal as it was.
        LoadModelText(std::string("2") + (kPyramidText + 1))};
    ASSERT_EQ(models[2]->vertexCount, 100);
    ASSERT_EQ(models[3]->edgeCount, 49);
    void (*const modes[])() = {ShowSolid, ShowWire, ShowPoints};
    void (*const shades[])() = {ShadeSmooth, ShadeFlat};
    for (std::size_t m = 0; m < std::size(models); ++m) {
        for (const Camera& camera : kCameras) {
            for (int mode = 0; mode < 3; ++mode) {
                for (int shade = 0; shade < 2; ++shade) {
                    for (const bool objects : {false, true}) {
                        SCOPED_TRACE(testing::Message()
                                     << "model " << m << ", camera " << camera.angleY << "/"
                                     << camera.angleX << "/" << camera.distance << ", mode " << mode
                                     << ", shade " << shade << ", objects " << objects);
                        modes[mode]();
                        shades[shade]();
                        ExpectSameFrames(*models[m], camera, objects);
                    }
                }
            }
        }
    }
}

TEST_F(ModelDrawTest, AWireModelIsLitWithTheNormalThatTheModelBeforeItLeft) {
    // As when the user opens a wire model after a surface model: the surface
    // model's last corner lights the lines. Each way of drawing runs the
    // whole sequence from the context's initial normal.
    const auto wire = LoadModelText(WireText());
    for (void (*mode)() : {ShowSolid, ShowWire}) {
        mode();
        for (const std::string& text : {std::string(kPyramidText), GridText(10, true)}) {
            const auto surface = LoadModelText(text);
            Frame frames[2];
            int path = 0;
            for (void (*drawMesh)(const Model&) : {DrawFaceByFace, DrawMesh}) {
                DrawFrame(*surface, kCameras[1], false, drawMesh, {0.0f, 0.0f, 1.0f});
                frames[path++] = DrawFrame(*wire, kCameras[0], false, drawMesh, CurrentNormal());
            }
            EXPECT_EQ(DifferingPixels(frames[0].pixels, frames[1].pixels), 0);
            EXPECT_EQ(frames[0].normal, frames[1].normal);
        }
    }
    // The normal that a surface model leaves is its last face's last corner's.
    const auto grid = LoadModelText(GridText(10, true));
    DrawFrame(*grid, kCameras[0], false, DrawMesh, {0.0f, 0.0f, 1.0f});
    const Face* last = grid->faces;
    while (last->next) {
        last = last->next;
    }
    EXPECT_EQ(CurrentNormal(), (Normal{last->c->nx, last->c->ny, last->c->nz}));
}

TEST_F(ModelDrawTest, PrimitivesBeyondTheViewAreLeftOutWithoutChangingAPixel) {
    // Fine meshes seen so near that they run out of the window on every side
    // and behind the eye: many primitives lie just beyond a side, and many
    // cross one. Wide points and lines make fragments beyond their corners.
    const std::unique_ptr<Model> models[] = {
        LoadModelText(GridText(130, true)), LoadModelText(GridText(40)), LoadModelText(WireText())};
    constexpr Camera kNear[] = {{0.0, 0.0, 700.0}, {25.0, -35.0, 450.0}, {160.0, 20.0, 120.0}};
    for (const float width : {1.0f, 7.0f}) {
        glPointSize(width);
        glLineWidth(width);
        for (std::size_t m = 0; m < std::size(models); ++m) {
            for (void (*mode)() : {ShowSolid, ShowWire, ShowPoints}) {
                mode();
                for (const Camera& camera : kNear) {
                    SCOPED_TRACE(testing::Message() << "model " << m << ", width " << width
                                                    << ", camera " << camera.distance);
                    ExpectSameFrames(*models[m], camera, false);
                }
            }
        }
    }
    glPointSize(1.0f);
    glLineWidth(1.0f);
    ShowSolid();
}

TEST_F(ModelDrawTest, AModelWhollyOutOfViewStillLeavesItsLastCornersNormal) {
    // Behind the eye: every face is left out, yet the normal is what drawing
    // face by face leaves.
    for (const std::string& text : {GridText(10), GridText(10, true)}) {
        const auto grid = LoadModelText(text);
        for (void (*mode)() : {ShowSolid, ShowWire}) {
            mode();
            ExpectSameFrames(*grid, {0.0, 0.0, -1500.0}, false);
            EXPECT_EQ(window.CountLit(), 0);
        }
    }
    ShowSolid();
}

TEST_F(ModelDrawTest, OnlyFilledQuadrilateralsAreSentFaceByFace) {
    struct Case {
        GLenum front, back;
        bool arrays; // whether quadrilaterals are sent from the arrays
    };
    const Case cases[] = {{GL_FILL, GL_FILL, false},
                          {GL_LINE, GL_LINE, true},
                          {GL_POINT, GL_POINT, true},
                          {GL_LINE, GL_FILL, false},
                          {GL_FILL, GL_POINT, false}};
    for (const Case& c : cases) {
        glPolygonMode(GL_FRONT, c.front);
        glPolygonMode(GL_BACK, c.back);
        EXPECT_EQ(ModelArrays::SendsQuadsFromArrays(), c.arrays) << c.front << " " << c.back;
    }
    // Triangles before the first quadrilateral are sent from the arrays, the
    // rest face by face.
    const auto grid = LoadModelText(GridText(10, true));
    Face* face = grid->faces;
    for (int i = 0; i < grid->faceCount / 2; ++i) {
        face = face->next;
    }
    face->d = &grid->GetVertex(1);
    grid->MarkChanged();
    for (void (*mode)() : {ShowSolid, ShowWire, ShowPoints}) {
        mode();
        ExpectSameFrames(*grid, kCameras[1], false);
    }
    ShowSolid();
}

TEST_F(ModelDrawTest, ChangesToTheModelShowInTheNextFrame) {
    Model model;
    ASSERT_TRUE(model.OpenText(GridText(10, true), "grid.dat"));
    const auto expectSame = [&](const char* step) {
        SCOPED_TRACE(step);
        ExpectSameFrames(model, kCameras[1], false);
    };
    expectSame("first frame");
    ASSERT_TRUE(model.OpenText(kPyramidText, "pyramid.dat"));
    expectSame("another file into the same model");
    model.Clear();
    expectSame("cleared");
    Model other;
    ASSERT_TRUE(other.OpenText(WireText(), "wire.dat"));
    model.Swap(other);
    expectSame("swapped with a wire model");
    other.Swap(model);
    ASSERT_TRUE(model.OpenText(GridText(12, true), "grid.dat"));
    expectSame("a larger grid");

    // A loaded model's records are drawn from where they are, so vertices
    // moved in place show at once.
    const Frame before = DrawFrame(model, kCameras[1], false, DrawMesh, {});
    const auto moveVertices = [&] {
        for (Vertex* vertex = model.vertices; vertex; vertex = vertex->next) {
            vertex->z += vertex->x / 4;
        }
    };
    moveVertices();
    EXPECT_NE(DrawFrame(model, kCameras[1], false, DrawMesh, {}).pixels, before.pixels);
    expectSame("vertices moved by hand");
    model.faces = model.faces->next->next;
    model.faceCount -= 2;
    expectSame("faces dropped by hand without saying so");

    // A list linked by hand in another order is drawn from a copy, which is
    // not renewed until MarkChanged: until then the frames show the copy,
    // which proves that it is drawn.
    ReverseVertexList(model);
    expectSame("vertex list linked in reverse");
    const Frame copied = DrawFrame(model, kCameras[1], false, DrawMesh, {});
    moveVertices();
    EXPECT_EQ(DrawFrame(model, kCameras[1], false, DrawMesh, {}).pixels, copied.pixels);
    model.MarkChanged();
    EXPECT_NE(DrawFrame(model, kCameras[1], false, DrawMesh, {}).pixels, copied.pixels);
    expectSame("vertices of the reversed list moved by hand");
}

TEST_F(ModelDrawTest, ALoadedListRelinkedBehindItsHeadIsStillDrawnFromItsRecords) {
    // A corner's index is where its record stands in the loaded array, so the
    // order of the list does not matter, nor a record dropped from it that a
    // face still uses.
    const auto grid = LoadModelText(GridText(10, true));
    Vertex* reversed = nullptr;
    for (Vertex* vertex = grid->vertices->next; vertex;) {
        Vertex* next = vertex->next;
        vertex->next = reversed;
        reversed = vertex;
        vertex = next;
    }
    grid->vertices->next = reversed->next; // drops the last vertex of the file
    grid->MarkChanged();
    EXPECT_TRUE(ModelArrays::Build(*grid)->DrawsFromRecords());
    for (void (*mode)() : {ShowSolid, ShowWire, ShowPoints}) {
        mode();
        ExpectSameFrames(*grid, kCameras[1], false);
    }
    ShowSolid();
}

TEST_F(ModelDrawTest, MeshesSentInManyCallsDrawTheFramesThatFaceByFaceDrawingDraws) {
    // Large enough for many calls and several flushes; one with quadrilaterals
    // among the triangles, and the same triangles drawn from a copy of their
    // vertices. Filled quadrilaterals are left out: they are sent face by face
    // either way, and in a mesh this large the renderer does not split them
    // the same way in every frame even then.
    const auto triangles = LoadModelText(GridText(130, true));
    const auto reversed = LoadModelText(GridText(130, true));
    ReverseVertexList(*reversed);
    const auto withQuads = LoadModelText(GridText(130));
    ASSERT_GT(triangles->faceCount, 30000);
    struct Case {
        const Model* model;
        void (*mode)();
    };
    const Case cases[] = {{triangles.get(), ShowSolid},  {triangles.get(), ShowWire},
                          {triangles.get(), ShowPoints}, {reversed.get(), ShowSolid},
                          {reversed.get(), ShowWire},    {withQuads.get(), ShowWire},
                          {withQuads.get(), ShowPoints}};
    for (const Case& c : cases) {
        c.mode();
        for (const Camera& camera : {kCameras[1], kCameras[4]}) {
            SCOPED_TRACE(testing::Message()
                         << "case " << &c - cases << ", camera distance " << camera.distance);
            ExpectSameFrames(*c.model, camera, false);
        }
    }
    ShowSolid();
}

TEST_F(ModelDrawTest, CornersChangedInPlaceWithoutMarkChangedStillDrawLikeFaceByFace) {
    // Not how records should be changed, but the arrays must neither read nor
    // write outside their memory, nor draw another mesh: from a corner that is
    // no longer a record of the list, the rest is drawn face by face.
    const auto grid = LoadModelText(GridText(10, true));
    const auto wire = LoadModelText(WireText());
    const auto triangle = LoadModelText("1\n4 1\n0 0 0\n2 0 0\n2 2 0\n0 2 1\n1 2 3\n");
    ShowWire();
    for (const Model* model : {grid.get(), wire.get(), triangle.get()}) {
        ExpectSameFrames(*model, kCameras[1], false); // the arrays are built
    }
    Vertex stray = grid->GetVertex(40);
    stray.z = -600;
    Face* face = grid->faces;
    for (int i = 0; i < grid->faceCount / 2; ++i) {
        face = face->next;
    }
    face->b = &stray;
    wire->edges->next->a = &stray;
    // A triangle that becomes a quadrilateral needs more room than it had.
    triangle->faces->d = &triangle->GetVertex(4);
    for (void (*mode)() : {ShowSolid, ShowWire}) {
        mode();
        ExpectSameFrames(*grid, kCameras[1], false);
        ExpectSameFrames(*wire, kCameras[1], false);
    }
    ExpectSameFrames(*triangle, kCameras[1], false);
    ShowSolid();
}

TEST_F(ModelDrawTest, AModelWhoseCornerIsNotInItsVertexListIsDrawnFaceByFace) {
    const auto pyramid = LoadModelText(kPyramidText);
    Vertex stray = pyramid->GetVertex(5);
    stray.z = -600;
    pyramid->faces->next->c = &stray;
    pyramid->MarkChanged();
    ShowWire();
    ExpectSameFrames(*pyramid, kCameras[1], false);
}

TEST_F(ModelDrawTest, DrawingKeepsTheCallersClientArrayState) {
    // Arrays that the caller left on, over memory far too short for any
    // model: drawing must neither read them nor switch them off.
    const std::vector<float> callers(8, 0.5f);
    const GLboolean flags[] = {GL_TRUE};
    glEnableClientState(GL_COLOR_ARRAY);
    glColorPointer(4, GL_FLOAT, 0, callers.data());
    glEnableClientState(GL_NORMAL_ARRAY);
    glNormalPointer(GL_FLOAT, 12, callers.data() + 1);
    glEnableClientState(GL_EDGE_FLAG_ARRAY);
    glEdgeFlagPointer(0, flags);
    glVertexPointer(2, GL_FLOAT, 16, callers.data() + 2); // set, but off
    ShowWire();
    for (const std::string& text : {GridText(10), WireText()}) {
        ExpectSameFrames(*LoadModelText(text), kCameras[2], true);
    }
    EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY));
    EXPECT_TRUE(glIsEnabled(GL_COLOR_ARRAY) && glIsEnabled(GL_NORMAL_ARRAY) &&
                glIsEnabled(GL_EDGE_FLAG_ARRAY));
    const std::pair<GLenum, const void*> pointers[] = {
        {GL_VERTEX_ARRAY_POINTER, callers.data() + 2},
        {GL_NORMAL_ARRAY_POINTER, callers.data() + 1},
        {GL_COLOR_ARRAY_POINTER, callers.data()},
        {GL_EDGE_FLAG_ARRAY_POINTER, flags}};
    for (const auto& [name, expected] : pointers) {
        void* pointer = nullptr;
        glGetPointerv(name, &pointer);
        EXPECT_EQ(pointer, expected) << name;
    }
    GLint value[4] = {};
    glGetIntegerv(GL_VERTEX_ARRAY_SIZE, value);
    glGetIntegerv(GL_VERTEX_ARRAY_STRIDE, value + 1);
    glGetIntegerv(GL_NORMAL_ARRAY_STRIDE, value + 2);
    glGetIntegerv(GL_CLIENT_ATTRIB_STACK_DEPTH, value + 3);
    EXPECT_EQ((std::array<GLint, 4>{value[0], value[1], value[2], value[3]}),
              (std::array<GLint, 4>{2, 16, 12, 0}));
    for (GLenum array : {GL_COLOR_ARRAY, GL_NORMAL_ARRAY, GL_EDGE_FLAG_ARRAY}) {
        glDisableClientState(array);
    }
}

TEST(ModelDrawContextTest, ArraysOutliveTheContextTheyWereFirstDrawnIn) {
    const auto grid = LoadModelText(GridText(10));
    std::vector<std::uint8_t> first;
    {
        GlTestWindow window(kWidth, kHeight);
        ASSERT_TRUE(window.ready);
        DrawScene(0.0, 0.0, 1500.0, *grid, false);
        window.ReadBack();
        first = window.pixels;
    } // the context is deleted here; the arrays stay with the model
    ASSERT_NE(grid->GetDrawCache(), nullptr);
    GlTestWindow window(kWidth, kHeight);
    ASSERT_TRUE(window.ready);
    DrawScene(0.0, 0.0, 1500.0, *grid, false);
    window.ReadBack();
    EXPECT_EQ(window.pixels, first);
    EXPECT_GT(window.CountLit(), kWidth * kHeight / 2);
}

} // namespace
