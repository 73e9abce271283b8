#pragma once

#include "model/ModelText.h"
#include "model/NumberScanner.h"
#include "model/ParseFailure.h"
#include "model/TextPiece.h"
#include "support/Parallel.h"

#include <cassert>
#include <cstddef>
#include <vector>

/// Reads the records of one section of a model text, its vertices or its
/// elements, on all cores, with the outcome of one reading from the start.
///
/// Model files hold one record per line, so the section is cut at line feeds
/// into pieces that each expect as many records as lines (see LinePlan), and
/// every piece is read ahead on its own, as if a record began there. Then the
/// pieces are taken in order: a piece counts when it was read whole and began
/// exactly where the one before it ended. From the first piece that does not
/// count, the rest is read again in order on the calling thread. So records
/// may span lines or share them, and text may break the format anywhere: the
/// records and the first error are still those of a reading from the start.
///
/// Records is VertexRecords or ElementRecords: what reads one record, readies
/// the room of the records of a piece before it is read, and finishes a run of
/// records right after they are read (a record read again is finished again).
template <typename Records> class SectionReader {
public:
    using Summary = typename Records::Summary;

    SectionReader(const ModelText& text, const Records& records, unsigned threads)
        : m_text(text), m_records(records), m_threads(threads) {}

    /// Reads count records, numbered from 0, starting at from. pieces cut the
    /// section from from on (from the place after the same white space), or
    /// are empty to read it in order. Returns the place right after the last
    /// record. Throws ParseFailure at the first place where the section leaves
    /// the format.
    const char* Read(const char* from, std::size_t count, const std::vector<TextPiece>& pieces) {
        std::vector<Outcome> outcomes(pieces.size());
        RunInParallel(pieces.size(), m_threads,
                      [&](std::size_t i) { ReadAhead(pieces[i], outcomes[i]); });
        TextCursor cursor{from, End()};
        std::size_t done = 0;
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            SkipWhitespace(cursor);
            if (!outcomes[i].whole || outcomes[i].start != cursor.pos) {
                break;
            }
            assert(pieces[i].first == done);
            m_summary.Merge(outcomes[i].summary);
            cursor.pos = outcomes[i].resume;
            done += pieces[i].count;
        }
        ReadInOrder(cursor, done, count);
        return cursor.pos;
    }

    /// What the records read gathered besides themselves.
    const Summary& GetSummary() const noexcept { return m_summary; }

private:
    // A piece read ahead: where its first record begins, where its last ends,
    // and whether it held as many as expected before its end.
    struct Outcome {
        const char* start = nullptr;
        const char* resume = nullptr;
        bool whole = false;
        Summary summary;
    };

    // Records are finished in runs of this many as they are read, while a run
    // is still in the nearest cache, so that four faces' normals are scaled
    // side by side: one face at a time, each waited on a square root and a
    // division, and a pass of its own after reading read every face again.
    static constexpr std::size_t kRun = 64;

    // Text read in order is let go of in steps of this many bytes.
    static constexpr std::ptrdiff_t kReleaseStep = std::ptrdiff_t{8} << 20;

    const char* End() const noexcept { return m_text.Bytes().data() + m_text.Bytes().size(); }

    void ReadAhead(const TextPiece& piece, Outcome& outcome) const {
        TextCursor cursor{piece.begin, End()};
        SkipWhitespace(cursor);
        outcome.start = cursor.pos;
        m_records.Prepare(piece.first, piece.count);
        // Gathered here and stored once: the outcomes of neighbouring pieces
        // share cache lines, and a summary there, written for every record,
        // kept the cores waiting on each other.
        Summary summary;
        try {
            for (std::size_t i = 0; i < piece.count; ++i) {
                SkipWhitespace(cursor);
                if (cursor.pos >= piece.end) {
                    return; // fewer records than lines
                }
                m_records.Read(cursor, piece.first + i, summary);
                FinishRunAt(piece.first, piece.first + i);
            }
            FinishRest(piece.first, piece.first + piece.count);
        } catch (const ParseFailure&) {
            return; // left to the reading in order, which knows whether it counts
        }
        outcome.summary = summary;
        outcome.resume = cursor.pos;
        outcome.whole = true;
        m_text.Release(piece.begin, piece.end);
    }

    void ReadInOrder(TextCursor& cursor, std::size_t first, std::size_t count) {
        const char* kept = cursor.pos;
        for (std::size_t i = first; i < count; ++i) {
            m_records.Read(cursor, i, m_summary);
            FinishRunAt(first, i);
            if (cursor.pos - kept > kReleaseStep) {
                m_text.Release(kept, cursor.pos);
                kept = cursor.pos;
            }
        }
        FinishRest(first, count);
    }

    // In a reading that began at record start, after record index: finishes
    // the run that index closes, if it closes one.
    void FinishRunAt(std::size_t start, std::size_t index) const {
        if ((index + 1 - start) % kRun == 0) {
            m_records.Finish(index + 1 - kRun, kRun);
        }
    }

    // Finishes the records before end that no full run from start has finished.
    void FinishRest(std::size_t start, std::size_t end) const {
        const std::size_t rest = (end - start) % kRun;
        m_records.Finish(end - rest, rest);
    }

    const ModelText& m_text;
    const Records& m_records;
    const unsigned m_threads;
    Summary m_summary;
};
