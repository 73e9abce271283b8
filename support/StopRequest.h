#pragma once
// Asking long work on another thread to stop early. The thread doing the work
// holds a Scope; parallel runs it starts meanwhile check the request between
// their tasks and end with Stopped once it is made.

#include <atomic>
#include <exception>

class StopRequest {
public:
    /// Asks the work to stop; for good.
    void Request() noexcept { m_requested.store(true); }

    /// Whether Request has been called.
    bool Requested() const noexcept { return m_requested.load(); }

    /// The request of the innermost Scope that the calling thread is in;
    /// null outside any.
    static const StopRequest* Current() noexcept;

    /// Has the calling thread's parallel runs check request while it lives.
    class Scope {
    public:
        explicit Scope(const StopRequest& request) noexcept;
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        const StopRequest* m_previous = nullptr; ///< the request to restore, not owned
    };

private:
    std::atomic<bool> m_requested{false};
};

/// What work that was asked to stop throws.
class Stopped : public std::exception {
public:
    const char* what() const noexcept override { return "stopped on request"; }
};
