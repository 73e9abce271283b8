#pragma once
// The command line of kovomodel-render.

#include "render/ViewSettings.h"

#include <string>
#include <vector>

/// What kovomodel-render is asked to do.
struct RenderArguments {
    ViewSettings view; ///< the viewer's opening view unless options change it
    std::string model;
    std::string output;
};

/// The largest width or height of a picture, in pixels; one larger than
/// kPictureTileSide is drawn in parts.
constexpr int kMaxPictureSide = 8192;

/// Reads "[options] MODEL OUT.png" (args without the program's name); options
/// and operands may come in any order. Throws HelpRequest for --help, and
/// UsageError for an unknown option, a malformed value, or a missing or extra
/// operand.
RenderArguments ParseRenderArguments(const std::vector<std::string>& args);

/// The text that --help prints.
extern const char* const kRenderUsage;
