#include "core/ultrasound.h"
#include "coretest.h"

#include <cmath>
#include <limits>
#include <vector>

using namespace quorvel;

namespace {

enum class Scan { CRL, BPD, HC, Derived };

double gestDays(Scan scan, double value, double days = 0)
{
    switch (scan) {
    case Scan::CRL:
        return gestDaysCRL(value);
    case Scan::BPD:
        return gestDaysBPD(value);
    case Scan::HC:
        return gestDaysHC(value);
    case Scan::Derived:
        break;
    }
    return gestDaysDerived(value, days);
}

// Head circumference dating with the square and cube by repeated multiplication.
double gestDaysHCByMultiplication(double x)
{
    return std::exp(x * 0.010611 - x * x * 0.000030321 + x * x * x * 0.000000043498 + 1.848) * 7;
}

} // namespace

Q_DECLARE_METATYPE(Scan)

class UltrasoundTest : public QObject {
    Q_OBJECT
private slots:
    void publishedValues_data();
    void publishedValues();
    void everyListedMeasurement_data();
    void everyListedMeasurement();
    void everyListedDerivedGestation();
    void daysToEddLimits_data();
    void daysToEddLimits();
};

void UltrasoundTest::publishedValues_data()
{
    QTest::addColumn<Scan>("scan");
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("days");
    QTest::addColumn<QString>("gestationalDays"); // to four decimals
    QTest::addColumn<int>("wholeDays");
    QTest::addColumn<int>("toEdd");
    QTest::newRow("CRL 10 mm") << Scan::CRL << 10.0 << 0.0 << "49.6594" << 49 << 231;
    QTest::newRow("CRL 33 mm drops the fraction downward")
        << Scan::CRL << 33.0 << 0.0 << "70.8332" << 70 << 210;
    QTest::newRow("CRL 54 mm lies closest to a whole day")
        << Scan::CRL << 54.0 << 0.0 << "83.9846" << 83 << 197;
    QTest::newRow("CRL 56 mm") << Scan::CRL << 56.0 << 0.0 << "85.0903" << 85 << 195;
    QTest::newRow("BPD 20 mm") << Scan::BPD << 20.0 << 0.0 << "83.9700" << 83 << 197;
    QTest::newRow("BPD 37 mm") << Scan::BPD << 37.0 << 0.0 << "117.8000" << 117 << 163;
    QTest::newRow("BPD 55 mm meets HC 195 mm")
        << Scan::BPD << 55.0 << 0.0 << "153.6200" << 153 << 127;
    QTest::newRow("HC 75 mm") << Scan::HC << 75.0 << 0.0 << "84.5658" << 84 << 196;
    QTest::newRow("HC 100 mm") << Scan::HC << 100.0 << 0.0 << "99.0177" << 99 << 181;
    QTest::newRow("HC 135 mm") << Scan::HC << 135.0 << 0.0 << "119.2016" << 119 << 161;
    QTest::newRow("HC 195 mm meets BPD 55 mm")
        << Scan::HC << 195.0 << 0.0 << "153.3360" << 153 << 127;
    QTest::newRow("18 weeks 0 days is whole already")
        << Scan::Derived << 18.0 << 0.0 << "126.0000" << 126 << 154;
    QTest::newRow("7 weeks 6 days") << Scan::Derived << 7.0 << 6.0 << "55.0000" << 55 << 225;
    QTest::newRow("22 weeks 6 days") << Scan::Derived << 22.0 << 6.0 << "160.0000" << 160 << 120;
}

void UltrasoundTest::publishedValues()
{
    QFETCH(Scan, scan);
    QFETCH(double, value);
    QFETCH(double, days);
    QFETCH(QString, gestationalDays);
    QFETCH(int, wholeDays);
    QFETCH(int, toEdd);
    const double g = gestDays(scan, value, days);
    QCOMPARE(QString::number(g, 'f', 4), gestationalDays);
    QCOMPARE(static_cast<int>(std::floor(g)), wholeDays);
    QCOMPARE(daysToEdd(g).value(), toEdd);
}

