#include "platform/gl/EglDisplay.h"

#include "platform/HeadlessGlError.h"

#include <EGL/eglext.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace host {

namespace {

const char* ErrorName(EGLint error) {
    switch (error) {
    case EGL_SUCCESS:
        return "no EGL error";
    case EGL_NOT_INITIALIZED:
        return "EGL_NOT_INITIALIZED";
    case EGL_BAD_ACCESS:
        return "EGL_BAD_ACCESS";
    case EGL_BAD_ALLOC:
        return "EGL_BAD_ALLOC";
    case EGL_BAD_ATTRIBUTE:
        return "EGL_BAD_ATTRIBUTE";
    case EGL_BAD_CONFIG:
        return "EGL_BAD_CONFIG";
    case EGL_BAD_CONTEXT:
        return "EGL_BAD_CONTEXT";
    case EGL_BAD_DISPLAY:
        return "EGL_BAD_DISPLAY";
    case EGL_BAD_MATCH:
        return "EGL_BAD_MATCH";
    case EGL_BAD_PARAMETER:
        return "EGL_BAD_PARAMETER";
    case EGL_BAD_SURFACE:
        return "EGL_BAD_SURFACE";
    default:
        return "EGL error";
    }
}

// Whether the space-separated list names the extension exactly.
bool Lists(const char* list, const char* extension) {
    const std::size_t length = std::strlen(extension);
    for (const char* at = list ? std::strstr(list, extension) : nullptr; at;
         at = std::strstr(at + length, extension)) {
        const bool starts = at == list || at[-1] == ' ';
        if (starts && (at[length] == ' ' || at[length] == '\0')) {
            return true;
        }
    }
    return false;
}

EGLint Attribute(EGLDisplay display, EGLConfig config, EGLint name) {
    EGLint value = -1;
    eglGetConfigAttrib(display, config, name, &value);
    return value;
}

// The view window's colour, depth and stencil on the same renderer, and alpha
// besides, with one sample.
constexpr EGLint kFormat[][2] = {
    {EGL_RED_SIZE, 8},    {EGL_GREEN_SIZE, 8},   {EGL_BLUE_SIZE, 8},     {EGL_ALPHA_SIZE, 8},
    {EGL_DEPTH_SIZE, 24}, {EGL_STENCIL_SIZE, 8}, {EGL_SAMPLE_BUFFERS, 0}};

std::vector<EGLint> Request() {
    std::vector<EGLint> request = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE,
                                   EGL_OPENGL_BIT};
    for (const EGLint* pair : kFormat) {
        request.insert(request.end(), {pair[0], pair[1]});
    }
    request.push_back(EGL_NONE);
    return request;
}

// The chooser takes the sizes as minimums and lists deeper colour first, which
// would round differently from the view: only the exact format will do.
bool IsTheFormat(EGLDisplay display, EGLConfig config) {
    return std::all_of(std::begin(kFormat), std::end(kFormat), [&](const EGLint* pair) {
        return Attribute(display, config, pair[0]) == pair[1];
    });
}

} // namespace

std::string EglDisplay::Failure(const std::string& what) {
    return what + " (" + ErrorName(eglGetError()) + ")";
}

const EglDisplay& EglDisplay::Instance() {
    static const EglDisplay display;
    return display;
}

EglDisplay::EglDisplay() {
    Initialise();
    ChooseConfig();
}

void EglDisplay::Initialise() {
    // Without client extensions (no EGL vendor at all) the list is null.
    const char* extensions = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
    const auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (!Lists(extensions, "EGL_MESA_platform_surfaceless") || !getPlatformDisplay) {
        throw HeadlessGlError("EGL has no surfaceless platform (EGL_MESA_platform_surfaceless)");
    }
    const EGLDisplay display =
        getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (display == EGL_NO_DISPLAY) {
        throw HeadlessGlError(Failure("EGL gives no surfaceless display"));
    }
    EGLint major = 0;
    EGLint minor = 0;
    if (!eglInitialize(display, &major, &minor)) {
        throw HeadlessGlError(Failure("EGL cannot initialise the surfaceless display"));
    }
    m_display = display;
}

void EglDisplay::ChooseConfig() {
    const std::vector<EGLint> request = Request();
    EGLint count = 0;
    eglChooseConfig(m_display, request.data(), nullptr, 0, &count);
    std::vector<EGLConfig> configs(static_cast<std::size_t>(std::max(count, 0)));
    if (count > 0) {
        eglChooseConfig(m_display, request.data(), configs.data(), count, &count);
        configs.resize(static_cast<std::size_t>(std::max(count, 0)));
    }
    const auto found = std::find_if(configs.begin(), configs.end(), [&](EGLConfig config) {
        return IsTheFormat(m_display, config);
    });
    if (found == configs.end()) {
        throw HeadlessGlError("EGL offers no OpenGL pbuffer with 8-bit RGBA, 24-bit depth and "
                              "8-bit stencil");
    }
    m_config = *found;
}

} // namespace host
