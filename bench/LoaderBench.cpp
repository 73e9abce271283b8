// Opens generated sphere models end to end (reading, both passes, centring and
// vertex normals) and reports the throughput in bytes of model text per second,
// beside a bare std::from_chars scan of the same text in the same process, and
// the ratio of the two medians.

#include "bench/SphereFile.h"
#include "model/Model.h"

#include <benchmark/benchmark.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace {

// The generated files live in a private temporary folder for the process's life.
class SphereFiles {
public:
    SphereFiles() {
        m_folder = std::filesystem::temp_directory_path() /
                   ("kovomodel-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(m_folder);
        if (!WriteSphere(Small(), kSmallSphereRings, kSmallSphereSectors) ||
            !WriteSphere(Large(), kLargeSphereRings, kLargeSphereSectors)) {
            std::perror(m_folder.c_str());
            std::exit(1);
        }
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

std::string ReadWhole(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    std::string text(std::filesystem::file_size(path), '\0');
    const std::size_t got = file ? std::fread(text.data(), 1, text.size(), file) : 0;
    if (file) {
        std::fclose(file);
    }
    text.resize(got);
    return text;
}

bool IsBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// The reference: every number of a model text converted with std::from_chars on
// one thread, the header and the indices as integers, the coordinates as floats,
// and nothing built from them. Returns a sum so that nothing is left out.
double ScanWithFromChars(std::string_view text) {
    const char* p = text.data();
    const char* end = p + text.size();
    double sum = 0.0;
    long long header[3] = {0, 0, 0};
    for (long long index = 0; p != end; ++index) {
        while (p != end && IsBlank(*p)) {
            ++p;
        }
        const bool coordinate = index >= 3 && index < 3 + 3 * header[1];
        float value = 0.0f;
        int integer = 0;
        const auto result =
            coordinate ? std::from_chars(p, end, value) : std::from_chars(p, end, integer);
        if (result.ptr == p) {
            break;
        }
        p = result.ptr;
        if (index < 3) {
            header[index] = integer;
        }
        sum += coordinate ? value : integer;
    }
    return sum;
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

void ScanModel(benchmark::State& state, const std::string& path) {
    const std::string text = ReadWhole(path);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ScanWithFromChars(text));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}

void BM_OpenSphere200k(benchmark::State& state) {
    OpenModel(state, Files().Small());
}
void BM_OpenSphere2M(benchmark::State& state) {
    OpenModel(state, Files().Large());
}
void BM_FromCharsSphere200k(benchmark::State& state) {
    ScanModel(state, Files().Small());
}
void BM_FromCharsSphere2M(benchmark::State& state) {
    ScanModel(state, Files().Large());
}

// Prints what the console reporter prints, keeps the median times, and at the
// end each Open's ratio to the bare scan of the same file: how close loading
// comes to merely converting the numbers.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    // Colours only on a terminal: a reporter of one's own does not follow
    // --benchmark_color.
    RatioReporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                m_medians[run.run_name.function_name] = run.GetAdjustedRealTime();
            }
        }
    }

    void PrintRatios() const {
        for (const char* size : {"200k", "2M"}) {
            const auto open = m_medians.find(std::string("BM_OpenSphere") + size);
            const auto scan = m_medians.find(std::string("BM_FromCharsSphere") + size);
            if (open != m_medians.end() && scan != m_medians.end()) {
                std::printf("sphere %-4s  Model::Open %8.1f ms  from_chars scan %8.1f ms  "
                            "ratio %.2fx (goal >= 0.35x)\n",
                            size, open->second, scan->second, scan->second / open->second);
            }
        }
    }

private:
    std::map<std::string, double> m_medians;
};

} // namespace

BENCHMARK(BM_OpenSphere200k)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FromCharsSphere200k)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OpenSphere2M)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FromCharsSphere2M)->Unit(benchmark::kMillisecond)->UseRealTime();

// Medians of interleaved repetitions unless the command line says otherwise.
int main(int argc, char** argv) {
    std::vector<char*> args(argv, argv + argc);
    char repetitions[] = "--benchmark_repetitions=7";
    char interleaving[] = "--benchmark_enable_random_interleaving=true";
    char aggregates[] = "--benchmark_report_aggregates_only=true";
    args.insert(args.begin() + 1, {repetitions, interleaving, aggregates});
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data())) {
        return 1;
    }
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    benchmark::Shutdown();
    return 0;
}
