#pragma once
// The kinds of value that the tools' options take. Each parser throws
// UsageError, naming the option and the text, when the text is not a value of
// its kind or lies outside the range.

#include <string>

/// Width and height in pixels.
struct PixelSize {
    int width = 0;
    int height = 0;
};

/// A decimal integer from low to high, with nothing around it.
int ParseInteger(const std::string& option, const std::string& text, int low, int high);

/// A finite decimal number ("12", "-0.5", "1e3"), with nothing around it.
double ParseNumber(const std::string& option, const std::string& text);

/// "WxH": two integers from 1 to maxSide joined by 'x'.
PixelSize ParseSize(const std::string& option, const std::string& text, int maxSide);

/// "A,B": two numbers as ParseNumber reads them, joined by ','; first and
/// second receive them.
void ParsePair(const std::string& option, const std::string& text, double& first, double& second);
