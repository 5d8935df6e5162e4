// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The number conversions and the guard of a test's hook. (The palette is
// checked where the pictures use it: test_diagram, test_inspector.)
#include <QTest>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <limits>
#include <random>

#include "support/bits.h"
#include "support/numbers.h"
#include "support/palette.h"
#include "support/restore.h"

using namespace support;

class TestSupport : public QObject {
  Q_OBJECT

 private slots:
  void readsLeadingNumber_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("plain") << "100" << 100.0;
    QTest::newRow("blank in front") << " 1.5" << 1.5;
    QTest::newRow("no zero before the point") << " .45" << 0.45;
    QTest::newRow("negative without zero") << "-.13" << -0.13;
    QTest::newRow("blanks tabs and line feeds anywhere") << " 1\t2 .\n5 " << 12.5;
    QTest::newRow("blank inside the exponent") << "1 E - 0 2" << 0.01;
    QTest::newRow("exponent E") << "1E-05" << 1e-05;
    QTest::newRow("exponent D") << "1d2" << 100.0;
    QTest::newRow("exponent D upper") << "2.5D+3" << 2500.0;
    QTest::newRow("letter without exponent digits") << "7E" << 7.0;
    QTest::newRow("letter with a sign only") << "7e-x" << 7.0;
    QTest::newRow("decimal comma ends the number") << "1,5" << 1.0;
    QTest::newRow("trailing text") << "12abc" << 12.0;
    QTest::newRow("blanks between digits") << " 1 2 " << 12.0;
    QTest::newRow("no number") << "abc" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("sign only") << "-" << 0.0;
    QTest::newRow("point only") << "." << 0.0;
    QTest::newRow("hexadecimal is not read") << "&H10" << 0.0;
    QTest::newRow("nan is text") << "nan" << 0.0;
    QTest::newRow("inf is text") << "inf" << 0.0;
    QTest::newRow("plus sign") << "+3" << 3.0;
    QTest::newRow("point first") << ".5." << 0.5;
    QTest::newRow("2147483648") << "2147483648" << 2147483648.0;
    QTest::newRow("beyond the range saturates") << "1e999" << DBL_MAX;
    QTest::newRow("beyond the range, negative") << "-1e999" << -DBL_MAX;
    QTest::newRow("huge exponent digits") << "1e99999999999999999999" << DBL_MAX;
    QTest::newRow("below the smallest") << "1e-400" << 0.0;
    QTest::newRow("many zeros then beyond") << "0.000001e315" << DBL_MAX;
    QTest::newRow("long mantissa then below") << "123456789e-328" << 1.23456789e-320;
    QTest::newRow("subnormal") << "1e-310" << 1e-310;
    QTest::newRow("non-Latin letters") << QString::fromUtf8("五") << 0.0;
  }
  void readsLeadingNumber() {
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(numberFromText(text), value);
  }

  void readsVeryLongText() {
    QCOMPARE(numberFromText(std::string(10000, '7')), DBL_MAX);
    QCOMPARE(numberFromText("0." + std::string(10000, '0') + "1"), 0.0);
    QCOMPARE(numberFromText(std::string(10000, 'x')), 0.0);
  }

  void writesNumbers_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("single");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0.0 << false << " 0";
    QTest::newRow("negative zero") << -0.0 << false << " 0";
    QTest::newRow("integer") << 100.0 << false << " 100";
    QTest::newRow("below one") << 0.45 << false << " .45";
    QTest::newRow("negative below one") << -0.13 << false << "-.13";
    QTest::newRow("15 digits of a double") << 0.1 + 0.2 << false << " .3";
    QTest::newRow("15 digits kept") << 2.24500002861023 << false << " 2.24500002861023";
    QTest::newRow("7 digits of a single") << double(3.5699456f) << true << " 3.569946";
    QTest::newRow("single 1.234") << double(1.234f) << true << " 1.234";
    QTest::newRow("small in exponent form") << 1e-05 << false << " 1E-05";
    QTest::newRow("last plain small") << 0.0001 << false << " .0001";
    QTest::newRow("double above 10^15") << 2e15 << false << " 2E+15";
    QTest::newRow("largest plain double") << 999999999999999.0 << false << " 999999999999999";
    QTest::newRow("single above 10^7") << 12345678.0 << true << " 1.234568E+07";
    QTest::newRow("negative exponent form") << -1.5e-20 << false << "-1.5E-20";
    QTest::newRow("three-digit exponent") << 1e300 << false << " 1E+300";
    QTest::newRow("infinity saturates") << double(INFINITY) << false << " 1.79769313486232E+308";
    QTest::newRow("single infinity saturates") << -double(INFINITY) << true << "-3.402823E+38";
    QTest::newRow("nan is written as 0") << double(NAN) << false << " 0";
  }
  void writesNumbers() {
    QFETCH(double, value);
    QFETCH(bool, single);
    QFETCH(QString, text);
    QCOMPARE(single ? qTextFromSingle(float(value)) : qTextFromDouble(value), text);
  }

  // Whatever is written reads back to the value written, to the digits of
  // its precision, and writing what was read gives the same text again.
  void writtenTextReadsBack() {
    std::mt19937_64 random(20261208);
    std::uniform_int_distribution<std::uint64_t> bits;
    for (int i = 0; i < 200000; ++i) {
      double d;
      const std::uint64_t b = bits(random);
      std::memcpy(&d, &b, sizeof d);
      if (!std::isfinite(d)) continue;
      const std::string text = textFromDouble(d);
      const double back = numberFromText(text);
      QVERIFY2(textFromDouble(back) == text, text.c_str());
      QVERIFY2(std::fabs(back - d) <= std::fabs(d) * 5.2e-15 || std::fabs(d) > 1.797693134862315e308, text.c_str());
    }
    for (int i = 0; i < 200000; ++i) {
      float f;
      const std::uint32_t b = std::uint32_t(bits(random));
      std::memcpy(&f, &b, sizeof f);
      if (!std::isfinite(f)) continue;
      const std::string text = textFromSingle(f);
      const double back = numberFromText(text);
      QVERIFY2(textWithDigits(back, 7) == text, text.c_str());
      QVERIFY2(std::fabs(back - f) <= std::fabs(double(f)) * 5.2e-7, text.c_str());
    }
  }

  // Found by the fuzzer: seven digits of this single lead back to another
  // single; the text read back still writes the same text.
  void sevenDigitsOfASingleReadBackStably() {
    const float f = toSingle(numberFromText("0010 000001000000000000000100000"));
    QCOMPARE(double(f), 8470330 * 0x1p70);  // the single just above 1E+28
    QCOMPARE(textFromSingle(f), std::string(" 1E+28"));
    QCOMPARE(textWithDigits(numberFromText(textFromSingle(f)), 7), std::string(" 1E+28"));
    QCOMPARE(textFromSingle(toSingle(1e28)), std::string(" 9.999999E+27"));
  }

  void localeForm() {
    const QLocale point(QLocale::English), comma(QLocale::German);
    QCOMPARE(localeText(0.25, point), QStringLiteral("0.25"));
    QCOMPARE(localeText(0.25, comma), QStringLiteral("0,25"));
    QCOMPARE(localeText(10 / 100.0, point), QStringLiteral("0.1"));
    QCOMPARE(localeText(1 / 100.0, point), QStringLiteral("0.01"));
    QCOMPARE(localeText(99 / 100.0, point), QStringLiteral("0.99"));
    QCOMPARE(localeText(0.1 + 0.2, point), QStringLiteral("0.3"));
    QCOMPARE(localeText(2.301, comma), QStringLiteral("2,301"));
    QCOMPARE(localeText(-1.5, point), QStringLiteral("-1.5"));
    QCOMPARE(localeText(3, point), QStringLiteral("3"));
  }

  void narrowsToSingleLikeIeee() {
    QCOMPARE(toSingle(0.1), 0.1f);
    QCOMPARE(toSingle(DBL_MAX), std::numeric_limits<float>::infinity());
    QCOMPARE(toSingle(-1e39), -std::numeric_limits<float>::infinity());
    QCOMPARE(toSingle(double(FLT_MAX)), FLT_MAX);
    QCOMPARE(toSingle(0x1.fffffefp127), FLT_MAX);  // rounds down to the largest float
    QVERIFY(std::isnan(toSingle(NAN)));
  }

  void roundsHalfToEvenInto32Bits() {
    QCOMPARE(roundToInt32(2.5), 2);
    QCOMPARE(roundToInt32(3.5), 4);
    QCOMPARE(roundToInt32(200.5), 200);
    QCOMPARE(roundToInt32(201.5), 202);
    QCOMPARE(roundToInt32(-2.5), -2);
    QCOMPARE(roundToInt32(2147483648.0), 2147483647);
    QCOMPARE(roundToInt32(-2147483649.0), std::numeric_limits<std::int32_t>::min());
    QCOMPARE(roundToInt32(DBL_MAX), 2147483647);
    QCOMPARE(roundToInt32(NAN), 0);
  }

  // The shortest forms behind support/bits.h are printf's %g and strtod's
  // reading, which the browser build uses where its library lacks
  // <charconv>: random doubles at every precision, written as printf writes
  // them; read back, out of range reported.
  void generalFormIsPrintfs() {
    std::mt19937_64 random(7);
    char mine[64], printed[64];
    for (int i = 0; i < 20000; ++i) {
      const double value = support::bitCast<double>(random());
      if (!std::isfinite(value)) continue;
      const int precision = 1 + int(random() % 17);
      const char* end = support::writeGeneral(mine, mine + sizeof mine, value, precision);
      std::snprintf(printed, sizeof printed, "%.*g", precision, value);
      QCOMPARE(QByteArray(mine, int(end - mine)), QByteArray(printed));
      double back = 0;
      QVERIFY(support::readDecimal(mine, end, back));
      if (precision == 17) QCOMPARE(support::bitCast<quint64>(back), support::bitCast<quint64>(value));
    }
    double unchanged = 5;
    for (const char* outside : {"1e999", "-1e999"}) {
      QVERIFY(!support::readDecimal(outside, outside + std::strlen(outside), unchanged));
      QCOMPARE(unchanged, 5.0);
    }
  }

  // A hook comes back as it was whichever way the guards go, nested or
  // moved: a test that ends early leaves the next one no hook of its own.
  void hooksComeBackAsTheyWere() {
    std::function<int()> slot = [] { return 0; };
    {
      const Restore outer = exchangeHook(slot, std::function<int()>([] { return 1; }));
      {
        Restore inner = exchangeHook(slot, std::function<int()>([] { return 2; }));
        const Restore moved = std::move(inner);
        QCOMPARE(slot(), 2);
      }
      QCOMPARE(slot(), 1);
    }
    QCOMPARE(slot(), 0);
  }
};

QTEST_APPLESS_MAIN(TestSupport)
#include "test_support.moc"
