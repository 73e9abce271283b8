// Frame times of the scene under the software renderer: a sphere of 200,000
// triangles at 800 x 600, the viewer's size, drawn whole and presented per
// frame in each polygon mode, face by face and from vertex arrays, at the
// opening distance (half of the sphere's triangles outside the view) and
// nearer (two thirds of them, as at the opening view of the first-frame
// script's spheres); the cost
// of building the arrays; and the time from a new window to its first frame.
// Needs a display (run under Xvfb).

#include "model/Model.h"
#include "platform/HostDisplay.h"
#include "platform/HostGl.h"
#include "platform/HostWindow.h"
#include "render/DisplayCommands.h"
#include "render/DrawingSurface.h"
#include "render/FaceByFaceDraw.h"
#include "render/ModelArrays.h"
#include "render/Scene.h"
#include "render/ViewVolumeCodes.h"

#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <time.h>

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

// A unit sphere of slices x stacks with every face a triangle, listed
// counter-clockwise from outside: 2 * slices * (stacks - 1) triangles.
std::string SphereText(int slices, int stacks) {
    std::ostringstream out;
    const int vertexCount = 2 + slices * (stacks - 1);
    out << "1\n" << vertexCount << ' ' << 2 * slices * (stacks - 1) << '\n';
    out << "0 0 1\n";
    for (int i = 1; i < stacks; ++i) {
        const double phi = M_PI * i / stacks;
        for (int j = 0; j < slices; ++j) {
            const double theta = 2.0 * M_PI * j / slices;
            out << std::sin(phi) * std::cos(theta) << ' ' << std::sin(phi) * std::sin(theta) << ' '
                << std::cos(phi) << '\n';
        }
    }
    out << "0 0 -1\n";
    auto ring = [&](int i, int j) { return 2 + (i - 1) * slices + (j % slices); };
    for (int j = 0; j < slices; ++j)
        out << 1 << ' ' << ring(1, j) << ' ' << ring(1, j + 1) << '\n';
    for (int i = 1; i < stacks - 1; ++i)
        for (int j = 0; j < slices; ++j) {
            out << ring(i, j) << ' ' << ring(i + 1, j) << ' ' << ring(i + 1, j + 1) << '\n';
            out << ring(i, j) << ' ' << ring(i + 1, j + 1) << ' ' << ring(i, j + 1) << '\n';
        }
    for (int j = 0; j < slices; ++j)
        out << vertexCount << ' ' << ring(stacks - 1, j + 1) << ' ' << ring(stacks - 1, j) << '\n';
    return out.str();
}

host::LRESULT PlainProc(host::HWND hwnd, host::UINT message, host::WPARAM wParam,
                        host::LPARAM lParam) {
    return host::DefWindowProc(hwnd, message, wParam, lParam);
}

host::HWND MakeWindow() {
    host::CREATESTRUCT cs;
    cs.x = 0;
    cs.y = 0;
    cs.cx = kWidth;
    cs.cy = kHeight;
    cs.style = host::WS_OVERLAPPEDWINDOW | host::WS_VISIBLE;
    cs.name = "render bench";
    return host::CreateWindow(cs, PlainProc, nullptr);
}

// One window, surface and sphere for all frame benchmarks.
struct Stage {
    host::HWND hwnd = nullptr;
    host::HDC dc = nullptr;
    DrawingSurface surface;
    Model sphere;
    bool ready = false;

    Stage() {
        if (!host::OpenDisplay())
            return;
        hwnd = MakeWindow();
        dc = host::GetDC(hwnd);
        if (!hwnd || !surface.Create(dc))
            return;
        surface.Resize(kWidth, kHeight);
        ready = sphere.OpenText(SphereText(500, 201), "sphere.dat");
    }

    static Stage& Get() {
        static Stage stage;
        return stage;
    }
};

