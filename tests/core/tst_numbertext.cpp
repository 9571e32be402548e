#include "core/numbertext.h"
#include "coretest.h"
#include "numbertextcases.h"

using namespace quorvel;

class NumberTextTest : public QObject {
    Q_OBJECT
private slots:
    void plainWholeNumbers_data();
    void plainWholeNumbers();
    void refusesOtherNumberTexts_data();
    void refusesOtherNumberTexts();
};

void NumberTextTest::plainWholeNumbers_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("value");
    for (const auto& c : wholeNumberCases)
        QTest::newRow(c.name) << bytes(c.text) << c.value;
}

void NumberTextTest::plainWholeNumbers()
{
    QFETCH(QByteArray, text);
    QFETCH(int, value);
    QCOMPARE(wholeNumberFromText(view(text)).value(), value);
}

void NumberTextTest::refusesOtherNumberTexts_data()
{
    QTest::addColumn<QByteArray>("text");
    for (const auto& c : notWholeNumberCases)
        QTest::newRow(c.name) << bytes(c.text);
}

void NumberTextTest::refusesOtherNumberTexts()
{
    QFETCH(QByteArray, text);
    const auto number = wholeNumberFromText(view(text));
    QVERIFY(!number.ok());
    QCOMPARE(number.error(), DatingError::NotAWholeNumber);
}

QTEST_APPLESS_MAIN(NumberTextTest)
#include "tst_numbertext.moc"
