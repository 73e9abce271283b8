#pragma once

#include <stdexcept>
#include <string>

/// A model file that cannot be read or lies outside the ".dat" format. Thrown
/// by the loader and caught once, in Model::Open. Line and column are 1-based
/// and count bytes after carriage returns before line feeds are dropped; both
/// are 0 when the file could not be read at all.
class ModelFileError : public std::runtime_error {
public:
    /// An error at a place in the text: what() reads
    /// "PATH:LINE:COLUMN: expected EXPECTED, found FOUND".
    ModelFileError(std::string path, int line, int column, std::string expected, std::string found);

    /// A file that could not be read: what() reads "PATH: REASON".
    ModelFileError(std::string path, std::string reason);

    const std::string& Path() const noexcept { return m_path; }
    int Line() const noexcept { return m_line; }
    int Column() const noexcept { return m_column; }
    /// What the format asks for at that place, e.g. "a coordinate"; for an
    /// unreadable file, the reason it could not be read.
    const std::string& Expected() const noexcept { return m_expected; }
    /// What stands there instead, e.g. "'abc'" or "the end of the file";
    /// empty for an unreadable file.
    const std::string& Found() const noexcept { return m_found; }

private:
    std::string m_path;
    int m_line = 0;
    int m_column = 0;
    std::string m_expected;
    std::string m_found;
};
