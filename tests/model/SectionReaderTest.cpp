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

// Records of one integer each, remembering how often each was read and
// whether each was finished after it was last read.
class IntegerRecords {
public:
    struct Summary {
        void Merge(const Summary&) {}
    };

    explicit IntegerRecords(std::size_t count)
        : m_values(count, -1), m_reads(std::make_unique<std::atomic<int>[]>(count)),
          m_unfinished(std::make_unique<std::atomic<bool>[]>(count)) {}

    void Read(TextCursor& cursor, std::size_t index, Summary&) const {
        m_values[index] = ReadInteger(cursor, "a number");
        ++m_reads[index];
        m_unfinished[index] = true;
    }

    // A record finished twice with no read between would be scaled twice.
    void Finish(std::size_t first, std::size_t count) const {
        for (std::size_t i = first; i < first + count; ++i) {
            m_finishedTwice += !m_unfinished[i].exchange(false);
        }
    }

    // Whether every record was finished once after its last read.
    bool FinishedOnce() const {
        for (std::size_t i = 0; i < m_values.size(); ++i) {
            if (m_unfinished[i]) {
                return false;
            }
        }
        return m_finishedTwice == 0;
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
    std::unique_ptr<std::atomic<bool>[]> m_unfinished;
    mutable std::atomic<int> m_finishedTwice{0};
};

struct Outcome {
    std::vector<int> values;
    std::vector<int> reads;
    std::size_t end = 0; // offset where the last record ends
    bool finishedOnce = false;
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
    return {records.Values(), records.Reads(), static_cast<std::size_t>(end - text.data()),
            records.FinishedOnce()};
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
        EXPECT_TRUE(outcome.finishedOnce) << c.what;
    }
}

// Records are finished in runs as they are read; a piece read again, or given
// up halfway through a run, must still leave every record finished after its
// last read, and none twice.
TEST(SectionReaderTest, EveryRecordIsFinishedOnceAfterItsLastRead) {
    std::string text;
    std::vector<std::size_t> line{0}; // offset of each line
    std::vector<int> values;
    for (int i = 1; i <= 300; ++i) {
        text += std::to_string(i) + "\n";
        line.push_back(text.size());
        values.push_back(i);
    }
    const std::vector<std::vector<std::vector<std::size_t>>> cuts = {
        {},
        {{0, line[70], 0, 70}, {line[70], line[201], 70, 131}, {line[201], line[300], 201, 99}},
        // expects a record too many: given up at its last line, read again
        {{0, line[130], 0, 130}, {line[130], line[300], 130, 171}},
        // begins inside a line: it and the rest read again in order
        {{0, line[100], 0, 100}, {line[100] + 1, line[300], 100, 200}},
    };
    for (std::size_t c = 0; c < cuts.size(); ++c) {
        const Outcome outcome = ReadSection(text, 300, cuts[c]);
        EXPECT_EQ(outcome.values, values) << "cut " << c;
        EXPECT_TRUE(outcome.finishedOnce) << "cut " << c;
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
