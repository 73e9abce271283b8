#pragma once
// Between pixel-format descriptors and framebuffer configurations.

#include "platform/HostGl.h"

#include <GL/glx.h>

namespace host {

/// The descriptor of a configuration as the view expects to read it.
PIXELFORMATDESCRIPTOR DescribeConfig(GLXFBConfig config);

} // namespace host
