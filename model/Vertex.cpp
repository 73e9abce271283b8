#include "model/Vertex.h"

#include "model/UnitVector.h"

void Vertex::NormalizeNormal() {
    NormalizeInPlace(nx, ny, nz);
}
