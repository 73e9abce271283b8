#pragma once
// Work done ahead of need should not slow down the thread that will need it.
// While the program starts, the main thread connects to the display and makes
// the window; a model parsed beside it on every processor takes part of that
// thread's processor, and each thread started meanwhile waits for the loader
// lock that is held while the graphics driver loads. Behind a closed gate,
// parallel runs keep to the thread that called them; once the gate opens,
// they start their helpers.

#include <atomic>

class HelperGate {
public:
    /// Opens the gate for good: runs held by it start their helpers before
    /// their next task. Opening an open gate changes nothing.
    void Open() noexcept { m_open.store(true); }

    /// Whether Open has been called.
    bool IsOpen() const noexcept { return m_open.load(); }

    /// The gate of the innermost Scope that the calling thread is in; null
    /// outside any.
    static HelperGate* Current() noexcept;

    /// Holds the calling thread's parallel runs at gate while it lives.
    class Scope {
    public:
        explicit Scope(HelperGate& gate) noexcept;
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        HelperGate* m_previous = nullptr; ///< the gate to restore, not owned
    };

private:
    std::atomic<bool> m_open{false};
};
