#pragma once
// Sphere models written as ".dat" text, the large inputs that the benchmarks
// and the first-frame script measure with.

#include <string>

/// A sphere of triangles only: two polar fans and rings of split
/// quadrilaterals, 2 * sectors * (rings - 1) triangles in all, of radius 12.5
/// and six decimals per coordinate. Returns false when path cannot be written.
bool WriteSphere(const std::string& path, int rings, int sectors);

/// 250 rings of 400 sectors: 199,200 triangles, about 7 MB of text.
constexpr int kSmallSphereRings = 250;
constexpr int kSmallSphereSectors = 400;
/// 790 rings of 1266 sectors: 1,997,748 triangles, about 75 MB of text.
constexpr int kLargeSphereRings = 790;
constexpr int kLargeSphereSectors = 1266;
