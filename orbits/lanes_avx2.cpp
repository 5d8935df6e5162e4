// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The sixteen lanes as four AVX2 vectors of doubles. Every operation is the
// IEEE operation of the plain loop (no fused multiply-add), the rounding to
// single precision included, so the cells are the same; only the point
// writes stay scalar. Built for every 64-bit x86 processor, run only where
// AVX2 is present.
#include "orbits/lanes.h"

#ifdef VARNOSKEL_AVX2

#include <immintrin.h>

#include "orbits/pointring.h"

namespace orbits::lanes {

namespace {

constexpr int kVectors = kLanes / 4;

struct Avx2 {
  template <bool Normiert, bool Verhulst, int Plots, bool Thin>
  __attribute__((target("avx2"))) static void run(Lanes& l, std::int64_t count, const Plot* plots) {
    const __m256d top = _mm256_set1_pd(l.top), sy = _mm256_set1_pd(l.sy), height = _mm256_set1_pd(l.height);
    const __m256d zero = _mm256_setzero_pd();
    // Off the picture a lane goes to row -margin, so to cell 0 of the margin.
    const __m256d off = _mm256_set1_pd(-double(l.margin));
    const __m128i last = _mm_set1_epi32(l.last), margin = _mm_set1_epi32(l.margin);
    const Targets<Plots, Thin> targets(l, plots);
    __m256d b[kVectors], p[kVectors], anchor[kVectors], met[kVectors];
    __m128i offset[kVectors];
    for (int v = 0; v < kVectors; ++v) {
      b[v] = _mm256_loadu_pd(l.b + std::ptrdiff_t{4} * v);
      p[v] = _mm256_loadu_pd(l.p + std::ptrdiff_t{4} * v);
      anchor[v] = _mm256_loadu_pd(l.anchor + std::ptrdiff_t{4} * v);
      met[v] = _mm256_castsi256_pd(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(l.met + std::ptrdiff_t{4} * v)));
      offset[v] = margin;
      if constexpr (Plots > 0 && Thin)
        offset[v] = _mm_add_epi32(margin, _mm_setr_epi32(targets.offset(4 * v), targets.offset(4 * v + 1),
                                                         targets.offset(4 * v + 2), targets.offset(4 * v + 3)));
    }
    alignas(16) std::int32_t at[kLanes];
    // In locals, not read back from memory after every point write.
    std::uint32_t* const cells = l.cells;
    const std::uint32_t colour = targets.plot[targets.kLast].colour;
    PointRing ring;
    for (std::int64_t i = 0; i < count; ++i) {
      if constexpr (Plots > 0 && Thin) ring.writeDue(cells, i, colour);
      for (int v = 0; v < kVectors; ++v) {
        advance<Normiert, Verhulst>(b[v], p[v]);
        met[v] = _mm256_or_pd(met[v], _mm256_cmp_pd(b[v], anchor[v], _CMP_EQ_OQ));
      }
      if constexpr (Plots > 0) {
        for (int v = 0; v < kVectors; ++v) {
          // The conversion to single precision is the IEEE rounding: beyond
          // the single range it gives an infinity, which like NaN fails both
          // comparisons and lands nowhere.
          const __m256d single = _mm256_cvtps_pd(_mm256_cvtpd_ps(b[v]));
          const __m256d cy = _mm256_mul_pd(_mm256_sub_pd(single, top), sy);
          const __m256d on = _mm256_and_pd(_mm256_cmp_pd(cy, zero, _CMP_GE_OQ), _mm256_cmp_pd(cy, height, _CMP_LE_OQ));
          const __m128i row = _mm_min_epi32(_mm256_cvttpd_epi32(_mm256_blendv_pd(off, cy, on)), last);
          const __m128i at4 = _mm_add_epi32(row, offset[v]);
          if constexpr (Thin) {
            _mm_store_si128(reinterpret_cast<__m128i*>(ring.slot(i) + std::ptrdiff_t{4} * v), at4);
          } else {
            _mm_store_si128(reinterpret_cast<__m128i*>(at + std::ptrdiff_t{4} * v), at4);
          }
        }
        if constexpr (!Thin) targets.draw(at);
      }
    }
    if constexpr (Plots > 0 && Thin) ring.writeRest(cells, count, colour);
    for (int v = 0; v < kVectors; ++v) {
      _mm256_storeu_pd(l.b + std::ptrdiff_t{4} * v, b[v]);
      _mm256_storeu_si256(reinterpret_cast<__m256i*>(l.met + std::ptrdiff_t{4} * v), _mm256_castpd_si256(met[v]));
    }
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
