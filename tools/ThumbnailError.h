#pragma once

#include <stdexcept>
#include <string>

/// A model that loads but makes no thumbnail: it draws nothing, or so much
/// that drawing it would take long. Thrown by MakeThumbnail and caught once,
/// in RunTool; the file manager then shows the type's icon instead.
class ThumbnailError : public std::runtime_error {
public:
    explicit ThumbnailError(const std::string& reason) : std::runtime_error(reason) {}
};
