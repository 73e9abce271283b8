// Choosing and describing pixel formats.

#include "platform/gl/GlFormat.h"

#include "platform/HostDisplay.h"
#include "platform/gl/GlConfigList.h"

#include <FL/x.H>

#include <algorithm>
#include <vector>

namespace host {

namespace {

BYTE Shift(unsigned long mask) {
    BYTE shift = 0;
    while (mask && !(mask & 1)) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

BYTE Clamp(int bits) {
    return static_cast<BYTE>(std::clamp(bits, 0, 255));
}

// One step of the ladder: what is still asked for of depth, stencil and
// accumulation buffers.
struct Rung {
    int depth;
    int stencil;
    int accum;
};

std::vector<int> Attributes(const PIXELFORMATDESCRIPTOR& want, const Rung& rung) {
    const bool doubleBuffer = (want.dwFlags & PFD_DOUBLEBUFFER) != 0;
    return {GLX_X_RENDERABLE,
            True,
            GLX_DRAWABLE_TYPE,
            GLX_WINDOW_BIT,
            GLX_RENDER_TYPE,
            GLX_RGBA_BIT,
            GLX_DOUBLEBUFFER,
            doubleBuffer ? True : static_cast<int>(GLX_DONT_CARE),
            GLX_RED_SIZE,
            want.cRedBits,
            GLX_GREEN_SIZE,
            want.cGreenBits,
            GLX_BLUE_SIZE,
            want.cBlueBits,
            GLX_DEPTH_SIZE,
            rung.depth,
            GLX_STENCIL_SIZE,
            rung.stencil,
            GLX_ACCUM_RED_SIZE,
            rung.accum,
            GLX_ACCUM_GREEN_SIZE,
            rung.accum,
            GLX_ACCUM_BLUE_SIZE,
            rung.accum,
            None};
}

// How well a configuration that meets the request suits the screen: a
// true-colour visual shows its pixels without a colour map to fill, and no
// alpha when none was asked for keeps the visual the screen's own.
int Suitability(GLXFBConfig config, const PIXELFORMATDESCRIPTOR& want) {
    GlConfigList& list = GlConfigList::Instance();
    int score = 0;
    if (list.Attribute(config, GLX_X_VISUAL_TYPE) == GLX_TRUE_COLOR) {
        score += 2;
    }
    if (want.cAlphaBits != 0 || list.Attribute(config, GLX_ALPHA_SIZE) == 0) {
        score += 1;
    }
    return score;
}

// The most suitable of the configurations that meet the request; the
// display's order decides between equals.
GLXFBConfig Preferred(GLXFBConfig* configs, int count, const PIXELFORMATDESCRIPTOR& want) {
    GLXFBConfig best = nullptr;
    int bestScore = -1;
    for (int i = 0; i < count; ++i) {
        if (GlConfigList::Instance().IndexOf(configs[i]) == 0) {
            continue;
        }
        const int score = Suitability(configs[i], want);
        if (score > bestScore) {
            best = configs[i];
            bestScore = score;
        }
    }
    return best;
}

int TryRung(const PIXELFORMATDESCRIPTOR& want, const Rung& rung) {
    const std::vector<int> attributes = Attributes(want, rung);
    int count = 0;
    GLXFBConfig* configs = glXChooseFBConfig(fl_display, fl_screen, attributes.data(), &count);
    if (!configs) {
        return 0;
    }
    GLXFBConfig chosen = Preferred(configs, count, want);
    XFree(configs);
    return chosen ? GlConfigList::Instance().IndexOf(chosen) : 0;
}

} // namespace

PIXELFORMATDESCRIPTOR DescribeConfig(GLXFBConfig config) {
    GlConfigList& list = GlConfigList::Instance();
    auto get = [&](int attribute) { return list.Attribute(config, attribute); };
    PIXELFORMATDESCRIPTOR pfd;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
    if (get(GLX_DOUBLEBUFFER)) {
        pfd.dwFlags |= PFD_DOUBLEBUFFER;
    }
    if (get(GLX_STEREO)) {
        pfd.dwFlags |= PFD_STEREO;
    }
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cRedBits = Clamp(get(GLX_RED_SIZE));
    pfd.cGreenBits = Clamp(get(GLX_GREEN_SIZE));
    pfd.cBlueBits = Clamp(get(GLX_BLUE_SIZE));
    pfd.cAlphaBits = Clamp(get(GLX_ALPHA_SIZE));
    pfd.cColorBits = Clamp(get(GLX_BUFFER_SIZE));
    if (XVisualInfo* visual = glXGetVisualFromFBConfig(fl_display, config)) {
        pfd.cRedShift = Shift(visual->red_mask);
        pfd.cGreenShift = Shift(visual->green_mask);
        pfd.cBlueShift = Shift(visual->blue_mask);
        XFree(visual);
    }
    pfd.cAccumRedBits = Clamp(get(GLX_ACCUM_RED_SIZE));
    pfd.cAccumGreenBits = Clamp(get(GLX_ACCUM_GREEN_SIZE));
    pfd.cAccumBlueBits = Clamp(get(GLX_ACCUM_BLUE_SIZE));
    pfd.cAccumAlphaBits = Clamp(get(GLX_ACCUM_ALPHA_SIZE));
    pfd.cAccumBits =
        Clamp(pfd.cAccumRedBits + pfd.cAccumGreenBits + pfd.cAccumBlueBits + pfd.cAccumAlphaBits);
    pfd.cDepthBits = Clamp(get(GLX_DEPTH_SIZE));
    pfd.cStencilBits = Clamp(get(GLX_STENCIL_SIZE));
    pfd.cAuxBuffers = Clamp(get(GLX_AUX_BUFFERS));
    pfd.iLayerType = PFD_MAIN_PLANE;
    return pfd;
}

int ChoosePixelFormat(HDC, const PIXELFORMATDESCRIPTOR* request) {
    if (!request || !HasDisplay()) {
        return 0;
    }
    const int accum =
        std::max<int>({request->cAccumRedBits, request->cAccumGreenBits, request->cAccumBlueBits});
    // From the exact request down to the bare essentials.
    const Rung ladder[] = {
        {request->cDepthBits, request->cStencilBits, accum},
        {std::min<int>(request->cDepthBits, 24), request->cStencilBits, accum},
        {std::min<int>(request->cDepthBits, 24), request->cStencilBits, std::min(accum, 8)},
        {std::min<int>(request->cDepthBits, 24), request->cStencilBits, 0},
        {std::min<int>(request->cDepthBits, 24), 0, 0},
        {std::min<int>(request->cDepthBits, 16), 0, 0},
        {0, 0, 0},
    };
    for (const Rung& rung : ladder) {
        if (const int index = TryRung(*request, rung)) {
            return index;
        }
    }
    return 0;
}

} // namespace host
