#include "model/Model.h"
#include "model/ModelLoader.h"
#include "model/ModelText.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <tuple>
#include <unistd.h>

using namespace std::string_literals;

namespace {

// A file of size bytes that starts with head; the rest is a hole that reads as
// zeros and takes no disk.
class SparseFile {
public:
    SparseFile(const std::string& head, std::uintmax_t size)
        : m_path(std::filesystem::temp_directory_path() /
                 ("kovomodel-sparse-" + std::to_string(::getpid()) + ".dat")) {
        std::ofstream(m_path, std::ios::binary) << head;
        std::error_code error;
        std::filesystem::resize_file(m_path, size, error);
        m_made = !error;
    }
    ~SparseFile() {
        std::error_code ignored;
        std::filesystem::remove(m_path, ignored);
    }
    bool Made() const { return m_made; }
    std::string Path() const { return m_path.string(); }

private:
    std::filesystem::path m_path;
    bool m_made = false;
};

long PeakMemoryKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Opens a file that must be refused, and says where and why; the peak memory
// of the process must not grow by more than a few pages of the file.
std::tuple<int, int, std::string, std::string> Refusal(const SparseFile& file) {
    const long before = PeakMemoryKb();
    Model model;
    EXPECT_FALSE(model.Open(file.Path()));
    EXPECT_LT(PeakMemoryKb() - before, 32 * 1024) << "the file was read whole";
    const ModelFileError& e = model.LastError().value();
    return {e.Line(), e.Column(), e.Expected(), e.Found()};
}

constexpr std::uintmax_t kGiB = std::uintmax_t{1} << 30;

} // namespace

// Far more than the memory of any machine that runs this: a loader that read
// the file whole would run out of memory.
TEST(ModelLoaderLargeFileTest, AFileThatIsNoModelIsRefusedFromItsFirstBytes) {
    const SparseFile file("junk", 64 * kGiB);
    if (!file.Made()) {
        GTEST_SKIP() << "no room for a sparse file of 64 GiB here";
    }
    EXPECT_EQ(Refusal(file), std::make_tuple(1, 1, "the model type"s, "'junk'"s));
}

TEST(ModelLoaderLargeFileTest, CountsThatCannotFitAreRefusedBeforeTheRestIsRead) {
    const std::string holds = ", as the file holds 2147483648 bytes";
    const struct {
        std::string head;
        int line, column;
        std::string expected, found;
    } cases[] = {
        // Each vertex takes 6 bytes at least, and the model one element more.
        {"1\n2147483647 1\n", 2, 1, "a vertex count of at most 357913938" + holds, "'2147483647'"},
        {"0\n10 2147483647\n", 2, 4, "an edge count of at most 715827858" + holds, "'2147483647'"},
        {"7 1000 2147483647\n", 1, 8, "a face count of at most 429495526" + holds, "'2147483647'"},
        // Counts that may fit: the rest is read as far as it is model text, and
        // zeros are not.
        {"1\n1000 1000\n", 3, 1, "a coordinate", "a character of code 0"},
    };
    for (const auto& c : cases) {
        const SparseFile file(c.head, 2 * kGiB);
        ASSERT_TRUE(file.Made());
        EXPECT_EQ(Refusal(file), std::make_tuple(c.line, c.column, c.expected, c.found)) << c.head;
    }
}

// A small file is read up to where it runs out, which names the place better
// than a bound, as text in memory always is.
TEST(ModelLoaderLargeFileTest, SmallFilesAreReadToWhereTheyRunOut) {
    const std::string text = "1\n2147483647 2147483647\n0 0 0\n";
    const SparseFile file(text, text.size());
    Model model;
    EXPECT_FALSE(model.Open(file.Path()));
    EXPECT_EQ(model.LastError()->Line(), 4);
    EXPECT_EQ(model.LastError()->Expected(), "a coordinate");
}

// The bound is exact for every element count: the smallest texts that load,
// written with numbers run together ("8-0-0" is three coordinates, "+08" two
// indices), pass it, and one byte fewer is refused by it.
TEST(ModelLoaderLargeFileTest, TheBoundIsTheSmallestModelForEveryElementCount) {
    ModelLoader::Options checked;
    checked.threads = 1;
    checked.checkCountsFrom = 0;
    std::string coordinates = "8"; // right after the count "0..", which it ends
    for (int i = 1; i < 3 * 9; ++i) {
        coordinates += "-0";
    }
    for (const bool wire : {true, false}) {
        std::string elements;
        for (int count = 1; count <= 100; ++count) {
            elements += wire ? "+08" : count == 1 ? "+08-1" : "\n08-1";
            std::ostringstream head;
            head << (wire ? 0 : 1) << " 9 0" << std::oct << count;
            const std::string body = head.str() + coordinates + elements;
            const std::string shorter = body.substr(0, body.size() - 1);
            const ModelText text = ModelText::FromBytes(body),
                            fewer = ModelText::FromBytes(shorter);
            Model model;
            EXPECT_NO_THROW(ModelLoader(text, "min.dat", checked).LoadInto(model)) << body;
            EXPECT_EQ(wire ? model.edgeCount : model.faceCount, count);
            try {
                ModelLoader(fewer, "min.dat", checked).LoadInto(model);
                ADD_FAILURE() << shorter;
            } catch (const ModelFileError& e) {
                EXPECT_NE(e.Expected().find("count of at most"), std::string::npos) << e.what();
            }
        }
    }
}
