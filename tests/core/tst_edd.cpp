#include "core/edd.h"
#include "coretest.h"

#include <cmath>

using namespace quorvel;

Q_DECLARE_METATYPE(quorvel::EddInputs)
Q_DECLARE_METATYPE(quorvel::Measurement)
Q_DECLARE_METATYPE(quorvel::DatingError)

namespace {

constexpr auto crl = Measurement::CrownRumpLength;
constexpr auto bpd = Measurement::BiparietalDiameter;
constexpr auto hc = Measurement::HeadCircumference;

EddInputs lmpDating(std::string_view d, std::string_view m, std::string_view y)
{
    EddInputs in;
    in.mode = DatingMode::LastMenstrualPeriod;
    in.dayText = d;
    in.monthText = m;
    in.yearText = y;
    return in;
}

EddInputs biometryDating(Measurement measurement, std::string_view mm, std::string_view d,
                         std::string_view m, std::string_view y)
{
    EddInputs in = lmpDating(d, m, y);
    in.mode = DatingMode::Ultrasound;
    in.scanData = ScanData::FetalBiometry;
    in.measurement = measurement;
    in.measurementText = mm;
    return in;
}

EddInputs derivedDating(std::string_view weeks, std::string_view days, std::string_view d,
                        std::string_view m, std::string_view y)
{
    EddInputs in = lmpDating(d, m, y);
    in.mode = DatingMode::Ultrasound;
    in.scanData = ScanData::DerivedGestation;
    in.weeksText = weeks;
    in.daysText = days;
    return in;
}

} // namespace

class EddTest : public QObject {
    Q_OBJECT
private slots:
    void measurementChosenByOptions_data();
    void measurementChosenByOptions();
    void eddOfDatingChoices_data();
    void eddOfDatingChoices();
    void refusesInputsWithoutAnEdd_data();
    void refusesInputsWithoutAnEdd();
};

void EddTest::measurementChosenByOptions_data()
{
    QTest::addColumn<bool>("crownRump");
    QTest::addColumn<bool>("biparietal");
    QTest::addColumn<Measurement>("measurement");
    QTest::newRow("CRL chosen") << true << false << crl;
    QTest::newRow("BPD chosen") << false << true << bpd;
    QTest::newRow("neither chosen falls through to HC") << false << false << hc;
    QTest::newRow("CRL is asked first") << true << true << crl;
}

void EddTest::measurementChosenByOptions()
{
    QFETCH(bool, crownRump);
    QFETCH(bool, biparietal);
    QFETCH(Measurement, measurement);
    QCOMPARE(measurementFromOptions(crownRump, biparietal), measurement);
}

void EddTest::eddOfDatingChoices_data()
{
    QTest::addColumn<EddInputs>("inputs");
    QTest::addColumn<Date>("edd");
    QTest::addColumn<QByteArray>("eddText");
    QTest::addColumn<int>("wholeDays"); // -1: no scan result
    QTest::addColumn<int>("toEdd");
    QTest::newRow("LMP 1 January 2000") << lmpDating("1", "January", "2000") << day(2000, 10, 7)
                                        << QByteArray("7 October 2000") << -1 << 0;
    QTest::newRow("LMP 1 June 2019 crosses a leap day into the next year")
        << lmpDating("1", "June", "2019") << day(2020, 3, 7) << QByteArray("7 March 2020") << -1
        << 0;
    QTest::newRow("LMP 25 May 2003 lands on a leap day")
        << lmpDating("25", "May", "2003") << day(2004, 2, 29) << QByteArray("29 February 2004")
        << -1 << 0;
    EddInputs lmpWithScanTexts = derivedDating("-1", "", "1", "January", "2000");
    lmpWithScanTexts.mode = DatingMode::LastMenstrualPeriod;
    lmpWithScanTexts.measurementText = "x";
    QTest::newRow("LMP dating ignores the scan texts")
        << lmpWithScanTexts << day(2000, 10, 7) << QByteArray("7 October 2000") << -1 << 0;
    EddInputs crlWithDerivedTexts = biometryDating(crl, "33", "10", "March", "2004");
    crlWithDerivedTexts.weeksText = "x";
    QTest::newRow("CRL 33 mm never moves the EDD later, derived texts ignored")
        << crlWithDerivedTexts << day(2004, 10, 6) << QByteArray("6 October 2004") << 70 << 210;
    QTest::newRow("BPD 37 mm") << biometryDating(bpd, "37", "10", "March", "2004")
                               << day(2004, 8, 20) << QByteArray("20 August 2004") << 117 << 163;
    QTest::newRow("HC 135 mm when neither CRL nor BPD is chosen")
        << biometryDating(measurementFromOptions(false, false), "135", "10", "March", "2004")
        << day(2004, 8, 18) << QByteArray("18 August 2004") << 119 << 161;
    EddInputs derivedWithMeasurement = derivedDating("18", "0", "10", "March", "2004");
    derivedWithMeasurement.measurementText = "x";
    QTest::newRow("derived 18 weeks 0 days, measurement text ignored")
        << derivedWithMeasurement << day(2004, 8, 11) << QByteArray("11 August 2004") << 126 << 154;
}

