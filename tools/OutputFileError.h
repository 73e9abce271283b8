#pragma once

#include <stdexcept>
#include <string>

/// An output that could not be put in its file: the file is refused (the
/// input itself, a folder, a socket), the folder cannot take a new file,
/// writing fails (a full disk), or the file cannot be replaced. Thrown by
/// OutputTarget, ReplacingFile and WritePng, caught once, in RunTool; what()
/// starts with the file's path.
class OutputFileError : public std::runtime_error {
public:
    explicit OutputFileError(const std::string& reason) : std::runtime_error(reason) {}
};
