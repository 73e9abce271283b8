#include "render/Scene.h"

#include "model/Model.h"
#include "platform/HostGl.h"
#include "render/DrawingSurface.h"
#include "render/ReferenceObjects.h"

#include <GL/gl.h>

#include <cassert>

static void SetLight() {
    static const GLfloat ambient[] = {0.1f, 0.1f, 0.1f, 0.1f};
    static const GLfloat diffuse[] = {0.7f, 0.7f, 0.7f, 0.7f};
    static const GLfloat specular[] = {0.0f, 0.0f, 0.0f, 0.1f};
    // Set under the identity with w = 0: a directional light in eye space that
    // stays with the viewer however the model turns.
    static const GLfloat position[] = {1000.0f, 1000.0f, 1000.0f, 0.0f};
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT0, GL_SPECULAR, specular);
    glLightfv(GL_LIGHT0, GL_POSITION, position);
    glEnable(GL_LIGHT0);
}

static void DrawModel(const Model& model) {
    model.Draw();
}

void DrawScene(double angleY, double angleX, double distance, const Model& model,
               bool showReferenceObjects) {
    DrawScene(angleY, angleX, distance, model, showReferenceObjects, DrawModel);
}

void DrawScene(double angleY, double angleX, double distance, const Model& model,
               bool showReferenceObjects, void (*drawMesh)(const Model&)) {
    assert(drawMesh);
    if (!host::HasCurrentGlContext()) {
        return;
    }
    static const GLfloat green[] = {0.0f, 1.0f, 0.0f, 1.0f};
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    SetLight();
    glPushMatrix();
    glTranslated(0.0, 0.0, -distance);
    glRotated(angleX, 1.0, 0.0, 0.0);
    glRotated(angleY, 0.0, 1.0, 0.0);
    // Lighting is one-sided, so the front material lights back faces too.
    glMaterialfv(GL_FRONT, GL_AMBIENT_AND_DIFFUSE, green);
    drawMesh(model);
    if (showReferenceObjects) {
        DrawReferenceObjects();
    }
    glPopMatrix();
}

namespace {

// Every server-side state and both matrices as they are, given back when the
// scope ends, also when what it holds throws.
class SavedGlState {
public:
    SavedGlState() {
        glPushAttrib(GL_ALL_ATTRIB_BITS);
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
    }
    ~SavedGlState() {
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
        glPopMatrix();
        glPopAttrib(); // the matrix mode, too, as it was
    }
    SavedGlState(const SavedGlState&) = delete;
    SavedGlState& operator=(const SavedGlState&) = delete;
};

} // namespace

void PrepareSceneDrawing() {
    if (!host::HasCurrentGlContext()) {
        return;
    }
    // A mesh of one triangle, drawn the way a loaded one is; scaled to 1000
    // units, it lies well inside the view at this distance.
    static constexpr double kDistance = 3000.0;
    static constexpr int kSize = 16;
    Model triangle;
    triangle.OpenText("1\n3 1\n0 0 0\n1 0 0\n0 1 0\n1 2 3\n", "triangle");
    const SavedGlState saved;
    DrawingSurface::Resize(kSize, kSize);
    DrawScene(0.0, 0.0, kDistance, triangle, false);
}
