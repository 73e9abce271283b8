// The mesh's part of a frame. It lives with the renderer so that the model
// itself needs no OpenGL.

#include "model/Model.h"
#include "platform/HostGl.h"
#include "render/ModelArrays.h"

void Model::Draw() const {
    if (!host::HasCurrentGlContext() || (type != 0 && type != 1)) {
        return; // any other type loads like a surface model but is not shown
    }
    // The arrays are built at the first draw of a mesh, not at load, so that
    // a model that is never shown costs no more memory.
    ModelArrays::For(*this).Draw();
}
