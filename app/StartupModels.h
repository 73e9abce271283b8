#pragma once
// The model files that start-up is about to open, read ahead on a worker
// thread from the first moment of the program, so that parsing them overlaps
// with connecting to the display and creating the window. The document opens
// its models through here; what it gets is exactly what reading the file then
// would give, since a result read ahead serves only while the file is
// unchanged.

#include "model/ModelPrefetch.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class Model;

class StartupModels {
public:
    /// Starts reading the default model and, when the arguments (argv[1] on)
    /// ask to open or print a file, that file, in the order start-up opens
    /// them. Makes itself the one that Open uses while it lives.
    /// spareWork, when set, is the caller's work that the worker does first
    /// (ModelPrefetch's beforeReading), but only while the files come to
    /// kSpareWorkBytes or less; otherwise it is not run, and the caller's
    /// thread does that work itself when it needs it.
    StartupModels(int argc, char** argv, std::function<void()> spareWork = {});
    ~StartupModels();
    StartupModels(const StartupModels&) = delete;
    StartupModels& operator=(const StartupModels&) = delete;

    /// Opens path into model with Model::Open's outcome: through what was
    /// read ahead while a StartupModels lives, else by reading the file.
    /// whileFinishing is ModelPrefetch::Open's: work run while the worker
    /// finishes that file alone, if Open finds it doing so.
    static bool Open(Model& model, const std::string& path,
                     const std::function<void()>& whileFinishing = {});

    /// How many opens the files read ahead have served; 0 while no
    /// StartupModels lives. For tests of the wiring.
    static int Hits();

    /// The files that start-up opens for these arguments, in order.
    static std::vector<std::string> FilesToRead(const std::vector<std::string>& arguments);

    /// The most that the files may come to, in all, for the worker to take
    /// spare work before them. Parsed at about 7 ns a byte on one processor,
    /// 8 MiB and a 15 ms driver load are over before the window is made
    /// (some 75 ms on a 2-core virtual machine); a larger model is what the
    /// first frame waits for, so the worker starts on it at once.
    static constexpr std::int64_t kSpareWorkBytes = std::int64_t{8} << 20;

    /// The sizes of the regular files among files, added up; the rest count 0.
    static std::int64_t TotalSize(const std::vector<std::string>& files);

private:
    StartupModels(const std::vector<std::string>& files, std::function<void()> spareWork);

    ModelPrefetch m_prefetch;
    StartupModels* m_previous = nullptr; ///< the one this replaced, restored at the end
    static StartupModels* s_current;     ///< the innermost one alive, held by main
};
