// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The sixteen lanes as two AVX-512 vectors of eight doubles. Every operation
// is the IEEE operation of the plain loop (no fused multiply-add), the
// rounding to single precision included, so the cells are the same as the
// other kernels'; the comparisons give masks, and the point writes stay
// scalar. Built for every 64-bit x86 processor, run only where AVX-512F, DQ
// and VL are present.
#include "orbits/lanes.h"

#ifdef VARNOSKEL_AVX2

// GCC 12 warns that the conversion intrinsics' own placeholder operand
// (_mm256_undefined_ps and the like) may be used uninitialized; it is not.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif

#include <immintrin.h>

#include "orbits/pointring.h"

namespace orbits::lanes {

namespace {

constexpr int kVectors = kLanes / 8;

struct Avx512 {
  template <bool Normiert, bool Verhulst, int Plots, bool Thin>
  __attribute__((target("avx512f,avx512dq,avx512vl,avx2"))) static void run(Lanes& l, std::int64_t count,
                                                                            const Plot* plots) {
    const __m512d top = _mm512_set1_pd(l.top), sy = _mm512_set1_pd(l.sy), height = _mm512_set1_pd(l.height);
    const __m512d zero = _mm512_setzero_pd();
    // Off the picture a lane goes to row -margin, so to cell 0 of the margin.
    const __m512d off = _mm512_set1_pd(-double(l.margin));
    const __m256i last = _mm256_set1_epi32(l.last), margin = _mm256_set1_epi32(l.margin);
    const Targets<Plots, Thin> targets(l, plots);
    __m512d b[kVectors], p[kVectors], anchor[kVectors];
    __mmask8 met[kVectors];
    __m256i offset[kVectors];
    for (int v = 0; v < kVectors; ++v) {
      b[v] = _mm512_loadu_pd(l.b + std::ptrdiff_t{8} * v);
      p[v] = _mm512_loadu_pd(l.p + std::ptrdiff_t{8} * v);
      anchor[v] = _mm512_loadu_pd(l.anchor + std::ptrdiff_t{8} * v);
      met[v] = 0;
      for (int j = 0; j < 8; ++j)
        if (l.met[8 * v + j]) met[v] = __mmask8(met[v] | (1u << j));
      offset[v] = margin;
      if constexpr (Plots > 0 && Thin) {
        alignas(32) std::int32_t lane[8];
        for (int j = 0; j < 8; ++j) lane[j] = targets.offset(8 * v + j);
        offset[v] = _mm256_add_epi32(margin, _mm256_load_si256(reinterpret_cast<const __m256i*>(lane)));
      }
    }
    alignas(32) std::int32_t at[kLanes];
    // In locals, not read back from memory after every point write.
    std::uint32_t* const cells = l.cells;
    const std::uint32_t colour = targets.plot[targets.kLast].colour;
    PointRing ring;
    for (std::int64_t i = 0; i < count; ++i) {
      if constexpr (Plots > 0 && Thin) ring.writeDue(cells, i, colour);
      for (int v = 0; v < kVectors; ++v) {
        advance<Normiert, Verhulst>(b[v], p[v]);
        met[v] = __mmask8(met[v] | _mm512_cmp_pd_mask(b[v], anchor[v], _CMP_EQ_OQ));
      }
      if constexpr (Plots > 0) {
        for (int v = 0; v < kVectors; ++v) {
          // The conversion to single precision is the IEEE rounding: beyond
          // the single range it gives an infinity, which like NaN fails both
          // comparisons and lands nowhere.
          const __m512d single = _mm512_cvtps_pd(_mm512_cvtpd_ps(b[v]));
          const __m512d cy = _mm512_mul_pd(_mm512_sub_pd(single, top), sy);
          const __mmask8 on = _mm512_cmp_pd_mask(cy, zero, _CMP_GE_OQ) & _mm512_cmp_pd_mask(cy, height, _CMP_LE_OQ);
          const __m256i row = _mm256_min_epi32(_mm512_cvttpd_epi32(_mm512_mask_blend_pd(on, off, cy)), last);
          const __m256i at8 = _mm256_add_epi32(row, offset[v]);
          if constexpr (Thin) {
            _mm256_store_si256(reinterpret_cast<__m256i*>(ring.slot(i) + std::ptrdiff_t{8} * v), at8);
          } else {
            _mm256_store_si256(reinterpret_cast<__m256i*>(at + std::ptrdiff_t{8} * v), at8);
          }
        }
        if constexpr (!Thin) targets.draw(at);
      }
    }
    if constexpr (Plots > 0 && Thin) ring.writeRest(cells, count, colour);
    for (int v = 0; v < kVectors; ++v) {
      _mm512_storeu_pd(l.b + std::ptrdiff_t{8} * v, b[v]);
      for (int j = 0; j < 8; ++j) l.met[8 * v + j] = (met[v] >> j) & 1;
    }
  }
};

}  // namespace

bool haveAvx512() {
  static const bool have =
      __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512dq") && __builtin_cpu_supports("avx512vl");
  return have;
}

void avx512Block(Lanes& l, std::int64_t count, bool normiert, bool verhulst, const Plot* plots, int plotCount) {
  dispatch<Avx512>(l, count, normiert, verhulst, plots, plotCount);
}

}  // namespace orbits::lanes

#endif
