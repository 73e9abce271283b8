#include "model/SectionReader.h"
#include "model/ModelText.h"
#include "model/ParseFailure.h"
#include "model/TextReading.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

namespace {

// Records of one integer each, remembering how often each was read.
class IntegerRecords {
public:
    struct Summary {
        void Merge(const Summary&) {}
    };

    explicit IntegerRecords(std::size_t count)
        : m_values(count, -1), m_reads(std::make_unique<std::atomic<int>[]>(count)) {}

    void Read(TextCursor& cursor, std::size_t index, Summary&) const {
        m_values[index] = ReadInteger(cursor, "a number");
        ++m_reads[index];
    }

    void Prepare(std::size_t, std::size_t) const noexcept {}

    std::vector<int> Values() const { return m_values; }
    std::vector<int> Reads() const {
        std::vector<int> reads;
        for (std::size_t i = 0; i < m_values.size(); ++i) {
            reads.push_back(m_reads[i]);
        }
        return reads;
    }

private:
    mutable std::vector<int> m_values;
    std::unique_ptr<std::atomic<int>[]> m_reads;
};

struct Outcome {
    std::vector<int> values;
    std::vector<int> reads;
    std::size_t end = 0; // offset where the last record ends
};

// Reads count records of text from its start, with pieces given as offsets:
// {begin, end, first record, expected records}.
Outcome ReadSection(const std::string& text, std::size_t count,
                    const std::vector<std::vector<std::size_t>>& pieceOffsets) {
    const ModelText bytes = ModelText::FromBytes(text);
    std::vector<TextPiece> pieces;
    for (const auto& piece : pieceOffsets) {
        pieces.push_back({text.data() + piece[0], text.data() + piece[1], piece[2], piece[3]});
    }
    const IntegerRecords records(count);
    SectionReader<IntegerRecords> reader(bytes, records, 3);
    const char* end = reader.Read(text.data(), count, pieces);
    return {records.Values(), records.Reads(), static_cast<std::size_t>(end - text.data())};
}

} // namespace

TEST(SectionReaderTest, PiecesThatJoinUpAreReadOnceAndTheRestAgainInOrder) {
    const std::string lines = "1\n2\n3\n4\n5\n6\n";
    // Offsets are bytes into the text; each piece expects one record per line.
    const struct {
        const char* what;
        std::string text;
        std::vector<std::vector<std::size_t>> pieces;
        std::vector<int> reads;
    } cases[] = {
        {"pieces that join up",
         lines,
         {{0, 4, 0, 2}, {4, 8, 2, 2}, {8, 12, 4, 2}},
         {1, 1, 1, 1, 1, 1}},
        {"no pieces: all in order", lines, {}, {1, 1, 1, 1, 1, 1}},
        {"blank lines and blanks between pieces",
         "1\n\n\n2\n  \n3\n4\n5\n6\n",
         {{0, 3, 0, 1}, {3, 9, 1, 1}, {9, 17, 2, 4}},
         {1, 1, 1, 1, 1, 1}},
        // Line 3 holds two records: the last piece, which expects two, begins
        // one record early and runs out; its records are read again.
        {"a line of two records",
         "1\n2\n3 4\n5\n6\n",
         {{0, 4, 0, 2}, {4, 10, 2, 2}, {10, 12, 4, 2}},
         {1, 1, 1, 1, 2, 1}},
        // The second piece begins after a line feed that ends no record of the
        // first: from there on, all is read again in order.
        {"a piece not at a record",
         lines,
         {{0, 5, 0, 2}, {5, 8, 2, 2}, {8, 12, 4, 2}},
         {1, 1, 2, 1, 2, 2}},
        {"a piece that expects too many", lines, {{0, 4, 0, 3}, {4, 12, 3, 3}}, {2, 2, 1, 2, 2, 2}},
    };
    for (const auto& c : cases) {
        const Outcome outcome = ReadSection(c.text, 6, c.pieces);
        EXPECT_EQ(outcome.values, (std::vector<int>{1, 2, 3, 4, 5, 6})) << c.what;
        EXPECT_EQ(outcome.reads, c.reads) << c.what;
        EXPECT_EQ(outcome.end, c.text.size() - 1) << c.what;
    }
}

TEST(SectionReaderTest, TheFirstErrorIsTheOneMetReadingFromTheStart) {
    const auto failureAt = [](const std::string& text, std::size_t count,
                              const std::vector<std::vector<std::size_t>>& pieces) {
        try {
            ReadSection(text, count, pieces);
        } catch (const ParseFailure& failure) {
            return failure.At() - text.data();
        }
        return std::ptrdiff_t{-1};
    };
    const std::string text = "1\n2\nx\n4\ny\n";
    // Piece 3 fails at y, piece 2 at x: x comes first.
    EXPECT_EQ(failureAt(text, 5, {{0, 4, 0, 2}, {4, 8, 2, 2}, {8, 10, 4, 1}}), 4);
    // Text after the records wanted is never looked at.
    EXPECT_EQ(failureAt("1\n2\n3\nx\n", 3, {{0, 4, 0, 2}, {4, 8, 2, 1}}), -1);
    EXPECT_EQ(failureAt("1\n2\n3\nx\n", 4, {{0, 4, 0, 2}, {4, 8, 2, 2}}), 6);
    // Running out of text: the error is at its end.
    EXPECT_EQ(failureAt("1\n2\n3\n", 4, {{0, 4, 0, 2}, {4, 6, 2, 2}}), 6);
}
