#include "model/ModelPrefetch.h"

#include <system_error>

ModelPrefetch::ModelPrefetch(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) {
        m_entries.emplace_back();
        m_entries.back().path = path;
    }
    try {
        m_worker = std::thread([this] { Run(); });
    } catch (const std::system_error&) {
        // No worker: every Open reads for itself.
        for (Entry& entry : m_entries) {
            entry.state = Entry::State::Unusable;
        }
    }
}

ModelPrefetch::~ModelPrefetch() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
    }
    m_gate.Open();
    if (m_worker.joinable()) {
        m_worker.join();
    }
}

void ModelPrefetch::Run() {
    const HelperGate::Scope held(m_gate);
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
    try {
        entry.opened = entry.model.Open(entry.path);
    } catch (...) {
        // Out of memory, most likely: the open step will meet it itself.
        entry.model.Clear();
        Publish(entry, Entry::State::Unusable);
        return;
    }
    entry.after = FileIdentity::Of(entry.path);
    Publish(entry, entry.after == before ? Entry::State::Done : Entry::State::Unusable);
}

void ModelPrefetch::Publish(Entry& entry, Entry::State state) {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        entry.state = state;
    }
    m_changed.notify_all();
}

bool ModelPrefetch::Open(Model& model, const std::string& path) {
    const FileIdentity now = FileIdentity::Of(path);
    if (now.regular) {
        std::unique_lock<std::mutex> lock(m_mutex);
        for (Entry& entry : m_entries) {
            bool opened = false;
            if (TryTake(entry, now, path, model, opened, lock)) {
                return opened;
            }
        }
    }
    return model.Open(path);
}

bool ModelPrefetch::TryTake(Entry& entry, const FileIdentity& now, const std::string& path,
                            Model& model, bool& opened, std::unique_lock<std::mutex>& lock) {
    WaitFor([&] { return entry.state != Entry::State::Queued; }, lock);
    if (entry.state == Entry::State::Unusable || entry.taken || entry.before != now) {
        return false;
    }
    WaitFor([&] { return entry.state != Entry::State::Reading; }, lock);
    if (entry.state != Entry::State::Done || entry.after != now ||
        (!entry.opened && entry.path != path)) {
        return false;
    }
    entry.taken = true;
    ++m_hits;
    opened = entry.opened;
    // A failed Model::Open keeps the type and centre the model had.
    const auto type = model.type;
    const Model::IntVector center = model.center;
    model.Swap(entry.model);
    if (!opened) {
        model.type = type;
        model.center = center;
    }
    entry.model.Clear();
    return true;
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
                if (entry.state == Entry::State::Queued || entry.state == Entry::State::Reading) {
                    return false;
                }
            }
            return true;
        },
        lock);
}

int ModelPrefetch::Hits() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_hits;
}
