#include "coretest.h"

class GestationTest : public QObject {
    Q_OBJECT
private slots:
    void gestationAtBirth_data();
    void gestationAtBirth();
    void limitsOfTheDistance_data();
    void limitsOfTheDistance();
};

QUORVEL_CORE_CASES(GestationTest, gestationAtBirth, Gestations)

QUORVEL_CORE_CASES(GestationTest, limitsOfTheDistance, GestationLimits)

QTEST_APPLESS_MAIN(GestationTest)
#include "tst_gestation.moc"
