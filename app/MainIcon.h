#pragma once
// The main icon (resource IDR_MAINFRAME) as pixel data, so that the window
// icon needs no file at run time. The desktop's PNG copies are made from the
// same art by app/icons/make-icons.py.

#include "platform/HostWindow.h"

#include <vector>

/// The icon's two images, 32 x 32 first, then 16 x 16, opaque, 0xAARRGGBB.
/// Never fails.
std::vector<host::IconImage> MainIconImages();
