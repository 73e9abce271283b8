#include "app/TurnBenchmark.h"

#include "app/Resource.h"
#include "platform/HostQueue.h"
#include "platform/HostWindow.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

// Where the drag starts, and how far each step moves: two pixels to the
// right turn the model by one degree.
constexpr int kStartX = 40;
constexpr int kStartY = 40;
constexpr int kPixelsPerStep = 4;
// The drag runs to and fro over this width, so that the positions stay small.
constexpr int kSweep = 400;
constexpr std::size_t kMostSteps = 100000;

} // namespace

std::size_t TurnBenchmark::StepsFromEnvironment() {
    const char* value = std::getenv("KOVOMODEL_BENCH_TURN");
    if (value == nullptr || *value < '0' || *value > '9') {
        return 0;
    }
    char* end = nullptr;
    errno = 0;
    const unsigned long steps = std::strtoul(value, &end, 10);
    if (errno != 0 || *end != '\0' || steps > kMostSteps) {
        return 0;
    }
    return steps;
}

unsigned TurnBenchmark::ModeCommandFromEnvironment() {
    const char* value = std::getenv("KOVOMODEL_BENCH_TURN_MODE");
    if (value != nullptr && std::strcmp(value, "points") == 0) {
        return ID_MODEL_POINTS;
    }
    if (value != nullptr && std::strcmp(value, "wire") == 0) {
        return ID_MODEL_WIRE;
    }
    return 0;
}

void TurnBenchmark::OnFramePresented(host::HWND window) {
    if (!IsRunning()) {
        return;
    }
    if (m_modeCommand != 0) {
        // The command's frame comes next; the drag starts after it.
        host::PostMessage(host::GetTopLevelWindow(window), host::WM_COMMAND,
                          host::MAKEWPARAM(m_modeCommand, 0), 0);
        m_modeCommand = 0;
        // The mode commands change nothing on screen until the next paint.
        host::InvalidateRect(window, nullptr, host::FALSE);
        return;
    }
    const Clock::time_point now = Clock::now();
    if (m_posted != 0) {
        m_frameTimes.push_back(
            std::chrono::duration<double, std::milli>(now - m_lastFrame).count());
    }
    m_lastFrame = now;
    if (m_posted == m_steps) {
        Finish(window);
        return;
    }
    PostStep(window);
}

void TurnBenchmark::PostStep(host::HWND window) {
    if (m_posted == 0) {
        host::PostMessage(window, host::WM_LBUTTONDOWN, host::MK_LBUTTON,
                          host::MAKELPARAM(kStartX, kStartY));
    }
    ++m_posted;
    // To and fro, so that every step turns the model by the same angle.
    const int travel = static_cast<int>((m_posted * kPixelsPerStep) % (2 * kSweep));
    const int x = kStartX + (travel <= kSweep ? travel : 2 * kSweep - travel);
    host::PostMessage(window, host::WM_MOUSEMOVE, host::MK_LBUTTON, host::MAKELPARAM(x, kStartY));
}

void TurnBenchmark::Finish(host::HWND window) {
    m_done = true;
    host::PostMessage(window, host::WM_LBUTTONUP, 0, host::MAKELPARAM(kStartX, kStartY));
    const auto [median, ninetieth] = MedianAnd90th(m_frameTimes);
    std::fprintf(m_out, "kovomodel: turning %zu steps: median %.2f ms, 90th percentile %.2f ms\n",
                 m_frameTimes.size(), median, ninetieth);
    std::fflush(m_out);
    host::PostMessage(host::GetTopLevelWindow(window), host::WM_CLOSE, 0, 0);
}

std::pair<double, double> TurnBenchmark::MedianAnd90th(std::vector<double> times) {
    if (times.empty()) {
        return {0.0, 0.0};
    }
    std::sort(times.begin(), times.end());
    const auto rank = [&](double fraction) {
        const auto at = static_cast<std::size_t>(std::ceil(fraction * times.size()));
        return times[std::max<std::size_t>(at, 1) - 1];
    };
    return {rank(0.5), rank(0.9)};
}
