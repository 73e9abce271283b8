#include "tools/RenderArguments.h"

#include "tools/OptionReader.h"
#include "tools/OptionValues.h"
#include "tools/UsageError.h"

const char* const kRenderUsage =
    "Usage: kovomodel-render [OPTION]... MODEL OUT.png\n"
    "Draws the model file MODEL as the viewer shows it and writes the picture to\n"
    "OUT.png. No display is needed.\n"
    "\n"
    "  --size WxH             picture size in pixels, each side from 1 to 8192\n"
    "                         (default 800x575, the view)\n"
    "  --mode MODE            points, wire or solid (default solid)\n"
    "  --shading SHADING      flat or smooth (default smooth)\n"
    "  --turn Y,X             degrees about the model's vertical axis and the\n"
    "                         horizontal one, as a left drag turns (default 0,0)\n"
    "  --distance D           model units from the eye to the model's centre, as\n"
    "                         a right drag moves it (default 1500)\n"
    "  --reference-objects    show the two spheres and the cube at the centre\n"
    "  --help                 show this help and exit\n"
    "  --version              show the version and exit\n"
    "\n"
    "Exit status: 0 when the picture is written, 1 when the model cannot be read\n"
    "or drawn or the picture cannot be written, 2 for a bad command line. On\n"
    "failure OUT.png is left as it was.\n";

namespace {

ViewSettings::Mode ParseMode(const std::string& option, const std::string& text) {
    if (text == "points") {
        return ViewSettings::Mode::Points;
    }
    if (text == "wire") {
        return ViewSettings::Mode::Wire;
    }
    if (text != "solid") {
        throw UsageError("option '" + option + "' expects points, wire or solid, not '" + text +
                         "'");
    }
    return ViewSettings::Mode::Solid;
}

ViewSettings::Shading ParseShading(const std::string& option, const std::string& text) {
    if (text != "flat" && text != "smooth") {
        throw UsageError("option '" + option + "' expects flat or smooth, not '" + text + "'");
    }
    return text == "flat" ? ViewSettings::Shading::Flat : ViewSettings::Shading::Smooth;
}

// Applies one option to the arguments; throws UsageError for an unknown one.
void ApplyOption(OptionReader& reader, const std::string& option, RenderArguments& out) {
    ViewSettings& view = out.view;
    if (option == "--size") {
        const PixelSize size = ParseSize(option, reader.Value(), kMaxPictureSide);
        view.width = size.width;
        view.height = size.height;
    } else if (option == "--mode") {
        view.mode = ParseMode(option, reader.Value());
    } else if (option == "--shading") {
        view.shading = ParseShading(option, reader.Value());
    } else if (option == "--turn") {
        ParsePair(option, reader.Value(), view.angleY, view.angleX);
    } else if (option == "--distance") {
        view.distance = ParseNumber(option, reader.Value());
    } else if (option == "--reference-objects") {
        reader.NoValue();
        view.referenceObjects = true;
    } else {
        throw UsageError("unknown option '" + option + "'");
    }
}

} // namespace

RenderArguments ParseRenderArguments(const std::vector<std::string>& args) {
    RenderArguments result;
    OptionReader reader(args);
    const std::vector<std::string> operands =
        reader.ReadAll([&](const std::string& option) { ApplyOption(reader, option, result); });
    OptionReader::ExpectOperands(operands, 2, "a model file and a picture file");
    result.model = operands[0];
    result.output = operands[1];
    return result;
}
