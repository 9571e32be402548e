#include "core/numbertext.h"
#include "coretest.h"

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
    QTest::newRow("zero") << QByteArray("0") << 0;
    QTest::newRow("one digit") << QByteArray("7") << 7;
    QTest::newRow("largest CRL") << QByteArray("56") << 56;
    QTest::newRow("largest HC") << QByteArray("195") << 195;
    QTest::newRow("six digits") << QByteArray("999999") << 999999;
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
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("minus sign") << QByteArray("-5");
    QTest::newRow("plus sign") << QByteArray("+5");
    QTest::newRow("leading space") << QByteArray(" 5");
    QTest::newRow("trailing space") << QByteArray("5 ");
    QTest::newRow("decimal point") << QByteArray("5.0");
    QTest::newRow("decimal comma") << QByteArray("5,0");
    QTest::newRow("thousands separator") << QByteArray("1,000");
    QTest::newRow("leading zero") << QByteArray("05");
    QTest::newRow("two zeros") << QByteArray("00");
    QTest::newRow("exponent") << QByteArray("1e3");
    QTest::newRow("hexadecimal") << QByteArray("0x1F");
    QTest::newRow("fullwidth digits") << QByteArray("１２");
    QTest::newRow("Arabic-Indic digit") << QByteArray("٥");
    QTest::newRow("embedded NUL") << QByteArray("5\0", 2);
    QTest::newRow("seven digits") << QByteArray("1000000");
    QTest::newRow("beyond int") << QByteArray("99999999999");
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
