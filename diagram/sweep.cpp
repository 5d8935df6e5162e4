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
  forms::PictureBox::PointColumn points;
  double p;
  double startwert;
  std::int32_t bis;
  std::int64_t vorlaufBis;   // lead-in points for counters below this
  std::int64_t gelbAb;       // orbit points from this counter on
  std::ptrdiff_t thin, pen;  // 1 pixel and the pen width strich, in image pixels
};

// Counters are whole numbers: "counter > von" holds from floor(von) + 1 on,
// "counter < n" below ceil(n). Far beyond any 32-bit counter is the same as
// never.
constexpr double kNever = 0x1p62;
std::int64_t firstAbove(double von) { return von >= kNever ? std::int64_t(kNever) : std::int64_t(std::floor(von)) + 1; }
std::int64_t countBelow(double n) {
  return n <= 0 ? 0 : n >= kNever ? std::int64_t(kNever) : std::int64_t(std::ceil(n));
}

// The growth law of one step, in exactly the order of operations written.
template <bool Normiert, bool Verhulst>
double step(double bestand, double p) {
  if constexpr (Normiert) bestand = bestand * (1 + p * (1 - bestand));
  if constexpr (Verhulst) bestand = bestand * (1 + p) * (1 - bestand);
  return bestand;
}

// Iterates one orbit and plots it; returns the last orbit value and sets
// `count` to the value the loop counter ends with. Plotting a point does not
// hold up the next step: the chain of multiplications runs at the speed of
// the bare iteration while the points are written beside it.
template <bool Normiert, bool Verhulst, typename KeepAlive>
double iterate(const Column& c, std::int64_t& count, KeepAlive&& keepAlive) {
  const std::uint32_t cyan = paletteColor(kCyan), yellow = paletteColor(kYellow);
  const auto points = c.points;
  const double p = c.p;
  const std::int64_t end = std::int64_t{c.bis} + 1;  // counters 0 ... bis
  const std::int64_t gelbAb = c.gelbAb;
  const std::ptrdiff_t pen = c.pen;
  double bestand = c.startwert;
  count = end;

  // The first counters may draw lead-in points: cyan before yellow.
  std::int64_t iteration = 0;
  for (const std::int64_t leadEnd = std::min(c.vorlaufBis, end); iteration < leadEnd; ++iteration) {
    bestand = step<Normiert, Verhulst>(bestand, p);
    points.plot(toSingle(bestand), cyan, c.thin);
    if (iteration >= gelbAb) points.plot(toSingle(bestand), yellow, pen);
  }
  // The rest in blocks, each either silent or drawing every point.
  constexpr std::int64_t kBlock = 1024;
  constexpr std::int64_t kBlocksBetweenLooks = 4096;  // some 4 million steps, a few milliseconds
  for (std::int64_t blocks = 1; iteration < end; ++blocks) {
    const std::int64_t silentEnd = std::min(end, std::max(iteration, gelbAb));
    const std::int64_t blockEnd = std::min(end, iteration + kBlock);
    if (blockEnd <= silentEnd) {
      for (; iteration < blockEnd; ++iteration) bestand = step<Normiert, Verhulst>(bestand, p);
    } else {
      for (; iteration < silentEnd; ++iteration) bestand = step<Normiert, Verhulst>(bestand, p);
      for (; iteration < blockEnd; ++iteration) {
        bestand = step<Normiert, Verhulst>(bestand, p);
        points.plot(toSingle(bestand), yellow, pen);
      }
    }
    // An orbit that has left the double range never returns and can draw
    // nothing more: the rest of the column is skipped.
    if (!std::isfinite(bestand)) break;
    // A column of millions of steps still lets the window repaint and close.
    if (blocks % kBlocksBetweenLooks == 0 && !keepAlive()) break;
  }
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
      picAusgabe->release();
      forms::waitForEvents();
      if (beendet) return;
    }
    // The surface and its marker repaint at most about 60 times a second.
    picAusgabe->pace();
    if (!yield()) return;
    picAusgabe->hold();

    p = links + spalte * schritt;
    const float column = toSingle(p);
    Line1->setX1(column);
    Line1->setX2(column);
    picAusgabe->setChildLeft(txtp, column);
    txtp->setText(support::localeText(p));
    picAusgabe->setDrawWidth(strich);
    picAusgabe->pset(column, toSingle(startwert), paletteColor(kCyan));

    const Column c{picAusgabe->pointColumn(column),
                   p,
                   startwert,
                   bis,
                   chkVorlauf->checkState() == Qt::Checked ? countBelow(numberFromText(txtVorlauf->text())) : 0,
                   firstAbove(von),
                   picAusgabe->penPixels(1),
                   picAusgabe->penPixels(strich)};
    // Inside a column only the window system's own events are served (paint,
    // close), never the user's input: no handler runs in the middle of a column.
    auto keepAlive = [this] {
      picAusgabe->pace();
      forms::processSystemEvents();
      picAusgabe->hold();
      return !beendet;
    };
    const bool normiert = optR->isChecked(), verhulst = optV->isChecked();
    if (normiert && verhulst)
      bestand = iterate<true, true>(c, iteration, keepAlive);
    else if (normiert)
      bestand = iterate<true, false>(c, iteration, keepAlive);
    else if (verhulst)
      bestand = iterate<false, true>(c, iteration, keepAlive);
    else
      bestand = iterate<false, false>(c, iteration, keepAlive);
    if (beendet) return;
    // Every lead-in or orbit point sets the pen back to 1 after itself.
    const bool penReset = c.vorlaufBis > 0 || bis >= c.gelbAb;
    picAusgabe->setDrawWidth(penReset ? 1 : strich);
  }

  // End of the run: labels over a strip 1/36 of the width.
  beschriftung(36);
  picAusgabe->release();
}
