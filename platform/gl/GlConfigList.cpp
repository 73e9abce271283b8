#include "platform/gl/GlConfigList.h"

#include <FL/x.H>

namespace host {

GlConfigList& GlConfigList::Instance() {
    static GlConfigList list;
    return list;
}

GlConfigList::GlConfigList() {
    int count = 0;
    GLXFBConfig* configs = glXGetFBConfigs(fl_display, fl_screen, &count);
    for (int i = 0; i < count; ++i) {
        if (!(Attribute(configs[i], GLX_DRAWABLE_TYPE) & GLX_WINDOW_BIT)) {
            continue;
        }
        XVisualInfo* visual = glXGetVisualFromFBConfig(fl_display, configs[i]);
        if (!visual) {
            continue;
        }
        XFree(visual);
        m_configs.push_back(configs[i]);
        m_indexOfHandle.emplace(configs[i], Count());
    }
    // The handles stay valid after the array that listed them is freed.
    if (configs) {
        XFree(configs);
    }
}

GLXFBConfig GlConfigList::At(int index) const {
    if (index < 1 || index > Count()) {
        return nullptr;
    }
    return m_configs[static_cast<size_t>(index - 1)];
}

int GlConfigList::IndexOf(GLXFBConfig config) const {
    // Drivers hand out one handle per configuration, in every list; the
    // identifier settles it for any that does not.
    const auto found = m_indexOfHandle.find(config);
    if (found != m_indexOfHandle.end()) {
        return found->second;
    }
    return config ? IndexOfId(Attribute(config, GLX_FBCONFIG_ID)) : 0;
}

int GlConfigList::IndexOfId(int id) const {
    if (m_indexOfId.empty()) {
        for (size_t i = 0; i < m_configs.size(); ++i) {
            m_indexOfId.emplace(Attribute(m_configs[i], GLX_FBCONFIG_ID), static_cast<int>(i) + 1);
        }
    }
    const auto found = m_indexOfId.find(id);
    return found == m_indexOfId.end() ? 0 : found->second;
}

int GlConfigList::Attribute(GLXFBConfig config, int attribute) const {
    int value = 0;
    glXGetFBConfigAttrib(fl_display, config, attribute, &value);
    return value;
}

} // namespace host
