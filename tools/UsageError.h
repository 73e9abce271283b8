#pragma once

#include <stdexcept>
#include <string>

/// A command line that a tool cannot follow: an unknown option, a missing or
/// malformed value, a missing or extra operand. Thrown by the argument readers
/// and caught once, in RunTool, which ends the program with status 2.
class UsageError : public std::runtime_error {
public:
    explicit UsageError(const std::string& reason) : std::runtime_error(reason) {}
};
