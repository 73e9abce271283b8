#include "TestModels.h"

#include "model/Model.h"
#include "render/VertexNumbering.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <vector>

namespace {

TEST(VertexNumberingTest, NumbersEveryRecordByItsPlaceAcrossPoolBlocks) {
    // 400 vertices fill several pool blocks, each a stretch of its own.
    const auto grid = LoadModelText(GridText(20, true));
    VertexNumbering numbering(grid->vertices);
    ASSERT_EQ(numbering.Count(), 400u);
    std::vector<const Vertex*> records;
    for (const Vertex* vertex = grid->vertices; vertex; vertex = vertex->next) {
        records.push_back(vertex);
    }
    // In list order, and jumping between stretches back and forth.
    for (std::uint32_t place = 0; place < 400; ++place) {
        ASSERT_EQ(numbering.Find(records[place]), std::optional<std::uint32_t>(place));
    }
    for (std::uint32_t step = 0, place = 0; step < 400; ++step, place = (place + 263) % 400) {
        ASSERT_EQ(numbering.Find(records[place]), std::optional<std::uint32_t>(place));
    }
}

TEST(VertexNumberingTest, ListsOutOfAddressOrderAndEmptyListsAreNumberedByPlace) {
    Vertex records[4];
    records[2].next = &records[0]; // 2, 0, 1, 3: three stretches
    records[0].next = &records[1];
    records[1].next = &records[3];
    VertexNumbering numbering(&records[2]);
    EXPECT_EQ(numbering.Count(), 4u);
    const std::optional<std::uint32_t> places[] = {1, 2, 0, 3};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(numbering.Find(&records[i]), places[i]) << i;
    }
    EXPECT_EQ(VertexNumbering(nullptr).Count(), 0u);
    EXPECT_EQ(VertexNumbering(nullptr).Find(&records[0]), std::nullopt);
}

TEST(VertexNumberingTest, TellsAListThatIsOneArrayInListOrder) {
    const auto grid = LoadModelText(GridText(10, true));
    Vertex records[3];
    records[0].next = &records[1];
    records[1].next = &records[2];
    EXPECT_TRUE(VertexNumbering(grid->vertices).IsOneArray());
    EXPECT_TRUE(VertexNumbering(&records[0]).IsOneArray());
    EXPECT_TRUE(VertexNumbering(&records[1]).IsOneArray());
    EXPECT_TRUE(VertexNumbering(nullptr).IsOneArray());
    records[1].next = nullptr; // 2, 0, 1: in memory order, but not in list order
    records[2].next = &records[0];
    EXPECT_FALSE(VertexNumbering(&records[2]).IsOneArray());
    ReverseVertexList(*grid);
    EXPECT_FALSE(VertexNumbering(grid->vertices).IsOneArray());
}

TEST(VertexNumberingTest, FindsNothingForWhatIsNotARecordOfTheList) {
    const auto grid = LoadModelText(GridText(10, true));
    const auto other = LoadModelText(GridText(10, true));
    VertexNumbering numbering(grid->vertices);
    const Vertex stray;
    const auto* inside = reinterpret_cast<const Vertex*>(
        reinterpret_cast<const char*>(grid->vertices->next) + sizeof(std::int32_t));
    const Vertex* const notRecords[] = {&stray, other->vertices, inside, nullptr};
    for (const Vertex* vertex : notRecords) {
        EXPECT_EQ(numbering.Find(vertex), std::nullopt);
    }
}

} // namespace
