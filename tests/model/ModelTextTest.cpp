#include "model/ModelText.h"
#include "model/Model.h"
#include "model/ModelLoader.h"
#include "support/BusErrorGuard.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// A wire model of n vertices on a line, one record per line.
std::string WireModel(int n) {
    std::string text = "0\n" + std::to_string(n) + " 1\n";
    for (int i = 0; i < n; ++i) {
        text += std::to_string(i) + ".5 0 0\n";
    }
    return text + "1 2\n";
}

class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& contents)
        : m_path(std::filesystem::temp_directory_path() /
                 ("kovomodel-text-" + std::to_string(::getpid()) + ".dat")) {
        std::ofstream(m_path, std::ios::binary) << contents;
    }
    ~TemporaryFile() {
        std::error_code ignored;
        std::filesystem::remove(m_path, ignored);
    }
    std::string Path() const { return m_path.string(); }

private:
    std::filesystem::path m_path;
};

} // namespace

TEST(ModelTextTest, AFileIsReadAsItsBytes) {
    const std::string text = WireModel(3) + "\r\n\x1a trailing";
    const TemporaryFile file(text);
    EXPECT_EQ(ModelText::FromFile(file.Path()).Bytes(), text);
    // A file that says it is empty may have contents all the same.
    const ModelText comm = ModelText::FromFile("/proc/self/comm");
    EXPECT_FALSE(comm.Bytes().empty());
    EXPECT_EQ(comm.Bytes().back(), '\n');
}

TEST(ModelTextTest, PlacesCountLinesAndBytesAsATextModeReaderDoes) {
    const std::string text = "ab\r\ncd\n\nef";
    const ModelText bytes = ModelText::FromBytes(text);
    const std::pair<std::size_t, std::vector<int>> cases[] = {
        {0, {1, 1}}, {2, {1, 3}}, {4, {2, 1}}, {7, {3, 1}}, {9, {4, 2}}, {10, {4, 3}}, {99, {4, 3}},
    };
    for (const auto& [offset, place] : cases) {
        const ModelText::Position position = bytes.PositionOf(offset);
        EXPECT_EQ((std::vector<int>{position.line, position.column}), place) << offset;
    }
}

// Another program truncates the file after it was opened: the load is refused
// with that reason instead of loading part of it. Cut at a page boundary, the
// next page is no longer backed at all and reading it would end the program.
TEST(ModelTextTest, AFileThatShrinksWhileReadIsRefused) {
    const auto page = static_cast<std::uintmax_t>(sysconf(_SC_PAGESIZE));
    for (const std::uintmax_t size : {std::uintmax_t{100}, page, 3 * page}) {
        const TemporaryFile file(WireModel(20000));
        const ModelText text = ModelText::FromFile(file.Path());
        std::filesystem::resize_file(file.Path(), size);
        Model model;
        try {
            ModelLoader(text, file.Path()).LoadInto(model);
            ADD_FAILURE() << "a file cut to " << size << " bytes loaded";
        } catch (const ModelFileError& e) {
            EXPECT_EQ(std::string(e.what()),
                      file.Path() + ": cannot be read: the file shrank while it was read");
        }
        EXPECT_EQ(model.vertices, nullptr);
    }
}

// With every guard taken, a file is read instead of mapped, to the same model.
TEST(ModelTextTest, FilesLoadWithoutMappingToo) {
    const TemporaryFile file(WireModel(50));
    Model mapped;
    ASSERT_TRUE(mapped.Open(file.Path()));
    const char page[1] = {};
    std::vector<std::unique_ptr<BusErrorGuard>> guards;
    do {
        guards.push_back(std::make_unique<BusErrorGuard>(page, sizeof page));
    } while (guards.back()->Active());
    Model read;
    ASSERT_TRUE(read.Open(file.Path()));
    EXPECT_EQ(read.vertexCount, 50);
    EXPECT_EQ(read.GetVertex(50).x, mapped.GetVertex(50).x);
    EXPECT_EQ(read.center.x, mapped.center.x);
}
