#pragma once

#include <cstddef>

/// Divides (x, y, z) by its length, where the length is the square root of
/// x*x + y*y + z*z taken in double precision and rounded to single precision,
/// and each quotient is rounded to single precision. A vector whose length
/// rounds to 0 has no direction: it becomes (0, 0, 0), so no NaN can arise.
void NormalizeInPlace(float& x, float& y, float& z);

/// Normalises the four vectors (x[i], y[i], z[i]) as NormalizeInPlace does
/// each, to the same bit, but side by side, which takes a fraction of the time
/// where the processor has vector instructions.
void NormalizeFour(float (&x)[4], float (&y)[4], float (&z)[4]);

/// Normalises the normals (nx, ny, nz) of the count records that lie one after
/// another from first, as NormalizeInPlace would one by one. Nothing happens
/// when count is 0.
template <typename Record> void NormalizeNormals(Record* first, std::size_t count) {
    std::size_t i = 0;
    for (; i + 4 <= count; i += 4) {
        Record* const r = first + i;
        float x[4] = {r[0].nx, r[1].nx, r[2].nx, r[3].nx};
        float y[4] = {r[0].ny, r[1].ny, r[2].ny, r[3].ny};
        float z[4] = {r[0].nz, r[1].nz, r[2].nz, r[3].nz};
        NormalizeFour(x, y, z);
        for (int k = 0; k < 4; ++k) {
            r[k].nx = x[k];
            r[k].ny = y[k];
            r[k].nz = z[k];
        }
    }
    for (; i < count; ++i) {
        NormalizeInPlace(first[i].nx, first[i].ny, first[i].nz);
    }
}
