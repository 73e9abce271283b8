#include "tools/ModelInput.h"

#include "model/Model.h"

#include <filesystem>

static std::string InMiB(std::uintmax_t bytes) {
    return std::to_string(bytes / (1024 * 1024)) + " MiB";
}

void OpenModel(Model& model, const std::string& path, std::uintmax_t maxBytes) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    // A file whose size cannot be learnt (missing, a folder) is left to the
    // loader, whose reason is the clearest.
    if (!error && size > maxBytes) {
        throw ModelFileError(path, "is larger than the " + InMiB(maxBytes) + " allowed here (" +
                                       InMiB(size) + ")");
    }
    if (!model.Open(path)) {
        throw *model.LastError();
    }
}
