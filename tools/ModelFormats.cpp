#include "tools/ModelFormats.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>

const std::vector<ModelFormat>& ModelFormats() {
    static const std::vector<ModelFormat> formats = {
        {"dat", "a model file", "Kovomodel model", true, "", nullptr, true, true},
        {"stl", "STL", "STL (binary; text with --ascii)", true, "stlb", "stl", false, false},
        {"obj", "OBJ", "Wavefront OBJ", true, "objnomtl", nullptr, true, true},
        {"ply", "PLY", "PLY (binary; text with --ascii)", true, "plyb", "ply", true, true},
        {"off", "OFF", "OFF", true, nullptr, nullptr, true, false},
        {"gltf", "glTF", "glTF 2 (JSON, buffers embedded)", true, "gltf2", nullptr, false, true},
        {"glb", "GLB", "glTF 2 binary", true, "glb2", nullptr, false, true},
        {"3mf", "3MF", "3D Manufacturing Format", true, "3mf", nullptr, false, false},
    };
    return formats;
}

const ModelFormat* FindFormat(const std::string& id) {
    std::string lower(id);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const auto& formats = ModelFormats();
    const auto found = std::find_if(formats.begin(), formats.end(),
                                    [&](const ModelFormat& format) { return lower == format.id; });
    return found == formats.end() ? nullptr : &*found;
}

const ModelFormat* FormatOfPath(const std::string& path) {
    const std::string extension = std::filesystem::path(path).extension().string();
    return extension.size() > 1 ? FindFormat(extension.substr(1)) : nullptr;
}
