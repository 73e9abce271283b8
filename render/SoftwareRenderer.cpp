#include "render/SoftwareRenderer.h"

#include <GL/gl.h>

#include <cstring>
#include <initializer_list>

bool IsSoftwareRenderer(const char* renderer) {
    if (renderer == nullptr) {
        return false;
    }
    for (const char* name : {"llvmpipe", "softpipe", "Software Rasterizer"}) {
        if (std::strstr(renderer, name) != nullptr) {
            return true;
        }
    }
    return false;
}

bool CurrentRendererIsSoftware() {
    return IsSoftwareRenderer(reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
}
