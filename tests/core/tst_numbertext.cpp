#include "core/numbertext.h"
#include "coretest.h"
#include "numbertextcases.h"

using namespace quorvel;

class NumberTextTest : public QObject {
    Q_OBJECT
private slots:
    void plainWholeNumbers_data() { addCaseRows(wholeNumberCases); }
    void plainWholeNumbers();
    void refusesOtherNumberTexts_data() { addCaseRows(notWholeNumberCases); }
    void refusesOtherNumberTexts();
};

void NumberTextTest::plainWholeNumbers()
{
    const auto& c = currentCase(wholeNumberCases);
    const auto number = wholeNumberFromText(c.text);
    QVERIFY(number.ok());
    QCOMPARE(*number, c.value);
}

void NumberTextTest::refusesOtherNumberTexts()
{
    QUORVEL_REFUSED(wholeNumberFromText(currentCase(notWholeNumberCases).text),
                    DatingError::NotAWholeNumber);
}

QTEST_APPLESS_MAIN(NumberTextTest)
#include "tst_numbertext.moc"
