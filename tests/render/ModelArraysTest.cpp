// What the arrays are built from and when they are built again; drawing them
// is compared with drawing face by face in ModelDrawTest.

#include "TestModels.h"

#include "model/Model.h"
#include "render/ModelArrays.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <string>

namespace {

TEST(ModelArraysTest, AreKeptWithTheModelUntilItsOwnOperationsChangeIt) {
    const std::pair<const char*, std::function<void(Model&)>> changes[] = {
        {"Clear", [](Model& m) { m.Clear(); }},
        {"OpenText", [](Model& m) { m.OpenText(kPyramidText, "pyramid.dat"); }},
        {"LoadText", [](Model& m) { m.LoadText(kPyramidText, "pyramid.dat"); }},
        {"Center", [](Model& m) { m.Center(); }},
        {"ComputeVertexNormals", [](Model& m) { m.ComputeVertexNormals(); }},
        {"MarkChanged", [](Model& m) { m.MarkChanged(); }},
    };
    for (const auto& [name, change] : changes) {
        SCOPED_TRACE(name);
        const auto model = LoadModelText(GridText(10));
        const ModelArrays* arrays = &ModelArrays::For(*model);
        EXPECT_EQ(model->GetDrawCache(), arrays);
        EXPECT_EQ(&ModelArrays::For(*model), arrays); // built once
        change(*model);
        EXPECT_EQ(model->GetDrawCache(), nullptr);
        EXPECT_TRUE(ModelArrays::For(*model).Matches(*model));
    }
}

TEST(ModelArraysTest, ARejectedFileKeepsThemOnlyWhereTheModelIsKept) {
    const auto model = LoadModelText(GridText(10));
    const ModelArrays* arrays = &ModelArrays::For(*model);
    // A load that throws leaves the model, and its arrays, as they were.
    EXPECT_THROW(model->LoadText("1\n3 1\n0 0 0\n", "short.dat"), ModelFileError);
    EXPECT_EQ(model->GetDrawCache(), arrays);
    // An open that fails empties the model, and drops its arrays with it.
    EXPECT_FALSE(model->OpenText("1\n3 1\n0 0 0\n", "short.dat"));
    EXPECT_EQ(model->GetDrawCache(), nullptr);
}

TEST(ModelArraysTest, SwapTakesTheArraysAlongWithTheMesh) {
    const auto grid = LoadModelText(GridText(10));
    const auto wire = LoadModelText(WireText());
    const ModelArrays* gridArrays = &ModelArrays::For(*grid);
    grid->Swap(*wire);
    EXPECT_EQ(grid->GetDrawCache(), nullptr);
    EXPECT_EQ(wire->GetDrawCache(), gridArrays);
    EXPECT_EQ(&ModelArrays::For(*wire), gridArrays);
}

TEST(ModelArraysTest, ListsReplacedWithoutMarkChangedAreNoticedAtTheNextDraw) {
    const auto model = LoadModelText(GridText(10));
    const ModelArrays* arrays = &ModelArrays::For(*model);
    const std::function<void(Model&)> edits[] = {
        [](Model& m) { m.faces = m.faces->next; },
        [](Model& m) { m.vertices = m.vertices->next; },
        [](Model& m) { --m.faceCount; },
        [](Model& m) { m.type = 0; },
    };
    for (const auto& edit : edits) {
        const auto edited = LoadModelText(GridText(10));
        const ModelArrays* before = &ModelArrays::For(*edited);
        edit(*edited);
        EXPECT_FALSE(before->Matches(*edited));
    }
    EXPECT_TRUE(arrays->Matches(*model));
}

TEST(ModelArraysTest, TakeTheSameSmallRoomForAnyLoadedMeshAndCopyOnlyScatteredVertices) {
    // A loaded model's vertices are one array in list order: they are drawn
    // where they are, and only one call's indices take memory of their own.
    const auto grid = LoadModelText(GridText(60, true));
    const auto larger = LoadModelText(GridText(90, true));
    const auto wire = LoadModelText(WireText());
    std::size_t corners = 0;
    for (const Face* face = grid->faces; face; face = face->next) {
        corners += face->d ? 4 : 3;
    }
    const std::unique_ptr<ModelArrays> arrays[] = {
        ModelArrays::Build(*grid), ModelArrays::Build(*larger), ModelArrays::Build(*wire)};
    for (const auto& built : arrays) {
        ASSERT_NE(built, nullptr);
        EXPECT_TRUE(built->DrawsFromRecords());
    }
    EXPECT_EQ(arrays[0]->ByteSize(), arrays[1]->ByteSize());
    EXPECT_LT(arrays[0]->ByteSize(), corners * sizeof(std::uint32_t));
    EXPECT_LE(arrays[2]->ByteSize(), 49 * 2 * sizeof(std::uint32_t));

    // A list linked in another order is copied once into list order.
    ReverseVertexList(*grid);
    const std::unique_ptr<ModelArrays> copied = ModelArrays::Build(*grid);
    ASSERT_NE(copied, nullptr);
    EXPECT_FALSE(copied->DrawsFromRecords());
    EXPECT_GE(copied->ByteSize(), 3600 * sizeof(Vertex));
    EXPECT_LE(copied->ByteSize(), 3600 * sizeof(Vertex) + arrays[0]->ByteSize());
}

TEST(ModelArraysTest, CountsWrittenByHandOnlyHintAtTheRoomNeeded) {
    const auto grid = LoadModelText(GridText(10, true));
    const std::size_t bytes = ModelArrays::Build(*grid)->ByteSize();
    for (const std::int32_t count : {std::numeric_limits<std::int32_t>::max(), -5, 0}) {
        grid->faceCount = count;
        const std::unique_ptr<ModelArrays> arrays = ModelArrays::Build(*grid);
        ASSERT_NE(arrays, nullptr) << count;
        EXPECT_EQ(arrays->ByteSize(), bytes) << count;
    }
}

} // namespace