void UltrasoundTest::everyListedMeasurement_data()
{
    QTest::addColumn<Scan>("scan");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<int>("step");
    QTest::newRow("CRL 10 to 56 mm") << Scan::CRL << 10 << 56 << 1;
    QTest::newRow("BPD 20 to 55 mm") << Scan::BPD << 20 << 55 << 1;
    QTest::newRow("HC 75 to 195 mm by 5") << Scan::HC << 75 << 195 << 5;
}

// Each listed value gives a gestation safely away from a whole day, so the whole days cannot
// depend on rounding; a longer measurement never leaves more days to the EDD.
void UltrasoundTest::everyListedMeasurement()
{
    QFETCH(Scan, scan);
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(int, step);
    double previous = 0;
    for (int mm = first; mm <= last; mm += step) {
        const double g = gestDays(scan, mm);
        const double fromWhole = std::abs(g - std::round(g));
        QVERIFY2(fromWhole >= 0.015, qPrintable(QStringLiteral("%1 mm: %2 days").arg(mm).arg(g)));
        QVERIFY2(g > previous && g >= 49 && g <= 161, qPrintable(QString::number(mm)));
        previous = g;
        const int toEdd = daysToEdd(g).value();
        QVERIFY2(toEdd >= 120 && toEdd <= 231, qPrintable(QString::number(mm)));
        if (scan == Scan::HC) {
            QCOMPARE(std::floor(g), std::floor(gestDaysHCByMultiplication(mm)));
        }
    }
}

// Weeks 7 to 22 and days 0 to 6 name every whole day from 49 to 160 exactly once.
void UltrasoundTest::everyListedDerivedGestation()
{
    std::vector<int> seen(161, 0);
    std::vector<int> seenToEdd(232, 0);
    for (int weeks = 7; weeks <= 22; ++weeks) {
        for (int days = 0; days <= 6; ++days) {
            const double g = gestDaysDerived(weeks, days);
            QCOMPARE(g, std::floor(g));
            QVERIFY(g >= 49 && g <= 160);
            ++seen[static_cast<std::size_t>(g)];
            const int toEdd = daysToEdd(g).value();
            QVERIFY(toEdd >= 120 && toEdd <= 231);
            ++seenToEdd[static_cast<std::size_t>(toEdd)];
        }
    }
    for (int d = 49; d <= 160; ++d) {
        QCOMPARE(seen[static_cast<std::size_t>(d)], 1);
    }
    for (int d = 120; d <= 231; ++d) {
        QCOMPARE(seenToEdd[static_cast<std::size_t>(d)], 1);
    }
}

void UltrasoundTest::daysToEddLimits_data()
{
    constexpr double inf = std::numeric_limits<double>::infinity();
    QTest::addColumn<double>("gestationalDays");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("toEdd");
    QTest::newRow("on term") << 280.0 << true << 0;
    QTest::newRow("past term") << 290.5 << true << -10;
    QTest::newRow("negative fraction drops downward") << -0.5 << true << 281;
    QTest::newRow("largest 16-bit result") << -32487.0 << true << 32767;
    QTest::newRow("smallest 16-bit result") << 33048.9 << true << -32768;
    QTest::newRow("one above the 16-bit range") << -32487.5 << false << 0;
    QTest::newRow("one below the 16-bit range") << 33049.0 << false << 0;
    QTest::newRow("huge") << 1e300 << false << 0;
    QTest::newRow("huge negative") << -1e300 << false << 0;
    QTest::newRow("infinity") << inf << false << 0;
    QTest::newRow("negative infinity") << -inf << false << 0;
    QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << false << 0;
}

void UltrasoundTest::daysToEddLimits()
{
    QFETCH(double, gestationalDays);
    QFETCH(bool, ok);
    QFETCH(int, toEdd);
    const auto result = daysToEdd(gestationalDays);
    QCOMPARE(result.ok(), ok);
    if (ok) {
        QCOMPARE(*result, toEdd);
    } else {
        QCOMPARE(result.error(), DatingError::OutOfRange);
    }
}

QTEST_APPLESS_MAIN(UltrasoundTest)
#include "tst_ultrasound.moc"
