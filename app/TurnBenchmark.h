#pragma once
// Timing how fast the view turns a model: a left drag fed through the message
// queue after the first frame, one step per frame, as a user's drag arrives.

#include "platform/HostTypes.h"

#include <chrono>
#include <cstddef>
#include <cstdio>
#include <utility>
#include <vector>

/// Drives a drag of a set number of steps over a window and times the frames
/// it causes. After each presented frame the next step is posted: a button
/// press first, then one WM_MOUSEMOVE with the left button held per step, so
/// that every step makes one paint. A display command asked for is sent
/// first, and its frame is not timed. When the last step's frame is presented,
/// the median and the 90th percentile of the times between frames are
/// written out and the window's top-level window is asked to close.
class TurnBenchmark {
public:
    /// The steps asked for by the environment (KOVOMODEL_BENCH_TURN, a whole
    /// number from 1 to 100000); 0, which turns the benchmark off, for
    /// anything else or nothing.
    static std::size_t StepsFromEnvironment();

    /// The display command to give before the drag, asked for by the
    /// environment (KOVOMODEL_BENCH_TURN_MODE: "points" or "wire"); 0 for
    /// anything else or nothing, which keeps the mode the program starts in.
    static unsigned ModeCommandFromEnvironment();

    /// A benchmark of steps steps (0: none) that first sends modeCommand (0:
    /// none) to the top-level window, and writes its result to out.
    explicit TurnBenchmark(std::size_t steps, unsigned modeCommand = 0,
                           std::FILE* out = stderr) noexcept
        : m_steps(steps), m_modeCommand(modeCommand), m_out(out) {}

    /// Whether a benchmark was asked for and has not ended.
    bool IsRunning() const noexcept { return m_steps != 0 && !m_done; }

    /// Called after every frame presented in window: times it and posts the
    /// next step, or ends the benchmark. Does nothing when not running.
    void OnFramePresented(host::HWND window);

    /// The median and 90th percentile of times in milliseconds, nearest rank;
    /// {0, 0} for none.
    static std::pair<double, double> MedianAnd90th(std::vector<double> times);

private:
    using Clock = std::chrono::steady_clock;

    void PostStep(host::HWND window);
    void Finish(host::HWND window);

    std::size_t m_steps = 0;
    unsigned m_modeCommand = 0; // sent, and its frame shown, before the drag begins
    std::FILE* m_out = nullptr;
    std::size_t m_posted = 0; // steps posted so far
    bool m_done = false;
    Clock::time_point m_lastFrame{};
    std::vector<double> m_frameTimes; // milliseconds between frames, one per step
};
