#include "render/Picture.h"

#include "platform/HeadlessGlContext.h"
#include "render/DisplayCommands.h"
#include "render/DrawingSurface.h"
#include "render/Scene.h"

#include <GL/gl.h>

#include <algorithm>
#include <cassert>

static void ApplyDisplayModes(const ViewSettings& view) {
    switch (view.mode) {
    case ViewSettings::Mode::Points:
        ShowPoints();
        break;
    case ViewSettings::Mode::Wire:
        ShowWire();
        break;
    case ViewSettings::Mode::Solid:
        ShowSolid();
        break;
    }
    if (view.shading == ViewSettings::Shading::Flat) {
        ShadeFlat();
    } else {
        ShadeSmooth();
    }
}

// The finished frame, turned from OpenGL's rows from the bottom to rows from
// the top.
static RgbaImage ReadFrame(int width, int height) {
    RgbaImage image;
    image.width = width;
    image.height = height;
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 4;
    image.pixels.resize(rowBytes * static_cast<std::size_t>(height));
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, image.pixels.data());
    for (int top = 0, bottom = height - 1; top < bottom; ++top, --bottom) {
        std::uint8_t* upper = image.pixels.data() + static_cast<std::size_t>(top) * rowBytes;
        std::swap_ranges(upper, upper + rowBytes,
                         image.pixels.data() + static_cast<std::size_t>(bottom) * rowBytes);
    }
    return image;
}

RgbaImage DrawPicture(const Model& model, const ViewSettings& view) {
    assert(view.width > 0 && view.height > 0);
    const host::HeadlessGlContext context(view.width, view.height);
    DrawingSurface::Resize(view.width, view.height);
    ApplyDisplayModes(view);
    // In the viewer, switching the objects on draws a frame, and so does every
    // paint after it: a wire model's lines are then lit by the cube's last
    // normal, which one frame before the picture leaves here too.
    if (view.referenceObjects) {
        DrawScene(view.angleY, view.angleX, view.distance, model, true);
    }
    DrawScene(view.angleY, view.angleX, view.distance, model, view.referenceObjects);
    return ReadFrame(view.width, view.height);
}
