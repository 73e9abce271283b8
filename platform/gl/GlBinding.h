#pragma once
// The contexts that exist and the one that is current.

#include "platform/HandleRegistry.h"
#include "platform/HostTypes.h"
#include "platform/gl/GlContext.h"

#include <map>
#include <memory>

namespace host {

class GlBinding {
public:
    static GlBinding& Instance();

    HGLRC Add(std::unique_ptr<GlContext> context);
    bool Contains(HGLRC context) const { return m_contexts.Contains(context); }
    /// Releases the context if current, destroys it and forgets it.
    void Remove(HGLRC context);

    HGLRC Current() const { return m_current; }
    HDC CurrentDc() const { return m_currentDc; }
    void SetCurrent(HGLRC context, HDC dc);
    /// Makes the drawable of hwnd's format over its X window; false on failure.
    bool MakeDrawable(HWND hwnd, GLXFBConfig config, unsigned long xWindow);
    /// Makes nothing current when the current context draws into hwnd, and
    /// frees hwnd's drawable: its X window is about to go.
    void ForgetWindow(HWND hwnd);
    /// Makes hwnd's drawable again after its X window changed size, and binds
    /// the current context to it again when it draws there: the renderer then
    /// draws the next frame at the new size rather than the old one.
    void RefreshAfterResize(HWND hwnd, unsigned long xWindow);

private:
    HandleRegistry<GlContext> m_contexts;
    std::map<HWND, GLXFBConfig> m_configs; ///< of the windows with a drawable
    HGLRC m_current = nullptr;
    HDC m_currentDc = nullptr;
};

} // namespace host
