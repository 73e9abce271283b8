// Opens generated sphere models end to end (reading, both passes, centring and
// vertex normals) and reports the throughput in bytes of model text per second.

#include "model/Model.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

// A sphere of triangles only: two polar fans and rings of split quadrilaterals,
// 2 * sectors * (rings - 1) triangles in all.
void WriteSphere(const std::string& path, int rings, int sectors) {
    std::FILE* file = std::fopen(path.c_str(), "w");
    if (!file) {
        std::perror(path.c_str());
        std::exit(1);
    }
    const double pi = std::acos(-1.0);
    const int vertexCount = 2 + (rings - 1) * sectors;
    std::fprintf(file, "1\n%d %d\n0 12.5 0\n", vertexCount, 2 * sectors * (rings - 1));
    for (int i = 1; i < rings; ++i) {
        const double t = pi * i / rings;
        for (int j = 0; j < sectors; ++j) {
            const double p = 2 * pi * j / sectors;
            std::fprintf(file, "%.6f %.6f %.6f\n", 12.5 * std::sin(t) * std::cos(p),
                         12.5 * std::cos(t), -12.5 * std::sin(t) * std::sin(p));
        }
    }
    std::fprintf(file, "0 -12.5 0\n");
    const auto ring = [&](int i, int j) { return 2 + (i - 1) * sectors + j % sectors; };
    for (int j = 0; j < sectors; ++j) {
        std::fprintf(file, "1 %d %d\n", ring(1, j), ring(1, j + 1));
        std::fprintf(file, "%d %d %d\n", vertexCount, ring(rings - 1, j + 1), ring(rings - 1, j));
    }
    for (int i = 1; i < rings - 1; ++i) {
        for (int j = 0; j < sectors; ++j) {
            std::fprintf(file, "%d %d %d\n", ring(i, j), ring(i + 1, j), ring(i + 1, j + 1));
            std::fprintf(file, "%d %d %d\n", ring(i, j), ring(i + 1, j + 1), ring(i, j + 1));
        }
    }
    std::fclose(file);
}

// The generated files live in a private temporary folder for the process's life.
class SphereFiles {
public:
    SphereFiles() {
        m_folder = std::filesystem::temp_directory_path() /
                   ("kovomodel-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(m_folder);
        WriteSphere(Small(), 250, 400);  // 199,200 triangles, about 7 MB
        WriteSphere(Large(), 790, 1266); // 1,997,748 triangles, about 75 MB
    }
    ~SphereFiles() {
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }
    std::string Small() const { return (m_folder / "sphere-200k.dat").string(); }
    std::string Large() const { return (m_folder / "sphere-2m.dat").string(); }

private:
    std::filesystem::path m_folder;
};

const SphereFiles& Files() {
    static const SphereFiles files;
    return files;
}

void OpenModel(benchmark::State& state, const std::string& path) {
    const auto bytes = static_cast<std::int64_t>(std::filesystem::file_size(path));
    for (auto _ : state) {
        Model model;
        if (!model.Open(path)) {
            state.SkipWithError(model.LastError()->what());
            return;
        }
        benchmark::DoNotOptimize(model.vertices);
    }
    state.SetBytesProcessed(state.iterations() * bytes);
    state.counters["file_MB"] = static_cast<double>(bytes) / 1e6;
}

void BM_OpenSphere200k(benchmark::State& state) {
    OpenModel(state, Files().Small());
}
void BM_OpenSphere2M(benchmark::State& state) {
    OpenModel(state, Files().Large());
}

} // namespace

BENCHMARK(BM_OpenSphere200k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenSphere2M)->Unit(benchmark::kMillisecond);
