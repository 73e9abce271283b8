#include "model/FileMesh.h"

#include "model/ModelLoader.h"
#include "model/ModelText.h"

// As Model::Load: files of this size on are refused from their header when
// they cannot hold its counts.
static constexpr std::size_t kCheckCountsFrom = std::size_t{1} << 20;

void FileMesh::Read(const std::string& path) {
    const ModelText text = ModelText::FromFile(path);
    ModelLoader::Options options;
    options.checkCountsFrom = kCheckCountsFrom;
    ModelLoader(text, path, options).ReadInto(*this);
}

void FileMesh::ReadText(std::string_view text, const std::string& name) {
    const ModelText bytes = ModelText::FromBytes(text);
    ModelLoader::Options options;
    options.checkCountsFrom = kCheckCountsFrom;
    ModelLoader(bytes, name, options).ReadInto(*this);
}

std::size_t FileMesh::ElementCount() const noexcept {
    return static_cast<std::size_t>(m_records.type == 0 ? m_records.edgeCount
                                                        : m_records.faceCount);
}
