#include "platform/dialog/DialogUnits.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace host {

namespace {

constexpr const char* kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
constexpr int kAlphabetLength = 52;
constexpr int kDefaultPointSize = 8;

/// value * numerator / denominator, rounded half away from zero, without
/// intermediate overflow.
int ScaleRounded(int value, int numerator, int denominator) {
    const std::int64_t product = static_cast<std::int64_t>(value) * numerator;
    const std::int64_t half = denominator / 2;
    const std::int64_t rounded = product >= 0 ? product + half : product - half;
    return static_cast<int>(rounded / denominator);
}

} // namespace

DialogUnits::DialogUnits(int baseX, int baseY)
    : m_baseX(std::max(baseX, 1)), m_baseY(std::max(baseY, 1)) {}

DialogUnits DialogUnits::ForDialogFont(int pixelSize) {
    fl_open_display();
    fl_font(FL_HELVETICA, pixelSize);
    const double average = fl_width(kAlphabet) / kAlphabetLength;
    return DialogUnits(static_cast<int>(std::lround(average)), fl_height());
}

int DialogUnits::PixelSizeForPoints(int pointSize) {
    if (pointSize < 1) {
        pointSize = kDefaultPointSize;
    }
    return ScaleRounded(pointSize, 96, 72);
}

int DialogUnits::ToPixelsX(int units) const {
    return ScaleRounded(units, m_baseX, 4);
}

int DialogUnits::ToPixelsY(int units) const {
    return ScaleRounded(units, m_baseY, 8);
}

} // namespace host
