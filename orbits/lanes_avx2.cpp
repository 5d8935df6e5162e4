// The four lanes as one AVX2 vector of doubles. Every operation is the IEEE
// operation of the plain loop (no fused multiply-add), the rounding to single
// precision included, so the cells are the same; only the point writes stay
// scalar. Built for every x86 processor, run only where AVX2 is present.
#include "orbits/lanes.h"

#ifdef VARNOSKEL_AVX2

#include <immintrin.h>

namespace orbits::lanes {

namespace {

struct Avx2 {
  template <bool Normiert, bool Verhulst, int Plots, bool Thin>
  __attribute__((target("avx2"))) static void run(Lanes& l, std::int64_t count, const Plot* plots) {
    const __m256d one = _mm256_set1_pd(1.0), p = _mm256_loadu_pd(l.p), onePlusP = _mm256_add_pd(one, p);
    const __m256d top = _mm256_set1_pd(l.top), sy = _mm256_set1_pd(l.sy), height = _mm256_set1_pd(l.height);
    const __m256d zero = _mm256_setzero_pd(), singleRange = _mm256_set1_pd(support::kSingleOverflow);
    const __m256d magnitude = _mm256_castsi256_pd(_mm256_set1_epi64x(0x7fffffffffffffff));
    const __m128i last = _mm_set1_epi32(l.last), margin = _mm_set1_epi32(l.margin);
    alignas(16) std::int32_t at[kLanes];
    __m256d b = _mm256_loadu_pd(l.b);
    for (std::int64_t i = 0; i < count; ++i) {
      if constexpr (Normiert) b = _mm256_mul_pd(b, _mm256_add_pd(one, _mm256_mul_pd(p, _mm256_sub_pd(one, b))));
      if constexpr (Verhulst) b = _mm256_mul_pd(_mm256_mul_pd(b, onePlusP), _mm256_sub_pd(one, b));
      if constexpr (Plots > 0) {
        // Beyond the single range (or NaN) a value would become a non-finite
        // single, which lands nowhere: such lanes are masked off.
        const __m256d inRange = _mm256_cmp_pd(_mm256_and_pd(b, magnitude), singleRange, _CMP_LT_OQ);
        const __m256d single = _mm256_cvtps_pd(_mm256_cvtpd_ps(_mm256_and_pd(b, inRange)));
        const __m256d cy = _mm256_mul_pd(_mm256_sub_pd(single, top), sy);
        const __m256d on = _mm256_and_pd(
            inRange, _mm256_and_pd(_mm256_cmp_pd(cy, zero, _CMP_GE_OQ), _mm256_cmp_pd(cy, height, _CMP_LE_OQ)));
        const __m128i row = _mm_min_epi32(_mm256_cvttpd_epi32(_mm256_and_pd(cy, on)), last);
        // The four 64-bit masks as four 32-bit ones.
        const __m256 on32 = _mm256_castpd_ps(on);
        const __m128i onRows = _mm_castps_si128(
            _mm_shuffle_ps(_mm256_castps256_ps128(on32), _mm256_extractf128_ps(on32, 1), _MM_SHUFFLE(2, 0, 2, 0)));
        _mm_store_si128(reinterpret_cast<__m128i*>(at), _mm_and_si128(_mm_add_epi32(row, margin), onRows));
        for (int k = 0; k < kLanes; ++k)
          for (int j = 0; j < Plots; ++j) put<Thin>(l, k, at[k], plots[j]);
      }
    }
    _mm256_storeu_pd(l.b, b);
  }
};

}  // namespace

bool haveAvx2() {
  static const bool have = __builtin_cpu_supports("avx2");
  return have;
}

void avx2Block(Lanes& l, std::int64_t count, bool normiert, bool verhulst, const Plot* plots, int plotCount) {
  dispatch<Avx2>(l, count, normiert, verhulst, plots, plotCount);
}

}  // namespace orbits::lanes

#endif
