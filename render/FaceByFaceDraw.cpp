#include "render/FaceByFaceDraw.h"

#include "model/Model.h"
#include "platform/HostGl.h"

#include <GL/gl.h>

void DrawEdgeList(const Edge* edge) {
    // Each edge is its own pair of begin and end, and no normal is sent: lines
    // are lit with whatever normal the context holds from earlier drawing.
    for (; edge; edge = edge->next) {
        glBegin(GL_LINES);
        glVertex3f(static_cast<float>(edge->a->x), static_cast<float>(edge->a->y),
                   static_cast<float>(edge->a->z));
        glVertex3f(static_cast<float>(edge->b->x), static_cast<float>(edge->b->y),
                   static_cast<float>(edge->b->z));
        glEnd();
    }
}

static inline void DrawCorner(const Vertex& v) {
    glNormal3f(v.nx, v.ny, v.nz);
    glVertex3f(static_cast<float>(v.x), static_cast<float>(v.y), static_cast<float>(v.z));
}

void DrawFaceList(const Face* face) {
    // Every corner carries its smooth vertex normal; the shade model alone
    // decides whether the result looks flat or smooth.
    for (; face; face = face->next) {
        glBegin(face->d ? GL_QUADS : GL_TRIANGLES);
        DrawCorner(*face->a);
        DrawCorner(*face->b);
        DrawCorner(*face->c);
        if (face->d) {
            DrawCorner(*face->d);
        }
        glEnd();
    }
}

void DrawFaceByFace(const Model& model) {
    if (!host::HasCurrentGlContext()) {
        return;
    }
    if (model.type == 0) {
        DrawEdgeList(model.edges);
    } else if (model.type == 1) {
        DrawFaceList(model.faces);
    }
    // Any other type loads like a surface model but is not shown.
}