double Median(std::vector<double> values) {
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

void DrawMesh(const Model& model) {
    model.Draw();
}

double ProcessCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// The share of the faces of the model last drawn by CountLeftOut that lie
// wholly beyond a side of the view: the ones the arrays leave out.
double g_leftOutShare = 0.0;

// Draws nothing; counts, in the frame's view, what the arrays leave out of a
// loaded model, whose vertex records are one array.
void CountLeftOut(const Model& model) {
    ViewVolumeCodes codes;
    codes.Compute(ViewVolumeCodes::CurrentVolume(), model.vertices, model.vertexCount);
    int leftOut = 0;
    for (const Face* face = model.faces; face; face = face->next) {
        const auto place = [&model](const Vertex* corner) {
            return static_cast<std::uint32_t>(corner - model.vertices);
        };
        const std::uint32_t places[] = {place(face->a), place(face->b), place(face->c)};
        leftOut += codes.AllBeyondOneSide(places, 3) ? 1 : 0;
    }
    g_leftOutShare = static_cast<double>(leftOut) / std::max(model.faceCount, 1);
}

// The wall-clock and the process CPU time of frames, in milliseconds. CPU time
// counts the renderer's own threads too; on a busy machine it varies less.
struct FrameTimes {
    std::vector<double> wall;
    std::vector<double> cpu;

    // Draws one whole frame with the mesh sent by drawMesh from distance,
    // presented and finished, and adds its times.
    void Add(Stage& stage, void (*drawMesh)(const Model&), double distance) {
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = ProcessCpuMs();
        DrawScene(0.0, 0.0, distance, stage.sphere, false, drawMesh);
        stage.surface.Present(stage.dc);
        glFinish();
        cpu.push_back(ProcessCpuMs() - cpuStart);
        wall.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
};

// Each iteration draws one frame face by face, as the program did, and one
// from the vertex arrays, as it does now: alternating, both see the same load
// of the machine. The counters are the medians and their ratios.
void BM_Frame(benchmark::State& state, void (*mode)(), double distance) {
    Stage& stage = Stage::Get();
    if (!stage.ready) {
        state.SkipWithError("no display, context or sphere");
        return;
    }
    mode();
    ShadeSmooth();
    FrameTimes().Add(stage, DrawMesh, distance); // builds the arrays, outside the measurement
    FrameTimes faceByFace, arrays;
    for (auto _ : state) {
        faceByFace.Add(stage, DrawFaceByFace, distance);
        arrays.Add(stage, DrawMesh, distance);
    }
    ShowSolid();
    state.counters["triangles"] = stage.sphere.faceCount;
    DrawScene(0.0, 0.0, distance, stage.sphere, false, CountLeftOut);
    state.counters["left_out"] = g_leftOutShare;
    state.counters["face_ms"] = Median(faceByFace.wall);
    state.counters["array_ms"] = Median(arrays.wall);
    state.counters["speedup"] = Median(faceByFace.wall) / Median(arrays.wall);
    state.counters["cpu_speedup"] = Median(faceByFace.cpu) / Median(arrays.cpu);
}

// Every frame benchmark times 31 pairs of frames. The CPU column is the whole
// process's: the renderer's own threads rasterise, and on a busy machine it
// says more than the wall clock does.
void FrameOptions(benchmark::internal::Benchmark* frames) {
    frames->Unit(benchmark::kMillisecond)->Iterations(31)->MeasureProcessCPUTime()->UseRealTime();
}

BENCHMARK_CAPTURE(BM_Frame, solid_smooth, &ShowSolid, 1500.0)->Apply(FrameOptions);
BENCHMARK_CAPTURE(BM_Frame, solid_smooth_near, &ShowSolid, 1000.0)->Apply(FrameOptions);
BENCHMARK_CAPTURE(BM_Frame, wire, &ShowWire, 1500.0)->Apply(FrameOptions);
BENCHMARK_CAPTURE(BM_Frame, points, &ShowPoints, 1500.0)->Apply(FrameOptions);

// Building the arrays at a mesh's first frame: the time and the memory they take.
void BM_BuildArrays(benchmark::State& state) {
    Stage& stage = Stage::Get();
    if (!stage.ready) {
        state.SkipWithError("no display, context or sphere");
        return;
    }
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::unique_ptr<ModelArrays> arrays = ModelArrays::Build(stage.sphere);
        bytes = arrays->ByteSize();
    }
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
    state.counters["bytes_per_triangle"] =
        static_cast<double>(bytes) / std::max(stage.sphere.faceCount, 1);
}
BENCHMARK(BM_BuildArrays)->Unit(benchmark::kMillisecond);

// From a new window to its first frame on screen: format, context, size, one
// frame of an empty scene and the swap; then everything is taken down again.
void BM_SurfaceStartUp(benchmark::State& state) {
    Stage& stage = Stage::Get(); // the display is open before timing starts
    if (!host::HasDisplay()) {
        state.SkipWithError("no display");
        return;
    }
    stage.surface.Destroy();
    stage.ready = false;
    Model empty;
    for (auto _ : state) {
        host::HWND hwnd = MakeWindow();
        host::HDC dc = host::GetDC(hwnd);
        DrawingSurface surface;
        surface.Create(dc);
        surface.Resize(kWidth, kHeight);
        DrawScene(0.0, 0.0, 1500.0, empty, false);
        surface.Present(dc);
        glFinish();
        surface.Destroy();
        host::DestroyWindow(hwnd);
    }
}
// Last: it takes the shared stage's context away.
BENCHMARK(BM_SurfaceStartUp)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
