#pragma once
// The contexts that exist and the one that is current.

#include "platform/GlContext.h"
#include "platform/HostTypes.h"

#include <map>
#include <memory>

namespace host {

class GlBinding {
public:
    static GlBinding& Instance();

    HGLRC Add(std::unique_ptr<GlContext> context);
    bool Contains(HGLRC context) const { return m_contexts.count(context) != 0; }
    /// Releases the context if current, destroys it and forgets it.
    void Remove(HGLRC context);

    HGLRC Current() const { return m_current; }
    HDC CurrentDc() const { return m_currentDc; }
    void SetCurrent(HGLRC context, HDC dc);
    /// Makes nothing current when the current context draws into hwnd, whose
    /// X window is about to go.
    void ForgetWindow(HWND hwnd);

private:
    std::map<HGLRC, std::unique_ptr<GlContext>> m_contexts;
    HGLRC m_current = nullptr;
    HDC m_currentDc = nullptr;
};

} // namespace host
