#include "model/Face.h"

#include "model/UnitVector.h"

void Face::ComputeNormal() {
    ComputeDirection();
    NormalizeInPlace(nx, ny, nz);
}
