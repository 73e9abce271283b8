#include "tools/ThumbnailArguments.h"

#include "tools/OptionReader.h"
#include "tools/OptionValues.h"
#include "tools/Thumbnail.h"
#include "tools/UsageError.h"

const char* const kThumbnailUsage =
    "Usage: kovomodel-thumbnailer -s SIZE INPUT OUTPUT\n"
    "Writes a thumbnail of the model file INPUT to OUTPUT as a PNG: the model as\n"
    "the viewer first shows it, whole, on a clear background, its longer side\n"
    "SIZE pixels. File managers run it through kovomodel.thumbnailer.\n"
    "\n"
    "  -s SIZE      the longer side of the thumbnail in pixels (1 to 1024)\n"
    "  --help       show this help and exit\n"
    "  --version    show the version and exit\n"
    "\n"
    "Exit status: 0 when the thumbnail is written, 1 when the model cannot be\n"
    "read (or is larger than 16 MiB) or shows nothing, 2 for a bad command line.\n"
    "On failure OUTPUT is left as it was.\n";

namespace {

void ApplyOption(OptionReader& reader, const std::string& option, ThumbnailArguments& out) {
    if (option == "-s" || option == "--size") {
        out.size = ParseInteger(option, reader.Value(), 1, kMaxThumbnailSize);
    } else {
        throw UsageError("unknown option '" + option + "'");
    }
}

} // namespace

ThumbnailArguments ParseThumbnailArguments(const std::vector<std::string>& args) {
    ThumbnailArguments result;
    OptionReader reader(args);
    const std::vector<std::string> operands =
        reader.ReadAll([&](const std::string& option) { ApplyOption(reader, option, result); });
    if (result.size == 0) {
        throw UsageError("expects the thumbnail size, -s SIZE");
    }
    OptionReader::ExpectOperands(operands, 2, "an input and an output file");
    result.input = operands[0];
    result.output = operands[1];
    return result;
}