void EddTest::eddOfDatingChoices()
{
    QFETCH(EddInputs, inputs);
    QFETCH(Date, edd);
    QFETCH(QByteArray, eddText);
    QFETCH(int, wholeDays);
    QFETCH(int, toEdd);
    const auto result = computeEdd(inputs);
    QVERIFY(result.ok());
    QCOMPARE(result->edd, edd);
    const std::string text = longDateText(result->edd);
    QCOMPARE(QByteArray::fromStdString(text), eddText);
    QCOMPARE(dateFromText(text).value(), edd);
    QCOMPARE(result->scan.has_value(), wholeDays >= 0);
    if (result->scan) {
        QCOMPARE(static_cast<int>(std::floor(result->scan->gestationalDays)), wholeDays);
        QCOMPARE(result->scan->daysToEdd, toEdd);
    }
}

void EddTest::refusesInputsWithoutAnEdd_data()
{
    QTest::addColumn<EddInputs>("inputs");
    QTest::addColumn<DatingError>("error");
    const auto none = DatingError::NoSuchDate;
    const auto notWhole = DatingError::NotAWholeNumber;
    const auto range = DatingError::OutOfRange;
    QTest::newRow("LMP 31 April") << lmpDating("31", "April", "2004") << none;
    QTest::newRow("LMP 29 February of a common year")
        << lmpDating("29", "February", "2001") << none;
    QTest::newRow("scan date with an empty day")
        << derivedDating("18", "0", "", "March", "2004") << none;
    QTest::newRow("measurement with a fraction")
        << biometryDating(crl, "33.5", "10", "March", "2004") << notWhole;
    QTest::newRow("negative measurement")
        << biometryDating(crl, "-5", "10", "March", "2004") << notWhole;
    QTest::newRow("empty weeks") << derivedDating("", "0", "10", "March", "2004") << notWhole;
    QTest::newRow("signed days") << derivedDating("18", "+0", "10", "March", "2004") << notWhole;
    QTest::newRow("HC so long the gestation overflows")
        << biometryDating(hc, "999999", "10", "March", "2004") << range;
    QTest::newRow("BPD so long the days to the EDD leave 16 bits")
        << biometryDating(bpd, "999999", "10", "March", "2004") << range;
    QTest::newRow("EDD after year 9999") << lmpDating("31", "December", "9999") << range;
    QTest::newRow("scan-based EDD after year 9999")
        << biometryDating(crl, "10", "1", "June", "9999") << range;
    QTest::newRow("EDD before year 1000 from a gestation past term")
        << derivedDating("100", "0", "1", "January", "1000") << range;
}

void EddTest::refusesInputsWithoutAnEdd()
{
    QFETCH(EddInputs, inputs);
    QFETCH(DatingError, error);
    const auto result = computeEdd(inputs);
    QVERIFY(!result.ok());
    QCOMPARE(result.error(), error);
}

QTEST_APPLESS_MAIN(EddTest)
#include "tst_edd.moc"
