#include "model/UnitVector.h"

#include <cmath>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

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

#ifdef __SSE2__
// Half of the four lengths: two sums of squares in double, their roots, and
// those rounded to single precision in the two low lanes.
static __m128 TwoLengths(__m128 x, __m128 y, __m128 z) {
    const __m128d dx = _mm_cvtps_pd(x);
    const __m128d dy = _mm_cvtps_pd(y);
    const __m128d dz = _mm_cvtps_pd(z);
    const __m128d sum =
        _mm_add_pd(_mm_add_pd(_mm_mul_pd(dx, dx), _mm_mul_pd(dy, dy)), _mm_mul_pd(dz, dz));
    return _mm_cvtpd_ps(_mm_sqrt_pd(sum));
}

void NormalizeFour(float (&x)[4], float (&y)[4], float (&z)[4]) {
    const __m128 vx = _mm_loadu_ps(x);
    const __m128 vy = _mm_loadu_ps(y);
    const __m128 vz = _mm_loadu_ps(z);
    const __m128 low = TwoLengths(vx, vy, vz);
    const __m128 high =
        TwoLengths(_mm_movehl_ps(vx, vx), _mm_movehl_ps(vy, vy), _mm_movehl_ps(vz, vz));
    const __m128 length = _mm_movelh_ps(low, high);
    // Where the length is not above 0 the quotient is masked to 0; dividing
    // by 1 there instead keeps the division free of infinities and NaNs.
    const __m128 directed = _mm_cmpgt_ps(length, _mm_setzero_ps());
    const __m128 divisor =
        _mm_or_ps(_mm_and_ps(directed, length), _mm_andnot_ps(directed, _mm_set1_ps(1.0f)));
    _mm_storeu_ps(x, _mm_and_ps(directed, _mm_div_ps(vx, divisor)));
    _mm_storeu_ps(y, _mm_and_ps(directed, _mm_div_ps(vy, divisor)));
    _mm_storeu_ps(z, _mm_and_ps(directed, _mm_div_ps(vz, divisor)));
}
#else
// Without vector instructions, the same one by one.
void NormalizeFour(float (&x)[4], float (&y)[4], float (&z)[4]) {
    for (int i = 0; i < 4; ++i) {
        NormalizeInPlace(x[i], y[i], z[i]);
    }
}
#endif
