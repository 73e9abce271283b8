#include "model/LinePlan.h"

#include "model/ModelText.h"
#include "support/LineFeeds.h"
#include "support/Parallel.h"

#include <algorithm>
#include <cassert>
#include <cstring>

LinePlan::LinePlan(const ModelText& text, const char* begin, std::size_t chunkBytes,
                   std::size_t smallestBytes, unsigned threads, std::size_t lines)
    : m_chunkBytes(chunkBytes), m_smallestBytes(std::min(smallestBytes, chunkBytes)),
      m_shares(std::size_t{std::max(threads, 1u)} * 2) {
    assert(chunkBytes > 0);
    const char* end = text.Bytes().data() + text.Bytes().size();
    m_starts.push_back(begin);
    m_linesBefore.push_back(0);
    // In batches that keep every thread busy, until enough lines are known.
    while (m_starts.back() != end && m_linesBefore.back() < lines) {
        const std::size_t planned = m_starts.size() - 1;
        PlanChunks(std::size_t{threads} * 4, end);
        std::vector<std::size_t> counts(m_starts.size() - 1 - planned);
        RunInParallel(counts.size(), threads, [&](std::size_t i) {
            counts[i] = CountLineFeeds(m_starts[planned + i], m_starts[planned + i + 1]);
            text.Release(m_starts[planned + i], m_starts[planned + i + 1]);
        });
        for (std::size_t count : counts) {
            m_linesBefore.push_back(m_linesBefore.back() + count);
        }
    }
}

// Adds up to count chunks, each ending just after the first line feed at least
// its size after its start; the last one ends at the end.
void LinePlan::PlanChunks(std::size_t count, const char* end) {
    for (std::size_t i = 0; i < count && m_starts.back() != end; ++i) {
        const char* start = m_starts.back();
        const auto left = static_cast<std::size_t>(end - start);
        // With equal chunks to the end, one thread may still be reading the
        // last of them long after the others found none left.
        const std::size_t chunkBytes =
            std::max(std::min(m_chunkBytes, left / m_shares), m_smallestBytes);
        if (left <= chunkBytes) {
            m_starts.push_back(end);
            return;
        }
        const char* target = start + chunkBytes;
        const void* lineFeed = std::memchr(target, '\n', static_cast<std::size_t>(end - target));
        m_starts.push_back(lineFeed ? static_cast<const char*>(lineFeed) + 1 : end);
    }
}

const char* LinePlan::AfterLines(std::size_t count) const noexcept {
    if (count == 0) {
        return m_starts.front();
    }
    if (count > m_linesBefore.back()) {
        return nullptr;
    }
    // The chunk that holds line feed number count.
    const auto chunk = static_cast<std::size_t>(
        std::lower_bound(m_linesBefore.begin(), m_linesBefore.end(), count) -
        m_linesBefore.begin() - 1);
    return AfterLineFeeds(m_starts[chunk], m_starts[chunk + 1], count - m_linesBefore[chunk]);
}

std::vector<TextPiece> LinePlan::Pieces(const char* from, std::size_t line, const char* to,
                                        std::size_t records) const {
    assert(from < to);
    std::vector<TextPiece> pieces{{from, to, 0, records}};
    const auto first = std::upper_bound(m_starts.begin(), m_starts.end(), from);
    for (auto start = first; start != m_starts.end() && *start < to; ++start) {
        const std::size_t linesBefore =
            m_linesBefore[static_cast<std::size_t>(start - m_starts.begin())];
        const std::size_t record = std::min(linesBefore - line, records);
        TextPiece& last = pieces.back();
        last.end = *start;
        last.count = record - last.first;
        pieces.push_back({*start, to, record, records - record});
    }
    return pieces;
}
