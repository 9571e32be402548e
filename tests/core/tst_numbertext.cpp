#include "coretest.h"

class NumberTextTest : public QObject {
    Q_OBJECT
private slots:
    void plainWholeNumbers_data();
    void plainWholeNumbers();
    void refusesOtherNumberTexts_data();
    void refusesOtherNumberTexts();
};

QUORVEL_CORE_CASES(NumberTextTest, plainWholeNumbers, WholeNumbers)

QUORVEL_CORE_CASES(NumberTextTest, refusesOtherNumberTexts, NotWholeNumbers)

QTEST_APPLESS_MAIN(NumberTextTest)
#include "tst_numbertext.moc"
