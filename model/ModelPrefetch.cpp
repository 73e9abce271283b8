#include "model/ModelPrefetch.h"

#include <system_error>
#include <utility>

ModelPrefetch::ModelPrefetch(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) {
        m_entries.emplace_back();
        m_entries.back().path = path;
    }
    try {
        m_worker = std::thread([this] { Run(); });
    } catch (...) {
        // No worker: every Open reads for itself.
        for (Entry& entry : m_entries) {
            entry.state = Entry::State::Unusable;
        }
    }
}

ModelPrefetch::~ModelPrefetch() {
    Finish();
}

void ModelPrefetch::Finish() noexcept {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
    }
    m_stop.Request();
    m_gate.Open();
    if (m_worker.joinable()) {
        m_worker.join();
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    for (Entry& entry : m_entries) {
        Drop(entry);
    }
}

void ModelPrefetch::Run() {
    const HelperGate::Scope held(m_gate);
    const StopRequest::Scope stoppable(m_stop);
    for (Entry& entry : m_entries) {
        bool stopping = false;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            stopping = m_stopping;
        }
        if (stopping) {
            Publish(entry, Entry::State::Unusable);
            continue;
        }
        Read(entry);
    }
}

void ModelPrefetch::Read(Entry& entry) {
    // Only regular files: reading a pipe or a device here would take what
    // the open step itself must read.
    const FileIdentity before = FileIdentity::Of(entry.path);
    if (!before.regular) {
        Publish(entry, Entry::State::Unusable);
        return;
    }
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        entry.before = before;
        entry.state = Entry::State::Reading;
    }
    m_changed.notify_all();
    if (!Parse(entry)) {
        Publish(entry, Entry::State::Unusable);
        return;
    }
    entry.after = FileIdentity::Of(entry.path);
    if (IsUnwanted(entry) || entry.after != before) {
        entry.model.Clear();
        Publish(entry, Entry::State::Unusable);
        return;
    }
    Publish(entry, Entry::State::Done);
}

// Parses entry's file into its model; false, with the model cleared, when
// the parse was stopped or ran out of memory (the open step meets the latter
// itself).
bool ModelPrefetch::Parse(Entry& entry) noexcept {
    try {
        // Only a surface model has vertex normals left to make: a wire
        // model's centring is over too soon for the caller to use.
        entry.opened = entry.model.Open(entry.path, [&](const Model& read) {
            if (read.type != 0) {
                Publish(entry, Entry::State::Finishing);
            }
        });
        return true;
    } catch (...) {
        entry.model.Clear();
        return false;
    }
}

// Whether the open step has found the file changed and turned the parse down.
bool ModelPrefetch::IsUnwanted(const Entry& entry) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    return entry.unwanted;
}

// Under m_mutex, with the worker done with entry.
void ModelPrefetch::Drop(Entry& entry) {
    entry.state = Entry::State::Unusable;
    entry.model.Clear();
}

void ModelPrefetch::Publish(Entry& entry, Entry::State state) {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        entry.state = state;
    }
    m_changed.notify_all();
}

bool ModelPrefetch::Open(Model& model, const std::string& path,
                         const std::function<void()>& whileFinishing) {
    const FileIdentity now = FileIdentity::Of(path);
    if (now.regular) {
        Request request{now, path, whileFinishing};
        std::unique_lock<std::mutex> lock(m_mutex);
        for (Entry& entry : m_entries) {
            bool opened = false;
            if (TryTake(entry, request, model, opened, lock)) {
                return opened;
            }
        }
    }
    return model.Open(path);
}

namespace {
// Whether two identities name one file, changed or not.
bool SameFile(const FileIdentity& a, const FileIdentity& b) {
    return a.device == b.device && a.inode == b.inode;
}

// Lets go of a held lock for as long as it lives.
class Unlocked {
public:
    explicit Unlocked(std::unique_lock<std::mutex>& lock) : m_lock(lock) { m_lock.unlock(); }
    ~Unlocked() { m_lock.lock(); }
    Unlocked(const Unlocked&) = delete;
    Unlocked& operator=(const Unlocked&) = delete;

private:
    std::unique_lock<std::mutex>& m_lock;
};
} // namespace

void ModelPrefetch::WaitForEnd(Entry& entry, Request& request, std::unique_lock<std::mutex>& lock) {
    WaitFor([&] { return entry.state != Entry::State::Reading; }, lock);
    if (entry.state == Entry::State::Finishing && request.whileFinishing) {
        const std::function<void()> work = std::exchange(request.whileFinishing, nullptr);
        const Unlocked unlocked(lock);
        work();
    }
    WaitFor([&] { return entry.state != Entry::State::Finishing; }, lock);
}

bool ModelPrefetch::TryTake(Entry& entry, Request& request, Model& model, bool& opened,
                            std::unique_lock<std::mutex>& lock) {
    WaitFor([&] { return entry.state != Entry::State::Queued; }, lock);
    if (entry.state == Entry::State::Unusable || entry.taken) {
        return false;
    }
    if (entry.before != request.now) {
        if (SameFile(entry.before, request.now)) {
            // The file has changed: free its parse, or have the worker free it.
            if (entry.state == Entry::State::Done) {
                Drop(entry);
            }
            entry.unwanted = true;
        }
        return false;
    }
    WaitForEnd(entry, request, lock);
    if (entry.state != Entry::State::Done) {
        return false;
    }
    if (entry.after != request.now) {
        Drop(entry);
        return false;
    }
    if (!entry.opened && entry.path != request.path) {
        return false;
    }
    opened = Hand(entry, model);
    return true;
}

// Under m_mutex: moves entry's parse into model, with what Model::Open would
// have left there, and returns what Model::Open returned.
bool ModelPrefetch::Hand(Entry& entry, Model& model) {
    entry.taken = true;
    ++m_hits;
    // A failed Model::Open keeps the type and centre the model had.
    const auto type = model.type;
    const Model::IntVector center = model.center;
    model.Swap(entry.model);
    if (!entry.opened) {
        model.type = type;
        model.center = center;
    }
    entry.model.Clear();
    return entry.opened;
}

template <typename Ready>
void ModelPrefetch::WaitFor(Ready ready, std::unique_lock<std::mutex>& lock) {
    if (ready()) {
        return;
    }
    // The caller can go no further without the worker: it may use every
    // processor from now on.
    m_gate.Open();
    m_changed.wait(lock, ready);
}

void ModelPrefetch::WaitUntilRead() {
    std::unique_lock<std::mutex> lock(m_mutex);
    WaitFor(
        [&] {
            for (const Entry& entry : m_entries) {
                if (entry.state == Entry::State::Queued || entry.state == Entry::State::Reading ||
                    entry.state == Entry::State::Finishing) {
                    return false;
                }
            }
            return true;
        },
        lock);
}

int ModelPrefetch::Held() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    int held = 0;
    for (const Entry& entry : m_entries) {
        held += entry.state == Entry::State::Done && !entry.taken ? 1 : 0;
    }
    return held;
}

int ModelPrefetch::Hits() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_hits;
}
