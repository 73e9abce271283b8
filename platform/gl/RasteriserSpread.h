#pragma once
// Mesa's software renderer rasterises a frame on threads of its own, one per
// processor, while the thread that sent the frame waits for them. Woken while
// that thread still had its processor, they often share another one, and the
// scheduler keeps them there long after the sender has gone idle: a thread
// that has just run counts as warm where it is. The end of every frame then
// runs on one processor with the other idle.

#include <sched.h>
#include <sys/types.h>

#include <cstddef>
#include <vector>

namespace host {

/// The name that Mesa's software renderer gives its rasterising threads, each
/// followed by its number.
inline constexpr char kRasteriserThreadPrefix[] = "llvmpipe-";

/// For as long as it lives, binds each thread of this process whose name
/// begins with a prefix to one processor of those the calling thread may use,
/// in turn, so that no two share a processor while there are enough of them;
/// then gives each thread back the processors it had.
class RasteriserSpread {
public:
    /// Binds the threads named namePrefix... . Binds nothing where fewer than
    /// two processors are usable or no thread has such a name; a thread that
    /// ends meanwhile, or that the system will not bind, is left as it is.
    explicit RasteriserSpread(const char* namePrefix = kRasteriserThreadPrefix);
    /// Gives every thread bound the processors it had before.
    ~RasteriserSpread();
    RasteriserSpread(const RasteriserSpread&) = delete;
    RasteriserSpread& operator=(const RasteriserSpread&) = delete;

    /// How many threads are bound now.
    std::size_t BoundCount() const noexcept { return m_bound.size(); }

private:
    struct Bound {
        pid_t thread = 0;
        cpu_set_t processors{}; ///< those it had, given back at the end
    };

    std::vector<Bound> m_bound;
};

} // namespace host
