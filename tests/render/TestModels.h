#pragma once
// Models for tests, written inline as ".dat" text.

#include "model/Model.h"

#include <memory>
#include <string>

/// Loads text as a model file; the model is empty when the text is rejected.
std::unique_ptr<Model> LoadModelText(const std::string& text);

/// The pyramid on a square base: centred, it spans -500..500 in x and y and
/// -200..800 in z, with its apex at (0, 0, 800) and the base facing -z.
extern const char* const kPyramidText;
