#pragma once
// Reading the model that a tool draws.

#include <cstdint>
#include <limits>
#include <string>

class Model;

/// Opens the model file at path into model, as the viewer opens it. Throws
/// ModelFileError with the loader's reason ("PATH:LINE:COLUMN: expected ...,
/// found ...", or "PATH: REASON" for a file that cannot be read) when the file
/// is missing, unreadable, no regular file or not a valid model, and, before
/// reading anything, when it is larger than maxBytes. std::bad_alloc passes.
void OpenModel(Model& model, const std::string& path,
               std::uintmax_t maxBytes = std::numeric_limits<std::uintmax_t>::max());
