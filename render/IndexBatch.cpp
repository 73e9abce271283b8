#include "render/IndexBatch.h"

#include <GL/gl.h>

// A software renderer keeps every primitive sent to it since the last flush
// in memory of its own until it rasterises them, which for a mesh of millions
// of faces takes nearly as much again as the mesh. Flushed after about this
// many indices, it rasterises on its own threads while the next ones are sent,
// and uses the same memory again. A GPU's driver schedules its own work, and
// a flush would only cost it a submission, so it is not told.
static constexpr std::size_t kIndicesPerFlush = std::size_t{12} << 10;

void IndexBatch::SendAndSwitch(unsigned mode) {
    Send();
    m_mode = mode;
}

void IndexBatch::Send() {
    if (m_size == 0) {
        return;
    }
    glDrawElements(m_mode, static_cast<GLsizei>(m_size), GL_UNSIGNED_INT, m_room.data());
    m_unflushed += m_size;
    m_size = 0;
    if (m_flushes && m_unflushed >= kIndicesPerFlush) {
        glFlush();
        m_unflushed = 0;
    }
}
