// kovomodel-convert [OPTION]... INPUT OUTPUT: converts a model between the
// ".dat" model files and the formats other programs read.

#include "tools/ConvertError.h"
#include "tools/DatFormat.h"
#include "tools/HelpRequest.h"
#include "tools/ModelFormats.h"
#include "tools/OptionReader.h"
#include "tools/OutputFileError.h"
#include "tools/ReplacingFile.h"
#include "tools/SceneReading.h"
#include "tools/SceneWriting.h"
#include "tools/StlWriting.h"
#include "tools/ThreeMfWriting.h"
#include "tools/ToolMain.h"
#include "tools/UsageError.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr const char* kProgram = "kovomodel-convert";

constexpr const char* kUsage =
    "Usage: kovomodel-convert [OPTION]... INPUT OUTPUT\n"
    "Converts the model in INPUT into the format of OUTPUT, between Kovomodel's\n"
    "\".dat\" model files and STL, OBJ, PLY, glTF 2 and 3MF. The coordinates are\n"
    "the file's own, not scaled or centred. The input's format is found from\n"
    "its contents; the output's from its extension, or --format. \"-\" reads\n"
    "standard input or writes standard output (which needs --format).\n"
    "\n"
    "  --format ID      write OUTPUT in format ID (see --list-formats)\n"
    "  --ascii          write STL or PLY as text rather than binary\n"
    "  --list-formats   list the formats read and written, and exit\n"
    "  --help           show this help and exit\n"
    "  --version        show the version and exit\n"
    "\n"
    "Only the mesh is carried: positions and faces, or lines for a wire model.\n"
    "Normals, colours, materials and textures are not. A scene's meshes are\n"
    "merged with their transforms, identical positions become one vertex, and\n"
    "polygons of five or more corners become triangles. Quadrilaterals become\n"
    "two triangles where the format holds none; a wire model is refused where\n"
    "it holds no lines (STL, 3MF). Lines beside faces are dropped, and said so.\n"
    "\n"
    "Exit status: 0 when the model is converted, 1 when it cannot be, 2 for a\n"
    "bad command line.\n";

struct Arguments {
    std::string input;
    std::string output;
    const ModelFormat* format = nullptr;
    bool ascii = false;
    bool listFormats = false;
};

const ModelFormat* FormatById(const std::string& id) {
    const ModelFormat* format = FindFormat(id);
    if (!format || !format->Writable()) {
        throw UsageError("'" + id +
                         "' is no format that can be written; --list-formats lists them");
    }
    return format;
}

// The output's format: the one named, or the one of its extension.
void ChooseFormat(Arguments& arguments) {
    if (arguments.format) {
        return;
    }
    if (arguments.output == "-") {
        throw UsageError("writing to standard output needs --format");
    }
    arguments.format = FormatOfPath(arguments.output);
    if (!arguments.format || !arguments.format->Writable()) {
        throw UsageError("cannot tell a format to write from the name '" + arguments.output +
                         "': name one with --format");
    }
}

Arguments ReadArguments(const std::vector<std::string>& args) {
    Arguments arguments;
    OptionReader reader(args);
    const std::vector<std::string> operands = reader.ReadAll([&](const std::string& option) {
        if (option == "--format") {
            arguments.format = FormatById(reader.Value());
        } else if (option == "--ascii") {
            reader.NoValue();
            arguments.ascii = true;
        } else if (option == "--list-formats") {
            reader.NoValue();
            arguments.listFormats = true;
        } else {
            throw UsageError("unknown option '" + option + "'");
        }
    });
    if (arguments.listFormats) {
        OptionReader::ExpectOperands(operands, 0, "no file with --list-formats");
        return arguments;
    }
    OptionReader::ExpectOperands(operands, 2, "an input and an output file");
    arguments.input = operands[0];
    arguments.output = operands[1];
    ChooseFormat(arguments);
    if (arguments.ascii && !arguments.format->asciiExporter) {
        throw UsageError(std::string("--ascii is for STL and PLY, not ") + arguments.format->id);
    }
    return arguments;
}

