#pragma once
// Model files read ahead on a worker thread, so that parsing them overlaps
// with whatever the caller does meanwhile (at start-up: connecting to the
// display and creating the window). A result read ahead is only handed out
// while the file is provably the one that was read. Until the caller first has
// to wait for a result, the worker parses on its own thread alone and leaves
// the other processors to the caller (see HelperGate); from then on, it parses
// on all of them.

#include "model/Model.h"
#include "support/FileIdentity.h"
#include "support/HelperGate.h"
#include "support/StopRequest.h"

#include <condition_variable>
#include <functional>
#include <list>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class ModelPrefetch {
public:
    /// Starts reading the regular files among paths, in order, on one worker
    /// thread. Nothing here throws for the worker's sake: when no thread can
    /// be started, nothing is read ahead and Open reads as Model::Open does.
    explicit ModelPrefetch(const std::vector<std::string>& paths);

    /// Finishes, as Finish does.
    ~ModelPrefetch();

    /// Stops the worker at the end of the piece of a file it is reading,
    /// drops the files not yet started, and frees every result that was not
    /// handed out. Open then reads as Model::Open does.
    void Finish() noexcept;

    ModelPrefetch(const ModelPrefetch&) = delete;
    ModelPrefetch& operator=(const ModelPrefetch&) = delete;

    /// Opens path into model with exactly Model::Open's outcome and effect:
    /// the result read ahead when the file at path is still the file that
    /// was read (the same FileIdentity before and after the read), else a
    /// fresh Model::Open. Waits for the worker only while it reads that very
    /// file or one before it; from the first such wait on, the worker parses
    /// on every processor. Each result serves
    /// once. A failure is handed out only for the same path text, since the
    /// reason names it. A result of the file at path that the file no longer
    /// matches is freed at once.
    /// whileFinishing, when set, is run at most once, on the calling thread,
    /// when Open finds the worker finishing that file alone, a surface model
    /// whose every record is read, with centring and vertex normals left:
    /// the caller's own work that can use the processors the load leaves
    /// idle then. It must not touch model; what it throws passes through,
    /// and the result read ahead stays for a later Open.
    /// std::bad_alloc passes through, as from Model::Open.
    bool Open(Model& model, const std::string& path,
              const std::function<void()>& whileFinishing = {});

    /// Returns once the worker has finished with every file. For tests, which
    /// must change a file only after it was read.
    void WaitUntilRead();

    /// How many Open calls a result read ahead has served.
    int Hits() const;

    /// How many results read ahead are held, neither handed out nor freed.
    int Held() const;

private:
    struct Entry {
        // Finishing: a surface model's every record read; centring and vertex
        // normals left, on the worker alone.
        enum class State { Queued, Reading, Finishing, Done, Unusable };
        std::string path;
        State state = State::Queued;
        FileIdentity before; ///< the file as the read began
        FileIdentity after;  ///< the file as the read ended
        bool opened = false; ///< what Model::Open returned
        bool taken = false;
        bool unwanted = false; ///< the file changed: the worker frees the parse
        Model model;
    };

    // What one Open asks for; whileFinishing is emptied once it has run.
    struct Request {
        const FileIdentity& now;
        const std::string& path;
        std::function<void()> whileFinishing;
    };

    void Run();
    void Read(Entry& entry);
    bool Parse(Entry& entry) noexcept;
    bool IsUnwanted(const Entry& entry);
    void Publish(Entry& entry, Entry::State state);
    void Drop(Entry& entry);
    template <typename Ready> void WaitFor(Ready ready, std::unique_lock<std::mutex>& lock);
    void WaitForEnd(Entry& entry, Request& request, std::unique_lock<std::mutex>& lock);
    bool Hand(Entry& entry, Model& model);
    bool TryTake(Entry& entry, Request& request, Model& model, bool& opened,
                 std::unique_lock<std::mutex>& lock);

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::list<Entry> m_entries; ///< a list, so that entries never move while read
    bool m_stopping = false;
    int m_hits = 0;
    HelperGate m_gate;  ///< opens at the first wait for the worker
    StopRequest m_stop; ///< made by Finish
    std::thread m_worker;
};
