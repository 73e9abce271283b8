#pragma once
// The record behind an HGLRC: it owns its GLX context and destroys it when
// the record goes.

#include <GL/glx.h>

namespace host {

struct GlContext {
    GlContext(GLXContext made, int format) : context(made), pixelFormat(format) {}
    ~GlContext();
    GlContext(const GlContext&) = delete;
    GlContext& operator=(const GlContext&) = delete;

    GLXContext context = nullptr; ///< owned
    int pixelFormat = 0;          ///< the format it was made for
};

} // namespace host
