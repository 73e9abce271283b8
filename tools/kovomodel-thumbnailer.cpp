// kovomodel-thumbnailer -s SIZE INPUT OUTPUT: the thumbnail of a model file for
// file managers, through the installed kovomodel.thumbnailer entry.

#include "model/Model.h"
#include "tools/ModelInput.h"
#include "tools/PngWriter.h"
#include "tools/Thumbnail.h"
#include "tools/ThumbnailArguments.h"
#include "tools/ThumbnailError.h"
#include "tools/ToolMain.h"

namespace {

// File managers hand over any file that looks like a model; a larger one is
// refused before it is read, which keeps time and memory bounded.
constexpr std::uintmax_t kMaxInputBytes = 16u * 1024 * 1024;

} // namespace

int main(int argc, char** argv) {
    return RunTool("kovomodel-thumbnailer", kThumbnailUsage, argc, argv, [](const auto& args) {
        const ThumbnailArguments arguments = ParseThumbnailArguments(args);
        Model model;
        OpenModel(model, arguments.input, kMaxInputBytes);
        RgbaImage thumbnail;
        try {
            thumbnail = MakeThumbnail(model, arguments.size);
        } catch (const ThumbnailError& error) {
            throw ThumbnailError(arguments.input + ": " + error.what());
        }
        // The file manager made OUTPUT and may read it back through the handle
        // it holds, so the thumbnail goes into that file, truncated, and not
        // into a new one renamed over it: every thumbnail client expects that.
        WritePng(thumbnail, PngChannels::Rgba, arguments.output, arguments.input,
                 ReplacingFile::Overwrite::InPlace);
    });
}
