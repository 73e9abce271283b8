#pragma once

/// Divides (x, y, z) by its length, where the length is the square root of
/// x*x + y*y + z*z taken in double precision and rounded to single precision,
/// and each quotient is rounded to single precision. A vector whose length
/// rounds to 0 has no direction: it becomes (0, 0, 0), so no NaN can arise.
void NormalizeInPlace(float& x, float& y, float& z);
