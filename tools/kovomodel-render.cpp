// kovomodel-render [OPTION]... MODEL OUT.png: draws a model as the viewer shows
// it, without a display, and writes the picture as a PNG.

#include "model/Model.h"
#include "render/Picture.h"
#include "tools/ModelInput.h"
#include "tools/PngWriter.h"
#include "tools/RenderArguments.h"
#include "tools/ToolMain.h"

int main(int argc, char** argv) {
    return RunTool("kovomodel-render", kRenderUsage, argc, argv, [](const auto& args) {
        const RenderArguments arguments = ParseRenderArguments(args);
        Model model;
        OpenModel(model, arguments.model);
        // The view shows the black background opaque, and so does the picture.
        WritePng(DrawPicture(model, arguments.view), PngChannels::Rgb, arguments.output,
                 arguments.model);
    });
}
