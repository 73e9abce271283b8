#include "platform/gl/GlContext.h"

#include <FL/x.H>

namespace host {

GlContext::~GlContext() {
    glXDestroyContext(fl_display, context);
}

} // namespace host
