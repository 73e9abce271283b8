#include "render/DisplayCommands.h"

#include "platform/HostGl.h"
#include "render/ReferenceObjects.h"

#include <GL/gl.h>

bool ToggleReferenceObjects() {
    g_showReferenceObjects = !g_showReferenceObjects;
    return g_showReferenceObjects;
}

static void SetPolygonMode(GLenum mode) {
    if (host::HasCurrentGlContext()) {
        glPolygonMode(GL_FRONT_AND_BACK, mode);
    }
}

static void SetShadeModel(GLenum model) {
    if (host::HasCurrentGlContext()) {
        glShadeModel(model);
    }
}

void ShowPoints() {
    SetPolygonMode(GL_POINT);
}
void ShowWire() {
    SetPolygonMode(GL_LINE);
}
void ShowSolid() {
    SetPolygonMode(GL_FILL);
}
void ShadeFlat() {
    SetShadeModel(GL_FLAT);
}
void ShadeSmooth() {
    SetShadeModel(GL_SMOOTH);
}
