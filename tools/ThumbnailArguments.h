#pragma once
// The command line of kovomodel-thumbnailer, as file managers call it.

#include <string>
#include <vector>

/// What kovomodel-thumbnailer is asked to do.
struct ThumbnailArguments {
    int size = 0; ///< the longer side of the thumbnail, pixels
    std::string input;
    std::string output;
};

/// Reads "-s SIZE INPUT OUTPUT" (args without the program's name), the
/// command of the installed thumbnailer entry; options and operands may come
/// in any order. Throws HelpRequest for --help, and UsageError when -s is missing or not a size
/// from 1 to kMaxThumbnailSize, for an unknown option, or a missing or extra operand.
ThumbnailArguments ParseThumbnailArguments(const std::vector<std::string>& args);

/// The text that --help prints.
extern const char* const kThumbnailUsage;
