#pragma once
// The ".dat" model files, read and written at their own scale.

#include "tools/Mesh.h"

#include <string>
#include <string_view>

/// Whether head, the first bytes of a file, begins like a model file: text
/// whose first three words are the integers of a header (a type and two
/// counts of at least 1), followed by a word that begins as a coordinate.
/// Other ".dat" files are not models.
bool LooksLikeModel(std::string_view head);

/// Reads the model file at path, or the text of one (name stands for it in
/// errors). Throws ModelFileError, with the place and the reason, for a file
/// that cannot be read or breaks the format.
Mesh ReadDatFile(const std::string& path);
Mesh ReadDatText(std::string_view text, const std::string& name);

/// Appends mesh to out as a model file: every coordinate in the shortest form
/// that reads back as the same single-precision value, one record a line.
/// Throws ConvertError for a mesh that the format cannot hold: no vertex or
/// element, a coordinate that is not a finite number, or more than 2^31 - 1
/// records.
void WriteDat(const Mesh& mesh, std::string& out);
