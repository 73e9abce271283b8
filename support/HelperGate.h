#pragma once
// Work done ahead of need should not slow down the thread that will need it.
// While the program starts, the main thread connects to the display and makes
// the window; a model parsed beside it on every processor takes part of that
// thread's processor, and each thread started meanwhile waits for the loader
// lock that is held while the graphics driver loads. Behind a closed gate,
// parallel runs keep to the thread that called them; once the gate opens,
// they start their helpers.

#include <atomic>
#include <mutex>

class HelperGate {
public:
    /// Work held at the gate that can start its helpers from another thread.
    class Waiter {
    public:
        /// Called on the thread that opens the gate, while the waiter is
        /// registered (Await); must neither throw nor wait for the work.
        virtual void OnGateOpen() noexcept = 0;

    protected:
        ~Waiter() = default;
    };

    /// Opens the gate for good. The waiter registered now, if any, has
    /// OnGateOpen called on this thread before Open returns, so that its
    /// helpers start at once rather than when its own thread next looks;
    /// other runs held by the gate start theirs before their next task.
    /// Opening an open gate changes nothing.
    void Open() noexcept;

    /// Whether Open has been called.
    bool IsOpen() const noexcept { return m_open.load(); }

    /// Registers waiter, until StopAwaiting, to be told when the gate opens.
    /// Returns false, registering nothing, when the gate is already open or
    /// another waiter is registered: that work looks at the gate itself.
    bool Await(Waiter& waiter) noexcept;

    /// Unregisters waiter; after this returns, Open no longer calls it. Does
    /// nothing for a waiter that is not registered.
    void StopAwaiting(Waiter& waiter) noexcept;

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
    std::mutex m_mutex;         // guards m_waiter, and a waiter's call while it runs
    Waiter* m_waiter = nullptr; // registered work, not owned
};
