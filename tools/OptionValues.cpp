#include "tools/OptionValues.h"

#include "tools/UsageError.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

[[noreturn]] static void Reject(const std::string& option, const std::string& text,
                                const std::string& expected) {
    throw UsageError("option '" + option + "' expects " + expected + ", not '" + text + "'");
}

// Leading blanks, which strtol and strtod skip, count as something around it.
static bool StartsPlainly(const std::string& text) {
    return !text.empty() && text[0] != ' ' && text[0] != '\t' && text[0] != '\n';
}

// A whole decimal integer, or false.
static bool ReadInteger(const std::string& text, long& value) {
    char* end = nullptr;
    errno = 0;
    value = StartsPlainly(text) ? std::strtol(text.c_str(), &end, 10) : 0;
    return end && *end == '\0' && errno != ERANGE;
}

int ParseInteger(const std::string& option, const std::string& text, int low, int high) {
    long value = 0;
    if (!ReadInteger(text, value) || value < low || value > high) {
        Reject(option, text,
               "an integer from " + std::to_string(low) + " to " + std::to_string(high));
    }
    return static_cast<int>(value);
}

double ParseNumber(const std::string& option, const std::string& text) {
    char* end = nullptr;
    const double value = StartsPlainly(text) ? std::strtod(text.c_str(), &end) : 0.0;
    // strtod also reads "inf", "nan" and hexadecimal, which are no sensible
    // angle or distance.
    const bool plain = text.find_first_not_of("0123456789+-.eE") == std::string::npos;
    if (!end || *end != '\0' || !plain || !std::isfinite(value)) {
        Reject(option, text, "a number");
    }
    return value;
}

PixelSize ParseSize(const std::string& option, const std::string& text, int maxSide) {
    const std::size_t x = text.find('x');
    long width = 0;
    long height = 0;
    const bool read = x != std::string::npos && ReadInteger(text.substr(0, x), width) &&
                      ReadInteger(text.substr(x + 1), height);
    if (!read || width < 1 || height < 1 || width > maxSide || height > maxSide) {
        Reject(option, text, "WIDTHxHEIGHT, each from 1 to " + std::to_string(maxSide));
    }
    return {static_cast<int>(width), static_cast<int>(height)};
}

void ParsePair(const std::string& option, const std::string& text, double& first, double& second) {
    const std::size_t comma = text.find(',');
    if (comma == std::string::npos) {
        Reject(option, text, "two numbers joined by ','");
    }
    first = ParseNumber(option, text.substr(0, comma));
    second = ParseNumber(option, text.substr(comma + 1));
}
