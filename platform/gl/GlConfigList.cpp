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
        int drawable = 0;
        glXGetFBConfigAttrib(fl_display, configs[i], GLX_DRAWABLE_TYPE, &drawable);
        XVisualInfo* visual = glXGetVisualFromFBConfig(fl_display, configs[i]);
        if ((drawable & GLX_WINDOW_BIT) && visual) {
            m_configs.push_back(configs[i]);
        }
        if (visual) {
            XFree(visual);
        }
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
    const int id = Attribute(config, GLX_FBCONFIG_ID);
    for (size_t i = 0; i < m_configs.size(); ++i) {
        if (Attribute(m_configs[i], GLX_FBCONFIG_ID) == id) {
            return static_cast<int>(i) + 1;
        }
    }
    return 0;
}

int GlConfigList::Attribute(GLXFBConfig config, int attribute) const {
    int value = 0;
    glXGetFBConfigAttrib(fl_display, config, attribute, &value);
    return value;
}

} // namespace host
