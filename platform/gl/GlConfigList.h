#pragma once
// The framebuffer configurations that can back a window, in the display's
// order: pixel format n is entry n - 1.

#include <GL/glx.h>

#include <unordered_map>
#include <vector>

namespace host {

class GlConfigList {
public:
    /// The list for the toolkit's display, read once.
    static GlConfigList& Instance();

    int Count() const { return static_cast<int>(m_configs.size()); }
    /// The configuration of a 1-based format index; null when out of range.
    GLXFBConfig At(int index) const;
    /// The format index of a configuration, 0 when it is not in the list.
    /// Takes constant time, so that choosing among many configurations stays
    /// cheap on a display that offers hundreds.
    int IndexOf(GLXFBConfig config) const;
    int Attribute(GLXFBConfig config, int attribute) const;

private:
    GlConfigList();
    int IndexOfId(int id) const;

    std::vector<GLXFBConfig> m_configs;
    std::unordered_map<GLXFBConfig, int> m_indexOfHandle;
    /// Filled on first use: only a driver that hands out a new handle for a
    /// configuration it already listed needs it.
    mutable std::unordered_map<int, int> m_indexOfId;
};

} // namespace host
