#include "render/ReferenceObjects.h"

#include "platform/HostGl.h"

#include <GL/gl.h>
#include <GL/glu.h>

bool g_showReferenceObjects = false;

namespace {

struct Corner {
    double x, y, z;
};

// The cube's faces, four corners each, in the order they are sent. The winding
// is not uniform (the y faces run the other way), which is harmless because
// faces are not culled.
const Corner kCubeFaces[6][4] = {
    {{100, 100, 100}, {100, -100, 100}, {100, -100, -100}, {100, 100, -100}},
    {{-100, -100, 100}, {-100, 100, 100}, {-100, 100, -100}, {-100, -100, -100}},
    {{100, 100, 100}, {-100, 100, 100}, {-100, 100, -100}, {100, 100, -100}},
    {{-100, -100, 100}, {100, -100, 100}, {100, -100, -100}, {-100, -100, -100}},
    {{100, 100, 100}, {-100, 100, 100}, {-100, -100, 100}, {100, -100, 100}},
    {{-100, 100, -100}, {100, 100, -100}, {100, -100, -100}, {-100, -100, -100}},
};

} // namespace

static void DrawSpheres() {
    GLUquadric* quadric = gluNewQuadric();
    if (!quadric) {
        return;
    }
    gluQuadricDrawStyle(quadric, GLU_FILL);
    gluQuadricNormals(quadric, GLU_SMOOTH);
    gluSphere(quadric, 50.0, 20, 20);
    glPushMatrix();
    glTranslated(-100.0, 0.0, 0.0);
    gluSphere(quadric, 50.0, 20, 20);
    glPopMatrix();
    gluDeleteQuadric(quadric);
}

static void DrawCube() {
    glPushMatrix();
    glTranslated(0.0, 150.0, 0.0);
    for (const auto& face : kCubeFaces) {
        glBegin(GL_POLYGON);
        for (const Corner& c : face) {
            // Unnormalised on purpose: the diagonal at length sqrt(3) makes the
            // lit corners brighter, clamped to full intensity.
            glNormal3d(c.x / 100.0, c.y / 100.0, c.z / 100.0);
            glVertex3d(c.x, c.y, c.z);
        }
        glEnd();
    }
    glPopMatrix();
}

void DrawReferenceObjects() {
    if (!host::HasCurrentGlContext()) {
        return;
    }
    DrawSpheres();
    DrawCube();
}
