#pragma once
// The record behind an HGLRC.

#include <GL/glx.h>

namespace host {

struct GlContext {
    GLXContext context = nullptr; ///< owned: destroyed with the record
    int pixelFormat = 0;          ///< the format it was made for
};

} // namespace host
