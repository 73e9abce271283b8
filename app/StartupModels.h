#pragma once
// The model files that start-up is about to open, read ahead on a worker
// thread from the first moment of the program, so that parsing them overlaps
// with connecting to the display and creating the window. The document opens
// its models through here; what it gets is exactly what reading the file then
// would give, since a result read ahead serves only while the file is
// unchanged.

#include "model/ModelPrefetch.h"

#include <functional>
#include <string>
#include <vector>

class Model;

class StartupModels {
public:
    /// Starts reading the default model and, when the arguments (argv[1] on)
    /// ask to open or print a file, that file, in the order start-up opens
    /// them. Makes itself the one that Open uses while it lives.
    /// whileFinishing, when set, is start-up work that Open runs after each
    /// model it opens, or while the worker finishes that model alone (see
    /// ModelPrefetch::Open); it must do nothing once done.
    StartupModels(int argc, char** argv, std::function<void()> whileFinishing = {});
    ~StartupModels();
    StartupModels(const StartupModels&) = delete;
    StartupModels& operator=(const StartupModels&) = delete;

    /// Opens path into model with Model::Open's outcome: through what was
    /// read ahead while start-up lasts, else by reading the file.
    static bool Open(Model& model, const std::string& path);

    /// Ends start-up: stops the worker and frees whatever it read that
    /// start-up did not take. Later opens read their files.
    static void EndStartup() noexcept;

    /// How many opens the files read ahead have served; 0 while no
    /// StartupModels lives. For tests of the wiring.
    static int Hits();

    /// The files that start-up opens for these arguments, in order.
    static std::vector<std::string> FilesToRead(const std::vector<std::string>& arguments);

private:
    ModelPrefetch m_prefetch;
    std::function<void()> m_whileFinishing;
    StartupModels* m_previous = nullptr; ///< the one this replaced, restored at the end
    static StartupModels* s_current;     ///< the innermost one alive, held by main
};
