// "Start": the bifurcation sweep. The p interval is divided into 1000
// columns; in each, an orbit starts at the start value, the chosen growth law
// is iterated bis + 1 times, and the iterates after von are plotted at their
// height X. The event loop runs between columns, so any handler, a second
// sweep included, can run nested in this one at those points.
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <cmath>

#include "app/form1.h"
#include "forms/overlays.h"
#include "forms/picturebox.h"
#include "forms/runtime.h"
#include "support/numbers.h"
#include "support/palette.h"

using support::numberFromText;
using support::paletteColor;
using support::toSingle;

namespace {

constexpr int kCyan = 3, kRed = 4, kYellow = 14;

// What one column needs, fixed while it is computed: handlers run only
// between columns.
struct Column {
  forms::PictureBox* surface;
  float p;               // the column's p as handed to the surface
  double growth;         // p in double precision for the arithmetic
  double startwert;
  double von;
  std::int32_t bis;
  bool vorlauf;          // lead-in points wanted
  double anzahlVorlauf;  // their number
  std::ptrdiff_t thin, pen;  // 1 pixel and the pen width strich, in image pixels
};

// Iterates one orbit and plots it; returns the last orbit value and sets
// `count` to the value the loop counter ends with. Kept apart from the
// window so that the compiler holds everything in registers.
template <bool Normiert, bool Verhulst>
double iterate(const Column& c, std::int64_t& count) {
  const std::uint32_t cyan = paletteColor(kCyan), yellow = paletteColor(kYellow);
  double bestand = c.startwert;
  std::int64_t iteration = 0;
  for (; iteration <= c.bis; ++iteration) {
    // The two growth laws, in exactly this order of operations.
    if constexpr (Normiert) bestand = bestand * (1 + c.growth * (1 - bestand));
    if constexpr (Verhulst) bestand = bestand * (1 + c.growth) * (1 - bestand);
    if (c.vorlauf && iteration < c.anzahlVorlauf) c.surface->plot(c.p, toSingle(bestand), cyan, c.thin);
    if (iteration > c.von) c.surface->plot(c.p, toSingle(bestand), yellow, c.pen);
    // An orbit that has left the double range never returns and can draw
    // nothing more: the rest of the column is skipped.
    if (!std::isfinite(bestand)) {
      iteration = std::int64_t{c.bis} + 1;
      break;
    }
  }
  count = iteration;
  return bestand;
}

}  // namespace

void Form1::Command1_Click() {
  // Start of a run.
  if (!yield()) return;
  txtStop->setText(QStringLiteral("0"));
  double von = numberFromText(txtVon->text());
  std::int32_t bis = support::roundToInt32(numberFromText(txtBis->text()));
  if (von < 0) von = 0;
  if (bis <= von) bis = support::roundToInt32(von + 1);
  txtVon->setText(support::qTextFromDouble(von));
  txtBis->setText(support::qTextFromDouble(bis));
  startwert = HScroll1->value() / 100.0;
  links = numberFromText(txtLinks->text());
  rechts = numberFromText(txtRechts->text());
  xMax = numberFromText(txtXMAX->text());
  xMin = numberFromText(txtXMIN->text());
  setzeKoordinaten();

  // Grid, and the thick line just above X = 0.
  gitter();
  picAusgabe->setDrawWidth(3);
  picAusgabe->line(toSingle(links), 0.01f, toSingle(rechts), 0.01f, paletteColor(kRed));
  picAusgabe->setDrawWidth(1);

  // Columns. links and schritt are read afresh for each one; a sweep nested
  // in a yield leaves spalte at 1000, so this one then computes the column
  // at the right limit and ends.
  schritt = (rechts - links) / 1000;
  for (spalte = 0; spalte <= 999; ++spalte) {
    while (txtStop->text() == QLatin1String("1")) {
      picAusgabe->flush();
      forms::waitForEvents();
      if (beendet) return;
    }
    picAusgabe->present();
    if (!yield()) return;

    p = links + spalte * schritt;
    const float column = toSingle(p);
    Line1->setX1(column);
    Line1->setX2(column);
    picAusgabe->setChildLeft(txtp, column);
    txtp->setText(support::localeText(p));
    picAusgabe->setDrawWidth(strich);
    picAusgabe->pset(column, toSingle(startwert), paletteColor(kCyan));

    const Column c{picAusgabe,
                   column,
                   p,
                   startwert,
                   von,
                   bis,
                   chkVorlauf->checkState() == Qt::Checked,
                   numberFromText(txtVorlauf->text()),
                   picAusgabe->penPixels(1),
                   picAusgabe->penPixels(strich)};
    const bool normiert = optR->isChecked(), verhulst = optV->isChecked();
    if (normiert && verhulst)
      bestand = iterate<true, true>(c, iteration);
    else if (normiert)
      bestand = iterate<true, false>(c, iteration);
    else if (verhulst)
      bestand = iterate<false, true>(c, iteration);
    else
      bestand = iterate<false, false>(c, iteration);
    // Every lead-in or orbit point sets the pen back to 1 after itself.
    const bool penReset = (c.vorlauf && c.anzahlVorlauf > 0) || bis > von;
    picAusgabe->setDrawWidth(penReset ? 1 : strich);
  }

  // End of the run: labels over a strip 1/36 of the width.
  beschriftung(36);
  picAusgabe->flush();
}
