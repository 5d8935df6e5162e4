// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The classic 16-colour palette; drawing code names colours by index.
#pragma once

#include <array>
#include <cstdint>

namespace support {

// 0xAARRGGBB, the layout of a QRgb and of a 32-bit image pixel.
constexpr std::array<std::uint32_t, 16> kPalette = {
    0xFF000000, 0xFF000080, 0xFF008000, 0xFF008080,  // black, blue, green, cyan
    0xFF800000, 0xFF800080, 0xFF808000, 0xFFC0C0C0,  // red, magenta, brown-yellow, light grey
    0xFF808080, 0xFF0000FF, 0xFF00FF00, 0xFF00FFFF,  // grey, light blue, light green, light cyan
    0xFFFF0000, 0xFFFF00FF, 0xFFFFFF00, 0xFFFFFFFF,  // light red, light magenta, yellow, white
};

// The indices the program draws with.
constexpr int kCyan = 3;        // the start value and the lead-in points
constexpr int kRed = 4;         // the grid and the label strip
constexpr int kLightBlue = 9;   // the grid's tick labels
constexpr int kLightCyan = 11;  // the label strip's labels
constexpr int kYellow = 14;     // the orbit points

constexpr std::uint32_t paletteColor(int index) { return kPalette.at(static_cast<std::size_t>(index & 15)); }

}  // namespace support
