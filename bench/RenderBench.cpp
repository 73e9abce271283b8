// Frames per second of the scene under the software renderer: a sphere of
// about 200,000 triangles at 800 x 600, drawn whole and presented per frame
// in each polygon mode, and the time from a new window to its first frame.
// Needs a display (run under Xvfb).

#include "model/Model.h"
#include "platform/HostDisplay.h"
#include "platform/HostGl.h"
#include "platform/HostWindow.h"
#include "render/DisplayCommands.h"
#include "render/DrawingSurface.h"
#include "render/Scene.h"

#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <sstream>
#include <string>

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

void BM_Frame(benchmark::State& state, void (*mode)()) {
    Stage& stage = Stage::Get();
    if (!stage.ready) {
        state.SkipWithError("no display, context or sphere");
        return;
    }
    mode();
    ShadeSmooth();
    for (auto _ : state) {
        DrawScene(0.0, 0.0, 1500.0, stage.sphere, false);
        stage.surface.Present(stage.dc);
        glFinish();
    }
    ShowSolid();
    state.counters["triangles"] = stage.sphere.faceCount;
    state.counters["fps"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

// CPU time is that of the whole process: the renderer's own threads
// rasterise, and on a busy machine it says more than the wall clock does.
BENCHMARK_CAPTURE(BM_Frame, solid_smooth, &ShowSolid)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_Frame, wire, &ShowWire)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_Frame, points, &ShowPoints)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

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
