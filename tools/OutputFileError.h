#pragma once

#include <stdexcept>
#include <string>

/// A picture that could not be put in its file: the folder cannot take a new
/// file, writing fails (a full disk), or the file cannot be replaced. Thrown
/// by ReplacingFile and WritePng, caught once, in RunTool; what() starts with
/// the file's path.
class OutputFileError : public std::runtime_error {
public:
    explicit OutputFileError(const std::string& reason) : std::runtime_error(reason) {}
};
