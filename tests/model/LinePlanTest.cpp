#include "model/LinePlan.h"
#include "model/ModelText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// Lines of 1 to 29 bytes, 60,000 bytes in all.
std::string Lines() {
    std::string text;
    for (std::size_t i = 0; text.size() < 60000; ++i) {
        text += std::string(i % 29, 'x') + '\n';
    }
    return text;
}

// The pieces of all of text as a plan with these sizes cuts it, one record a line.
std::vector<TextPiece> PiecesOf(const ModelText& text, std::size_t chunkBytes,
                                std::size_t smallestBytes) {
    const char* begin = text.Bytes().data();
    const char* end = begin + text.Bytes().size();
    const auto lines = static_cast<std::size_t>(std::count(begin, end, '\n'));
    const LinePlan plan(text, begin, chunkBytes, smallestBytes, 2, lines);
    return plan.Pieces(begin, 0, end, lines);
}

// Every piece begins where the one before it ended, after a line feed, and
// expects the records of the lines before it.
void ExpectLinedUp(const ModelText& text, const std::vector<TextPiece>& pieces) {
    const char* begin = text.Bytes().data();
    ASSERT_FALSE(pieces.empty());
    EXPECT_EQ(pieces.front().begin, begin);
    EXPECT_EQ(pieces.back().end, begin + text.Bytes().size());
    for (std::size_t i = 1; i < pieces.size(); ++i) {
        ASSERT_EQ(pieces[i].begin, pieces[i - 1].end) << i;
        EXPECT_EQ(pieces[i].begin[-1], '\n') << i;
        EXPECT_EQ(pieces[i].first, std::size_t(std::count(begin, pieces[i].begin, '\n'))) << i;
        EXPECT_EQ(pieces[i].first, pieces[i - 1].first + pieces[i - 1].count) << i;
    }
}

std::size_t SizeOf(const TextPiece& piece) {
    return static_cast<std::size_t>(piece.end - piece.begin);
}

} // namespace

TEST(LinePlanTest, ChunksOfTheSizeAskedForReachTheEnd) {
    const std::string lines = Lines();
    const ModelText text = ModelText::FromBytes(lines);
    const std::vector<TextPiece> pieces = PiecesOf(text, 4000, 4000);
    ExpectLinedUp(text, pieces);
    EXPECT_EQ(pieces.size(), 15u);
    for (std::size_t i = 0; i + 1 < pieces.size(); ++i) {
        EXPECT_GE(SizeOf(pieces[i]), 4000u) << i;
        EXPECT_LT(SizeOf(pieces[i]), 4030u) << i;
    }
}

// The first chunks are as large as asked for; from where a fourth of the rest
// (two threads) is smaller they shrink with it, to the smallest at the end.
TEST(LinePlanTest, ChunksShrinkTowardTheEndDownToTheSmallest) {
    const std::string lines = Lines();
    const ModelText text = ModelText::FromBytes(lines);
    const std::vector<TextPiece> pieces = PiecesOf(text, 4000, 500);
    ExpectLinedUp(text, pieces);
    EXPECT_GE(SizeOf(pieces.front()), 4000u);
    const char* end = text.Bytes().data() + text.Bytes().size();
    for (std::size_t i = 0; i + 1 < pieces.size(); ++i) {
        const std::size_t left = static_cast<std::size_t>(end - pieces[i].begin);
        const std::size_t size = std::max<std::size_t>(std::min<std::size_t>(4000, left / 4), 500);
        EXPECT_GE(SizeOf(pieces[i]), size) << i;
        EXPECT_LT(SizeOf(pieces[i]), size + 30) << i;
    }
    EXPECT_LE(SizeOf(pieces.back()), 530u);
    EXPECT_GT(pieces.size(), 20u);
}
