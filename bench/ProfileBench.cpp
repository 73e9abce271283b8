// What a hostile profile of the largest size the program reads (16 MiB)
// costs the application at start (LoadStdProfileSettings) and at exit
// (ExitInstance), beside the same file read, and read and replaced, plainly:
// the floor that no profile code can go below. KOVO_PROFILE_MIB sets another
// size, to compare with slower code.

#include "framework/CRecentFileList.h"
#include "framework/CWinApp.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::size_t ProfileSize() {
    const char* mib = std::getenv("KOVO_PROFILE_MIB");
    return (mib != nullptr ? std::strtoul(mib, nullptr, 10) : 16) << 20;
}

/// unit repeated to fill the profile size, then tail.
std::string Fill(const std::string& unit, const std::string& tail = "") {
    const std::size_t size = ProfileSize();
    std::string text;
    text.reserve(size);
    while (text.size() + unit.size() + tail.size() <= size) {
        text += unit;
    }
    return text + tail;
}

struct Shape {
    const char* name;
    std::string content;
};

const std::vector<Shape>& Shapes() {
    static const std::vector<Shape> shapes = {
        // The list section again and again: deleted at exit, all of it.
        {"duplicate_sections", Fill("[Recent File List]\nFile1=/m/a.dat\n")},
        // Millions of tiny sections, none of them the program's.
        {"many_sections", Fill("[s]\n")},
        // Keys the program does not ask for before the ones it does.
        {"many_keys", Fill("Key=/m/value.dat\n", "File1=/m/a.dat\n[Settings]\nPreviewPages=3\n")},
        {"blank_lines", Fill("\n", "[Settings]\nPreviewPages=3\n")},
        {"huge_line", Fill("x", "\n[Recent File List]\nFile1=/m/a.dat\n")},
    };
    return shapes;
}

/// A private folder with one profile file, put back as it was on demand.
class ProfileFile {
public:
    ProfileFile() {
        m_folder = fs::temp_directory_path() / ("kovomodel-profile-" + std::to_string(::getpid()));
        fs::create_directories(m_folder);
    }
    ~ProfileFile() { fs::remove_all(m_folder); }
    ProfileFile(const ProfileFile&) = delete;
    ProfileFile& operator=(const ProfileFile&) = delete;

    std::string Path() const { return (m_folder / "kovomodel.INI").string(); }
    void Store(const std::string& content) const {
        std::ofstream(Path(), std::ios::binary | std::ios::trunc) << content;
    }

private:
    fs::path m_folder;
};

ProfileFile& File() {
    static ProfileFile file;
    return file;
}

void Start(benchmark::State& state) {
    const Shape& shape = Shapes()[static_cast<std::size_t>(state.range(0))];
    File().Store(shape.content);
    for (auto _ : state) {
        CWinApp app;
        app.m_profilePath = File().Path();
        app.LoadStdProfileSettings(4);
        benchmark::DoNotOptimize(app.m_recentList->m_names.data());
    }
    state.SetLabel(shape.name);
}

void Exit(benchmark::State& state) {
    const Shape& shape = Shapes()[static_cast<std::size_t>(state.range(0))];
    for (auto _ : state) {
        state.PauseTiming();
        File().Store(shape.content);
        CWinApp app;
        app.m_profilePath = File().Path();
        app.LoadStdProfileSettings(4);
        app.m_recentList->AddPath("/home/u/modely/dom.dat");
        state.ResumeTiming();
        app.ExitInstance();
    }
    state.SetLabel(shape.name);
}

/// Reads the file whole into memory sized once, as any reader must.
std::string ReadWhole(const std::string& path) {
    std::string content(fs::file_size(path), '\0');
    std::FILE* in = std::fopen(path.c_str(), "rb");
    content.resize(std::fread(content.data(), 1, content.size(), in));
    std::fclose(in);
    return content;
}

void ReadPlain(benchmark::State& state) {
    File().Store(Shapes()[0].content);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadWhole(File().Path()));
    }
}

/// Reads the file and replaces it as safely as the profile does: a new file,
/// synced, renamed over the old one.
void RewritePlain(benchmark::State& state) {
    File().Store(Shapes()[0].content);
    const std::string temporary = File().Path() + ".new";
    for (auto _ : state) {
        const std::string content = ReadWhole(File().Path());
        std::FILE* out = std::fopen(temporary.c_str(), "wb");
        std::fwrite(content.data(), 1, content.size(), out);
        std::fflush(out);
        ::fsync(::fileno(out));
        std::fclose(out);
        std::rename(temporary.c_str(), File().Path().c_str());
    }
}

} // namespace

BENCHMARK(ReadPlain)->Unit(benchmark::kMillisecond);
BENCHMARK(Start)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);
BENCHMARK(RewritePlain)->Unit(benchmark::kMillisecond);
BENCHMARK(Exit)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);