void ListFormats() {
    std::printf("%-6s %-5s %-6s %s\n", "ID", "READ", "WRITE", "FORMAT");
    for (const ModelFormat& format : ModelFormats()) {
        std::printf("%-6s %-5s %-6s %s\n", format.id, format.readable ? "yes" : "no",
                    format.Writable() ? "yes" : "no", format.name);
    }
    std::printf("Other formats that Assimp reads are read too.\n");
}

std::string ReadStandardInput() {
    std::string bytes;
    char buffer[1 << 16];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, stdin)) > 0) {
        bytes.append(buffer, got);
    }
    if (std::ferror(stdin)) {
        throw ConvertError("standard input: cannot be read");
    }
    return bytes;
}

// The first bytes of a file, enough to tell a model file; empty when the file
// cannot be read, which the reader that then tries it reports.
std::string HeadOf(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::string head(4096, '\0');
    file.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(file.gcount()));
    return head;
}

std::string Counted(std::size_t count, const std::string& thing) {
    return std::to_string(count) + " " + thing + (count == 1 ? "" : "s");
}

Mesh ReadInput(const std::string& input) {
    DroppedElements dropped;
    Mesh mesh;
    if (input == "-") {
        const std::string bytes = ReadStandardInput();
        mesh = LooksLikeModel(bytes) ? ReadDatText(bytes, "standard input")
                                     : ReadScene("standard input", bytes, dropped);
    } else {
        // What is no regular file, or missing, is left to the model file
        // reader, whose reason says which.
        std::error_code error;
        const bool model =
            !std::filesystem::is_regular_file(input, error) || LooksLikeModel(HeadOf(input));
        mesh = model ? ReadDatFile(input) : ReadScene(input, {}, dropped);
    }
    if (dropped.lines || dropped.points) {
        std::fprintf(stderr, "%s: %s: dropped %s and %s, kept the %s\n", kProgram,
                     input == "-" ? "standard input" : input.c_str(),
                     Counted(dropped.lines, "line").c_str(),
                     Counted(dropped.points, "point").c_str(), mesh.IsWire() ? "lines" : "faces");
    }
    return mesh;
}

// Writes bytes to stream; name stands for it in errors.
void WriteAll(std::FILE* stream, std::string_view bytes, const std::string& name) {
    if (std::fwrite(bytes.data(), 1, bytes.size(), stream) != bytes.size()) {
        throw OutputFileError(name + ": cannot be written");
    }
}

void Encode(const Mesh& mesh, const Arguments& arguments, std::FILE* stream,
            const std::string& name) {
    if (arguments.format->IsDat()) {
        std::string out;
        WriteDat(mesh, out);
        WriteAll(stream, out, name);
        return;
    }
    const auto write = [&](std::string_view bytes) { WriteAll(stream, bytes, name); };
    if (std::string_view(arguments.format->id) == "stl" && !arguments.ascii) {
        WriteBinaryStl(mesh, write);
        return;
    }
    if (std::string_view(arguments.format->id) == "3mf") {
        Write3mf(mesh, write);
        return;
    }
    WriteScene(mesh, *arguments.format, arguments.ascii, write);
}

void Convert(const Arguments& arguments) {
    // The output is opened first, so that an output that is the input is
    // refused before anything is read.
    std::unique_ptr<ReplacingFile> file;
    if (arguments.output != "-") {
        file = std::make_unique<ReplacingFile>(arguments.output,
                                               arguments.input == "-" ? "" : arguments.input);
    }
    const Mesh mesh = ReadInput(arguments.input);
    if (!file) {
        Encode(mesh, arguments, stdout, "standard output");
        if (std::fflush(stdout) != 0) {
            throw OutputFileError("standard output: cannot be written");
        }
        return;
    }
    Encode(mesh, arguments, file->Stream(), arguments.output);
    file->Commit();
}

} // namespace

int main(int argc, char** argv) {
    return RunTool(kProgram, kUsage, argc, argv, [](const std::vector<std::string>& args) {
        const Arguments arguments = ReadArguments(args);
        if (arguments.listFormats) {
            ListFormats();
            return;
        }
        Convert(arguments);
    });
}
