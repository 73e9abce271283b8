#pragma once

#include <stdexcept>
#include <string>

/// A model that cannot be converted: a file that no reader takes, a scene
/// without faces or lines, or a mesh that the output format cannot hold.
/// Thrown by the converter's readers and writers and caught once, in RunTool.
class ConvertError : public std::runtime_error {
public:
    explicit ConvertError(const std::string& reason) : std::runtime_error(reason) {}
};
