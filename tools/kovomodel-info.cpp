// kovomodel-info MODEL: loads a model file as the viewer does and prints what it
// holds, or where and why the file was rejected.

#include "model/Model.h"
#include "support/LinkedRecords.h"
#include "tools/ModelInput.h"
#include "tools/OptionReader.h"
#include "tools/ToolMain.h"
#include "tools/UsageError.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage =
    "Usage: kovomodel-info MODEL\n"
    "Reads the model file MODEL as the viewer does and prints its type, its\n"
    "counts, and its centre and bounds once scaled and centred; or, for a file\n"
    "that breaks the format, the line and column where it does.\n"
    "\n"
    "  --help       show this help and exit\n"
    "  --version    show the version and exit\n"
    "\n"
    "Exit status: 0 when the model is read, 1 when it cannot be, 2 for a bad\n"
    "command line.\n";

struct Bounds {
    Model::IntVector low{std::numeric_limits<int>::max(), std::numeric_limits<int>::max(),
                         std::numeric_limits<int>::max()};
    Model::IntVector high{std::numeric_limits<int>::min(), std::numeric_limits<int>::min(),
                          std::numeric_limits<int>::min()};

    void Add(const Vertex& v) {
        low = {std::min(low.x, v.x), std::min(low.y, v.y), std::min(low.z, v.z)};
        high = {std::max(high.x, v.x), std::max(high.y, v.y), std::max(high.z, v.z)};
    }
};

const char* TypeName(int type) {
    if (type == 0) {
        return "wire model";
    }
    return type == 1 ? "surface model" : "surface model (not drawn)";
}

void Print(const Model& model) {
    int quads = 0;
    ForEachLinked(model.faces, [&quads](const Face& face) { quads += face.d ? 1 : 0; });
    Bounds bounds;
    ForEachLinked(model.vertices, [&bounds](const Vertex& v) { bounds.Add(v); });
    std::printf("type      %d (%s)\n", model.type, TypeName(model.type));
    std::printf("vertices  %d\n", model.vertexCount);
    if (model.type == 0) {
        std::printf("edges     %d\n", model.edgeCount);
    } else {
        std::printf("faces     %d (triangles %d, quadrilaterals %d)\n", model.faceCount,
                    model.faceCount - quads, quads);
    }
    std::printf("centre    %d %d %d\n", model.center.x, model.center.y, model.center.z);
    std::printf("bounds    %d %d %d .. %d %d %d\n", bounds.low.x, bounds.low.y, bounds.low.z,
                bounds.high.x, bounds.high.y, bounds.high.z);
}

} // namespace

int main(int argc, char** argv) {
    return RunTool("kovomodel-info", kUsage, argc, argv, [](const std::vector<std::string>& args) {
        const std::vector<std::string> operands = OptionReader(args).ReadAll(
            [](const auto& option) { throw UsageError("unknown option '" + option + "'"); });
        OptionReader::ExpectOperands(operands, 1, "one model file");
        Model model;
        OpenModel(model, operands[0]);
        Print(model);
    });
}
