// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// What the x86 kernels (lanes_avx2.cpp, lanes_avx512.cpp) share: the point
// writes of four lanes whose pens are one pixel.
#pragma once

#include <immintrin.h>

#include <cstdint>

namespace orbits::lanes {

// Four cells, given as four 32-bit offsets in a register, get the colour.
// Straight from the register: a cell read back from memory could wait on an
// earlier point write whose address aliases its own.
__attribute__((target("avx2"))) inline void putFour(std::uint32_t* cells, __m128i at, std::uint32_t colour) {
  const std::uint64_t low = std::uint64_t(_mm_cvtsi128_si64(at));
  const std::uint64_t high = std::uint64_t(_mm_extract_epi64(at, 1));
  cells[std::uint32_t(low)] = colour;
  cells[std::uint32_t(low >> 32)] = colour;
  cells[std::uint32_t(high)] = colour;
  cells[std::uint32_t(high >> 32)] = colour;
}

}  // namespace orbits::lanes
