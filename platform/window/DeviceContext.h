#pragma once
// The device context of one window: it lives exactly as long as the window and
// remembers the pixel format set on it.

#include "platform/HostTypes.h"

namespace host {

struct DeviceContext {
    HWND window = nullptr; ///< back-link to the owning window
    int pixelFormat = 0;   ///< 0 until SetPixelFormat succeeded
    /// The OpenGL drawable over the window's X window, made with the format;
    /// owned by the OpenGL binding, 0 without one.
    unsigned long glDrawable = 0;
};

} // namespace host
