#include "support/LineFeeds.h"

#include <algorithm>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

std::size_t CountLineFeeds(const char* begin, const char* end) noexcept {
    std::size_t count = 0;
    const char* p = begin;
#ifdef __SSE2__
    // Sixteen bytes at a time: each match subtracts -1 from a byte counter,
    // and the counters are summed before any can overflow.
    const __m128i lineFeed = _mm_set1_epi8('\n');
    while (end - p >= 16) {
        __m128i counters = _mm_setzero_si128();
        const char* stop = p + std::min<std::ptrdiff_t>((end - p) / 16, 255) * 16;
        for (; p != stop; p += 16) {
            const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            counters = _mm_sub_epi8(counters, _mm_cmpeq_epi8(bytes, lineFeed));
        }
        const __m128i sums = _mm_sad_epu8(counters, _mm_setzero_si128());
        count += static_cast<std::size_t>(_mm_cvtsi128_si32(sums)) +
                 static_cast<std::size_t>(_mm_extract_epi16(sums, 4));
    }
#endif
    return count + static_cast<std::size_t>(std::count(p, end, '\n'));
}

const char* AfterLineFeeds(const char* begin, const char* end, std::size_t count) noexcept {
    // Whole blocks are counted, the block that holds the line feed is searched.
    constexpr std::ptrdiff_t kBlock = 4096;
    const char* p = begin;
    while (end - p > kBlock) {
        const std::size_t inBlock = CountLineFeeds(p, p + kBlock);
        if (inBlock >= count) {
            break;
        }
        count -= inBlock;
        p += kBlock;
    }
    for (; p != end; ++p) {
        p = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
        if (!p) {
            return nullptr;
        }
        if (--count == 0) {
            return p + 1;
        }
    }
    return nullptr;
}
