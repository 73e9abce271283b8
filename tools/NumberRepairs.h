#pragma once
// Putting right the numbers that Assimp's text readers round wrongly.

#include <bitset>
#include <cstdint>
#include <string_view>
#include <unordered_map>

/// Assimp's readers of text formats (OBJ, PLY, STL, OFF) turn decimal numbers
/// into floats in a quick way that misses the nearest float by a unit in the
/// last place for a few of them, so a model would not come back with its own
/// numbers. A scan of the text finds each number read so, with the value it
/// should have: the nearest float, as std::from_chars gives it.
class NumberRepairs {
public:
    /// Scans text on all cores for the numbers that the quick reading misses.
    static NumberRepairs Scan(std::string_view text);

    /// The value that value, as the quick reading gave it, stands for: the
    /// correct one of the text's number that reads as it, or value itself
    /// where no number of the text does, or where more than one does, or one
    /// of them reads as it correctly.
    float Mend(float value) const;

    bool Empty() const { return m_exact.empty(); }

private:
    // Records that quick stands for exact, or for no one value where it
    // stood for another before.
    void Add(std::uint32_t quick, float exact);
    // Whether quick may be a key: most values are not, and a bit says so.
    bool MayHold(std::uint32_t quick) const { return m_filter.test(quick & kFilterMask); }

    // The quick reading's bits to the right value; NaN where that is not
    // one value.
    std::unordered_map<std::uint32_t, float> m_exact;
    static constexpr std::uint32_t kFilterMask = (1u << 20) - 1;
    std::bitset<kFilterMask + 1> m_filter; // the low bits of every key
};
