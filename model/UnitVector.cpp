#include "model/UnitVector.h"

#include <cmath>

void NormalizeInPlace(float& x, float& y, float& z) {
    // The squares and their sum are exact in double for the face normals' integer
    // components, so the only roundings are the root's and the quotients'.
    const double dx = x;
    const double dy = y;
    const double dz = z;
    const float length = static_cast<float>(std::sqrt(dx * dx + dy * dy + dz * dz));
    if (!(length > 0.0f)) {
        x = y = z = 0.0f;
        return;
    }
    x /= length;
    y /= length;
    z /= length;
}
