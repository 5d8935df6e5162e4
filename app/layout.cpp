// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The table of the controls; app/controls.cpp turns its rows into widgets.
#include "app/layout.h"

#include "forms/overlays.h"
#include "forms/picturebox.h"
#include "orbits/start.h"

namespace layout {

namespace {
// The texts of the boxes that show a setting: its default.
QString shown(double value) { return QString::number(value); }
}  // namespace

#define M(name) &Ui::Form1::name, #name

// clang-format off
const std::vector<Row>& rows() {
  using orbits::kStartFenster;
  static const QString links = shown(kStartFenster.links), rechts = shown(kStartFenster.rechts),
                       xMin = shown(kStartFenster.xMin), xMax = shown(kStartFenster.xMax),
                       startwert = shown(orbits::startwertOf(orbits::kStartHundertstel)), von = shown(orbits::kVon),
                       bis = shown(orbits::kBis), vorlauf = shown(orbits::kVorlauf);
  static const std::vector<Row> table = {
    {M(Picture1),   In::W,  nullptr,              480,  120, 7215, 1455, kWindowBack, kWindowText, 0, 0, 15,
     nullptr, "Die beiden Formen der Iteration"},
    {M(optV),       In::P1, nullptr,             6720,  120,  255,  435, kWhite, kBlack, 12, 0, 16,
     "Darstellung von Verhulst, variabler Fixpunkt", nullptr},
    {M(optR),       In::P1, nullptr,             6720,  600,  375,  615, kWhite, kBlack, 12, Selected, 17,
     "Iteration Logistisches Wachstum, relative Bestände, Grenzbestand ist 1", nullptr},
    {M(Picture2),   In::W,  nullptr,             7680,  120, 4815, 1455, kWindowBack, kWindowText, 0, 0, 18,
     nullptr, "Eingaben"},
    {M(Text2),      In::P2, "Startwert",          120,  120,  975,  525, kDefault, kDefault, 9.75, ReadOnly | Center | Caption, 27,
     "Startwert für X", nullptr},
    {M(txtStart),   In::P2, startwert,            120,  600,  975,  330, kLightYellow, kDefault, 9.75, ReadOnly | Center, 26,
     nullptr, "Startwert"},
    {M(HScroll1),   In::P2, nullptr,              120,  960,  975,  270, kDefault, kDefault, -1, 0, 28,
     nullptr, "Startwert wählen"},
    {M(Line3),      In::P2, nullptr,             1200,    0, 1200, 1320, kDefault, kWindowText, -1, 0, -1,
     nullptr, "Trennlinie"},
    {M(Text3),      In::P2, "X  von..    bis..", 1320,    0, 1095,  285, kDefault, kDefault, 8.25, NoBorder | Caption, 29,
     nullptr, "X von, bis"},
    {M(txtXMIN),    In::P2, xMin,                1320,  240,  615,  315, kNavy, kWhite, 9, ReadOnly | Center | Bold, 31,
     nullptr, "X von"},
    {M(txtXMAX),    In::P2, xMax,                1920,  240,  615,  315, kNavy, kWhite, 9, ReadOnly | Center | Bold, 30,
     nullptr, "X bis"},
    {M(Command8),   In::P2, "Fenster",           1320,  600,  855,  345, kLightYellow, kDefault, 8.25, 0, 32,
     "Fenster zur maßstabstreuen Vergrößerung wählen", nullptr},
    {M(Command11),  In::P2, "X",                 2160,  600,  375,  345, kLightYellow, kDefault, 8.25, 0, 35,
     "abbrechen von Vergrößerungsfenster wählen", nullptr},
    {M(Command9),   In::P2, "max",               1320,  960,  495,  345, kPaleCyan, kDefault, 9, 0, 33,
     "Startfenster wiederherstellen", nullptr},
    {M(Command10),  In::P2, "zurück",            1800,  960,  735,  345, kOrange, kDefault, 9, 0, 34,
     "voriges Fenster wiederherstellen", nullptr},
    {M(Line4),      In::P2, nullptr,             2640,    0, 2640, 1320, kDefault, kWindowText, -1, 0, -1,
     nullptr, "Trennlinie"},
    {M(Command1),   In::P2, "Start",             2760,  120,  975,  495, kLightYellow, kDefault, 14.25, 0, 20,
     "Darstellung start, Punkte werden gesetzt ab Iteration ", "Start"},
    {M(Text4),      In::P2, "von",               3840,  120,  255,  285, kDefault, kDefault, 9, NoBorder | Right | Caption, 22,
     nullptr, "von"},
    {M(txtVon),     In::P2, von,                 4200,  120,  495,  285, kLightYellow, kDefault, 8.25, 0, 23,
     "Anzahl der Iterationen bevor gezeichnet wird, direkt hier eingeben", nullptr},
    {M(Text5),      In::P2, "bis",               3840,  360,  255,  285, kDefault, kDefault, 9, NoBorder | Right | Caption, 24,
     nullptr, "bis"},
    {M(txtBis),     In::P2, bis,                 4200,  360,  495,  285, kLightYellow, kDefault, 8.25, 0, 25,
     "Gesamtzahl der Iterationen für jedes p direkt hier eingeben", nullptr},
    {M(chkVorlauf), In::P2, "mit den ersten ",   2760,  720, 1935,  495, kLightYellow, kDefault, 9.75, Selected, 19,
     "Den Anfang der Bestandsfolge zeigen", nullptr},
    {M(txtVorlauf), In::P2, vorlauf,             4200,  840,  495,  285, kDefault, kDefault, 9.75, Center, 21,
     nullptr, "Anzahl der ersten Iterationen"},
    {M(Command7),   In::W,  "i",                  240,  120,  255,  570, kLightYellow, kDefault, 8.25, 0, 13,
     nullptr, "Programmiert von"},
    {M(Command5),   In::W,  "S",                12480,  120,  255,  615, kSalmon, kDefault, 8.25, 0, 10,
     "Ausführung unterbrechen, mit 'W' weiterrechnen", nullptr},
    {M(txtStop),    In::W,  "0",                12480,  720,  255,  285, kPaleCyan, kDefault, 8.25, Flat | Center, 12,
     nullptr, "Pause, 1 hält an"},
    {M(Command6),   In::W,  "W",                12480,  960,  255,  495, kLavender, kDefault, 8.25, 0, 11,
     "Weiterrechnen", nullptr},
    {M(Command4),   In::W,  "2",                12480, 1680,  255,  255, kDefault, kDefault, 9, 0, 8,
     "Strichstärke für den Feigenbaum", nullptr},
    {M(Command3),   In::W,  "1",                12480, 1920,  255,  255, kDefault, kDefault, 9, 0, 7,
     "Strichstärke für den Feigenbaum", nullptr},
    {M(Text1),      In::W,  "1",                12480, 2160,  255,  285, kDefault, kDefault, 9, Center, 9,
     nullptr, "Strichstärke"},
    {M(picAusgabe), In::W,  nullptr,              480, 1680, 12000, 7200, kNavy, kWindowText, 0, 0, 0,
     nullptr, "Feigenbaum-Diagramm"},
    {M(Command2),   In::PA, "x",                11640,    0,  375,  375, kLightYellow, kDefault, 0, 0, 6,
     "Bildschirm löschen", nullptr},
    {M(txtY),       In::PA, "",                     0, 3720,  615,  315, kNavy, kWhite, 9.75, Flat, 4,
     nullptr, "X unter dem Mauszeiger"},
    {M(txtp),       In::PA, "I",                  480, 6840,  855,  195, kNavy, kWhite, 9.75, NoBorder, 3,
     nullptr, "p unter dem Mauszeiger"},
    {M(shpAuswahl), In::PA, nullptr,             3120, 1320, 6000, 3750, kDefault, kWhite, -1, Hidden, -1,
     nullptr, "Vergrößerungsfenster"},
    {M(Line1),      In::PA, nullptr,              240, 7335,  240,    0, kDefault, kPaleYellow, -1, 0, -1,
     nullptr, "Spalte"},
    {M(Label2),     In::PA, "p",                10800, 6840,  135,  375, kNavy, kWhite, 12, 0, 14,
     nullptr, "p"},
    {M(Line2),      In::PA, nullptr,              360, 3960, 12000, 3960, kDefault, kViolet, -1, 0, -1,
     nullptr, "Fadenkreuz"},
    {M(txtLinks),   In::W,  links,                480, 8880,  975,  375, kNavy, kWhite, 12, Flat | Bold, 1,
     "linke Intervallgrenze für p", nullptr},
    {M(txtHilfe),   In::W,  "Hilfe",             1440, 8880, 10095,  405, kLightYellow, kDefault, 12, Center, 5,
     nullptr, "Hilfe"},
    {M(txtRechts),  In::W,  rechts,             11520, 8880,  975,  375, kNavy, kWhite, 12, Flat | Bold | Right, 2,
     "rechte Intervallgrenze für p", nullptr},
    // The two marks at the ends of the p axis: red like the grid.
    {M(Shape1),     In::W,  nullptr,              360, 8640,  135,  615, kPaletteRed, kWindowText, -1, 0, -1,
     nullptr, "linkes Ende der p-Achse"},
    {M(Shape2),     In::W,  nullptr,            12480, 8640,  135,  615, kPaletteRed, kWindowText, -1, 0, -1,
     nullptr, "rechtes Ende der p-Achse"},
  };
  return table;
}
// clang-format on

}  // namespace layout
