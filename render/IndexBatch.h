#pragma once
// The indices of a mesh's primitives, made as they are drawn: gathered in a
// small piece of memory that is drawn from and filled again, so that a mesh of
// millions of faces needs no index array of its own.

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <vector>

/// Gathers the indices of consecutive primitives of one kind and draws them
/// with one call when the kind changes, the room is full or Send is called.
/// Where kinds alternate, the calls keep the order in which primitives were
/// added, which decides what shows where faces overlap at equal depth. After
/// every few calls' worth of indices it tells a software renderer to start on
/// what it was sent (see IndexBatch.cpp).
class IndexBatch {
public:
    /// Gathers into room, which must hold at least as many indices as one
    /// primitive has and is used by nothing else while the batch lives.
    /// flushes: the renderer draws on the processor and is told to start
    /// every few calls (CurrentRendererIsSoftware).
    IndexBatch(std::vector<std::uint32_t>& room, bool flushes) noexcept
        : m_room(room), m_flushes(flushes) {}

    IndexBatch(const IndexBatch&) = delete;
    IndexBatch& operator=(const IndexBatch&) = delete;

    /// Adds the count indices of one primitive drawn as mode (GL_LINES,
    /// GL_TRIANGLES or GL_QUADS), after sending what was gathered when that
    /// is of another mode or the room cannot take them. Needs a current
    /// context whose vertex arrays the indices point into.
    void Add(unsigned mode, const std::uint32_t* indices, std::size_t count) {
        // Inline: a mesh of millions of faces adds each of them in every frame.
        assert(count > 0 && count <= m_room.size() && "the room holds a whole primitive");
        if (mode != m_mode || m_size + count > m_room.size()) {
            SendAndSwitch(mode);
        }
        std::uint32_t* to = m_room.data() + m_size;
        for (std::size_t i = 0; i < count; ++i) {
            to[i] = indices[i];
        }
        m_size += count;
    }

    /// Draws what is gathered, if anything, with one call.
    void Send();

private:
    void SendAndSwitch(unsigned mode);

    std::vector<std::uint32_t>& m_room;
    const bool m_flushes;
    std::size_t m_size = 0;      // indices gathered and not yet sent
    unsigned m_mode = 0;         // the primitive of the indices gathered
    std::size_t m_unflushed = 0; // indices sent since the renderer was last told to start
};
