#pragma once

#include <stdexcept>

/// The command line asks for the version (--version, wherever it stands).
/// Thrown by OptionReader and caught once, in RunTool, which prints the
/// tool's name and version on stdout and ends the program with status 0.
class VersionRequest : public std::runtime_error {
public:
    VersionRequest() : std::runtime_error("version requested") {}
};
