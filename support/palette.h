// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Every colour the program names: the classic 16-colour palette, which
// drawing code names by index, and the few colours of the window's controls
// that lie outside it.
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
constexpr int kBlue = 1;           // the orbit window's panels
constexpr int kCyan = 3;           // the start value and the lead-in points
constexpr int kRed = 4;            // the grid and the label strip; the orbit window's frames
constexpr int kLightGrey = 7;      // the orbit window's diagonal
constexpr int kGrey = 8;           // iterates the diagram leaves out, in the orbit window
constexpr int kLightBlue = 9;      // the grid's tick labels
constexpr int kLightGreen = 10;    // the growth law's graph in the cobweb
constexpr int kLightCyan = 11;     // the label strip's labels
constexpr int kLightMagenta = 13;  // the orbit window's second orbit
constexpr int kYellow = 14;        // the orbit points

constexpr std::uint32_t paletteColour(int index) { return kPalette.at(static_cast<std::size_t>(index & 15)); }

// The controls' own colours beyond the palette, 0xAARRGGBB.
constexpr std::uint32_t kNavy = 0xFF000040;         // the drawing surface and the X limit boxes
constexpr std::uint32_t kLightYellow = 0xFFFFFFC0;  // the input boxes and most buttons
constexpr std::uint32_t kPaleCyan = 0xFFC0FFFF;     // "max" and the pause box
constexpr std::uint32_t kOrange = 0xFFFF8000;       // "zurück"
constexpr std::uint32_t kSalmon = 0xFFFF8080;       // "S"
constexpr std::uint32_t kLavender = 0xFFC0C0FF;     // "W"
constexpr std::uint32_t kPaleYellow = 0xFFFFFF80;   // the column marker
constexpr std::uint32_t kViolet = 0xFF8080FF;       // the horizontal crosshair line
constexpr std::uint32_t kWhite = 0xFFFFFFFF;
constexpr std::uint32_t kBlack = 0xFF000000;

// A picture's colours: as on screen, or for a printer, which wants a white
// ground and dark points and lines (and no ink where the screen is dark).
enum class Scheme { Screen, Printer };

// The colour a picture of the scheme draws in place of a screen colour: for
// the printer, the dark grounds white, the light points and lines dark, the
// lead-in grey; colours not named keep their value.
constexpr std::uint32_t inScheme(Scheme scheme, std::uint32_t screen) {
  if (scheme == Scheme::Screen) return screen;
  constexpr std::uint32_t kPrinted[][2] = {
      {kNavy, kWhite},                             // the diagram's ground
      {paletteColour(kBlue), kWhite},              // the orbit window's panels
      {paletteColour(kYellow), kBlack},            // the orbit points
      {paletteColour(kCyan), 0xFF909090},          // the start value and the lead-in
      {paletteColour(kRed), 0xFFC0C0C0},           // the grid, the label strip, the frames
      {paletteColour(kLightBlue), 0xFF404040},     // the grid's tick labels
      {paletteColour(kLightCyan), kBlack},         // the strip's labels
      {paletteColour(kLightGreen), 0xFF006400},    // the growth law's graph, the stable exponents
      {paletteColour(kLightGrey), 0xFF808080},     // the diagonal, the zero line
      {paletteColour(kGrey), 0xFFB0B0B0},          // iterates the diagram leaves out
      {paletteColour(kLightMagenta), 0xFFA000A0},  // the second orbit, the marker
  };
  for (const auto& [from, to] : kPrinted)
    if (from == screen) return to;
  return screen;
}

}  // namespace support
