#include "tools/NumberRepairs.h"

#include "support/AsciiSpace.h"
#include "support/Parallel.h"

#include <assimp/fast_atof.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

namespace {

// What the quick reader throws at a word that is no number: Assimp's own
// error type is not exported from its library.
struct NotQuickNumber {
    template <typename... Parts> explicit NotQuickNumber(const Parts&...) {}
};

// The line feed that ends the line from at, or end.
const char* LineEnd(const char* at, const char* end) {
    const void* found = std::memchr(at, '\n', static_cast<std::size_t>(end - at));
    return found ? static_cast<const char*>(found) : end;
}

std::uint32_t Bits(float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// Whether a line that begins with word may hold positions: a line of
// numbers (PLY, OFF) or one named as a vertex (OBJ "v", STL "vertex").
// Normals, texture coordinates and the rest are not looked at.
bool MayHoldPositions(std::string_view word) {
    return word.empty() || !std::isalpha(static_cast<unsigned char>(word[0])) || word == "v" ||
           word == "vertex";
}

// Calls visit with both readings of a word that is a number with a fraction
// or an exponent: only those can be read wrongly.
template <typename Visit> void VisitNumber(const char* word, const char* end, Visit& visit) {
    const auto length = static_cast<std::size_t>(end - word);
    if (length > 63 ||
        std::none_of(word, end, [](char c) { return c == '.' || c == 'e' || c == 'E'; })) {
        return;
    }
    float exact = 0;
    const auto [stop, error] = std::from_chars(word, end, exact);
    if (error != std::errc() || stop != end) {
        return;
    }
    char copy[64]; // the quick reader needs the end of the word marked
    std::memcpy(copy, word, length);
    copy[length] = '\0';
    float quick = 0;
    try {
        Assimp::fast_atoreal_move<float, NotQuickNumber>(copy, quick);
    } catch (const NotQuickNumber&) {
        return;
    }
    visit(quick, exact);
}

// The numbers of the lines in [begin, end) that may hold positions.
template <typename Visit> void ForEachNumber(const char* begin, const char* end, Visit visit) {
    for (const char* line = begin; line < end;) {
        const char* lineEnd = LineEnd(line, end);
        bool first = true;
        for (const char* p = line; p != lineEnd;) {
            const char* word = p;
            while (word != lineEnd && IsAsciiSpace(*word)) {
                ++word;
            }
            for (p = word; p != lineEnd && !IsAsciiSpace(*p); ++p) {
            }
            if (first &&
                !MayHoldPositions(std::string_view(word, static_cast<std::size_t>(p - word)))) {
                break;
            }
            first = false;
            if (word != p) {
                VisitNumber(word, p, visit);
            }
        }
        line = lineEnd + 1;
    }
}

// Cuts text into about parts pieces of whole lines.
std::vector<const char*> Cuts(std::string_view text, std::size_t parts) {
    std::vector<const char*> cuts{text.data()};
    const char* end = text.data() + text.size();
    for (std::size_t i = 1; i < parts; ++i) {
        const char* at = std::max(cuts.back(), text.data() + text.size() * i / parts);
        const char* lineEnd = LineEnd(at, end);
        cuts.push_back(lineEnd == end ? end : lineEnd + 1);
    }
    cuts.push_back(end);
    return cuts;
}

} // namespace

NumberRepairs NumberRepairs::Scan(std::string_view text) {
    const std::vector<const char*> cuts = Cuts(text, std::max<std::size_t>(1, text.size() >> 22));
    // Each piece's numbers read wrongly, and the values of those read right.
    std::vector<NumberRepairs> wrong(cuts.size() - 1);
    std::vector<std::vector<std::uint32_t>> right(cuts.size() - 1);
    RunInParallel(wrong.size(), AvailableProcessors(), [&](std::size_t i) {
        ForEachNumber(cuts[i], cuts[i + 1], [&](float quick, float exact) {
            if (Bits(quick) != Bits(exact)) {
                wrong[i].Add(Bits(quick), exact);
            } else {
                right[i].push_back(Bits(quick));
            }
        });
    });
    NumberRepairs repairs;
    for (const NumberRepairs& piece : wrong) {
        for (const auto& [bits, exact] : piece.m_exact) {
            repairs.Add(bits, exact);
        }
    }
    // A value that some number reads as rightly stays as it is.
    for (std::size_t i = 0; i < right.size() && !repairs.Empty(); ++i) {
        for (const std::uint32_t bits : right[i]) {
            if (repairs.MayHold(bits) && repairs.m_exact.count(bits)) {
                repairs.Add(bits, std::numeric_limits<float>::quiet_NaN());
            }
        }
    }
    return repairs;
}

void NumberRepairs::Add(std::uint32_t quick, float exact) {
    m_filter.set(quick & kFilterMask);
    const auto [at, added] = m_exact.emplace(quick, exact);
    if (!added && Bits(at->second) != Bits(exact)) {
        at->second = std::numeric_limits<float>::quiet_NaN();
    }
}

float NumberRepairs::Mend(float value) const {
    if (m_exact.empty()) {
        return value;
    }
    const auto found = m_exact.find(Bits(value));
    return found == m_exact.end() || std::isnan(found->second) ? value : found->second;
}
