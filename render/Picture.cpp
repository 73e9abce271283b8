#include "render/Picture.h"

#include "platform/HeadlessGlContext.h"
#include "platform/HeadlessGlError.h"
#include "render/DisplayCommands.h"
#include "render/DrawingSurface.h"
#include "render/Scene.h"

#include <GL/gl.h>

#include <algorithm>
#include <cassert>
#include <string>

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

// Reads the piece of the picture that the buffer holds now, width x height
// pixels whose lower left corner lies at (x, y) from the picture's lower left,
// into its place in image, whose rows still run from the bottom.
static void ReadPart(RgbaImage& image, int x, int y, int width, int height) {
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ROW_LENGTH, image.width);
    glPixelStorei(GL_PACK_SKIP_PIXELS, x);
    glPixelStorei(GL_PACK_SKIP_ROWS, y);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, image.pixels.data());
}

// Turns OpenGL's rows from the bottom into rows from the top.
static void FlipRows(RgbaImage& image) {
    const std::size_t rowBytes = static_cast<std::size_t>(image.width) * 4;
    for (int top = 0, bottom = image.height - 1; top < bottom; ++top, --bottom) {
        std::uint8_t* upper = image.pixels.data() + static_cast<std::size_t>(top) * rowBytes;
        std::swap_ranges(upper, upper + rowBytes,
                         image.pixels.data() + static_cast<std::size_t>(bottom) * rowBytes);
    }
}

// Throws when the picture is drawn in parts and its viewport is larger than
// the renderer places, which would quietly shrink it.
static void CheckViewport(const ViewSettings& view) {
    GLint largest[2] = {};
    glGetIntegerv(GL_MAX_VIEWPORT_DIMS, largest);
    if (view.width > largest[0] || view.height > largest[1]) {
        throw host::HeadlessGlError("the renderer draws at most " + std::to_string(largest[0]) +
                                    "x" + std::to_string(largest[1]) +
                                    " pixels without a window, not " + std::to_string(view.width) +
                                    "x" + std::to_string(view.height));
    }
}

RgbaImage DrawPicture(const Model& model, const ViewSettings& view, int tileSide) {
    assert(view.width > 0 && view.height > 0 && tileSide > 0);
    const int tileWidth = std::min(view.width, tileSide);
    const int tileHeight = std::min(view.height, tileSide);
    const host::HeadlessGlContext context(tileWidth, tileHeight);
    if (tileWidth < view.width || tileHeight < view.height) {
        CheckViewport(view);
    }
    RgbaImage image;
    image.width = view.width;
    image.height = view.height;
    image.pixels.resize(static_cast<std::size_t>(view.width) * 4 *
                        static_cast<std::size_t>(view.height));
    DrawingSurface::Resize(view.width, view.height);
    ApplyDisplayModes(view);
    // In the viewer, switching the objects on draws a frame, and so does every
    // paint after it: a wire model's lines are then lit by the cube's last
    // normal, which one frame before the picture leaves here too, and each
    // part leaves for the next.
    if (view.referenceObjects) {
        DrawScene(view.angleY, view.angleX, view.distance, model, true);
    }
    for (int y = 0; y < view.height; y += tileHeight) {
        for (int x = 0; x < view.width; x += tileWidth) {
            glViewport(-x, -y, view.width, view.height);
            DrawScene(view.angleY, view.angleX, view.distance, model, view.referenceObjects);
            ReadPart(image, x, y, std::min(tileWidth, view.width - x),
                     std::min(tileHeight, view.height - y));
        }
    }
    FlipRows(image);
    return image;
}
