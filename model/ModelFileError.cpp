#include "model/ModelFileError.h"

#include <utility>

static std::string PlaceText(const std::string& path, int line, int column,
                             const std::string& expected, const std::string& found) {
    std::string text =
        path + ":" + std::to_string(line) + ":" + std::to_string(column) + ": expected " + expected;
    if (!found.empty()) {
        text += ", found " + found;
    }
    return text;
}

ModelFileError::ModelFileError(std::string path, int line, int column, std::string expected,
                               std::string found)
    : std::runtime_error(PlaceText(path, line, column, expected, found)), m_path(std::move(path)),
      m_line(line), m_column(column), m_expected(std::move(expected)), m_found(std::move(found)) {}

ModelFileError::ModelFileError(std::string path, std::string reason)
    : std::runtime_error(path + ": " + reason), m_path(std::move(path)),
      m_expected(std::move(reason)) {}
