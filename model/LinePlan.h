#pragma once

#include "model/TextPiece.h"

class ModelText;

#include <cstddef>
#include <vector>

/// Where the lines of a text lie, found on all cores: the text is cut at line
/// feeds into chunks of about chunkBytes, smaller toward its end, and the line
/// feeds of many chunks are counted at once, so that the line on which each
/// chunk begins is known.
class LinePlan {
public:
    /// Plans text from begin to its end in chunks that each end just after a
    /// line feed at least chunkBytes (> 0) from their start, or at the end.
    /// Where smallestBytes is below chunkBytes, chunks shrink toward the end:
    /// to no more than 1 / (2 threads) of the text left after their start,
    /// but no less than smallestBytes, so that threads that each take a chunk
    /// at a time run out of them at nearly the same time. Counts on up to
    /// threads threads, as far as the chunk that holds line feed number
    /// lines: a model's lines, and not what may follow them. What has been
    /// counted is let go of (ModelText::Release), so that a file without the
    /// lines its header promises never takes its size in memory.
    LinePlan(const ModelText& text, const char* begin, std::size_t chunkBytes,
             std::size_t smallestBytes, unsigned threads, std::size_t lines);

    /// Just after the count-th line feed; begin for 0; null when there are
    /// fewer line feeds.
    const char* AfterLines(std::size_t count) const noexcept;

    /// Cuts [from, to) at the chunk starts within it into pieces that expect,
    /// from record 0 on, one record per line, and the last piece the rest of
    /// records. from must be the place after line feed number line (as
    /// AfterLines gives it); to must lie after from.
    std::vector<TextPiece> Pieces(const char* from, std::size_t line, const char* to,
                                  std::size_t records) const;

private:
    void PlanChunks(std::size_t count, const char* end);

    std::size_t m_chunkBytes = 0;
    std::size_t m_smallestBytes = 0;
    std::size_t m_shares = 1; // a chunk takes at most 1 / m_shares of the text left

    std::vector<const char*> m_starts;      // chunk starts, then the end of the last
    std::vector<std::size_t> m_linesBefore; // line feeds before each of them
};
