#pragma once
// Pictures written as PNG files.

#include "render/RgbaImage.h"
#include "tools/ReplacingFile.h"

#include <string>

/// Whether a PNG keeps the picture's alpha or drops it.
enum class PngChannels { Rgb, Rgba };

/// Writes image to path as an 8-bit PNG, with or without its alpha, through a
/// ReplacingFile(path, input, overwrite): a replaced path holds either its
/// former content or the whole new picture, never a part, and no temporary
/// file stays. Throws OutputFileError when path is refused (the input itself,
/// a folder, ...) or the file cannot be made, written or put in place, and
/// std::bad_alloc when the encoder runs out of memory. The image must hold at
/// least one pixel (asserted).
void WritePng(const RgbaImage& image, PngChannels channels, const std::string& path,
              const std::string& input = {},
              ReplacingFile::Overwrite overwrite = ReplacingFile::Overwrite::ByRename);
