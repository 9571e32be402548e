#include "window/linklabel.h"

#include <QSignalSpy>
#include <QTest>
#include <functional>

using quorvel::LinkLabel;

using Activation = std::function<void(LinkLabel&)>;
Q_DECLARE_METATYPE(Activation)

class LinkLabelTest : public QObject {
    Q_OBJECT

private slots:
    void activatesOncePerClickOrKey_data();
    void activatesOncePerClickOrKey();
};

void LinkLabelTest::activatesOncePerClickOrKey_data()
{
    QTest::addColumn<Activation>("activation");
    QTest::addColumn<int>("clicks");

    const auto key = [](Qt::Key k) {
        return Activation([k](LinkLabel& l) { QTest::keyClick(&l, k); });
    };
    const auto mouse = [](Qt::MouseButton b) {
        return Activation([b](LinkLabel& l) { QTest::mouseClick(&l, b); });
    };
    QTest::newRow("left click") << mouse(Qt::LeftButton) << 1;
    QTest::newRow("right click") << mouse(Qt::RightButton) << 0;
    QTest::newRow("left button let go outside") << Activation([](LinkLabel& l) {
        QTest::mousePress(&l, Qt::LeftButton);
        QTest::mouseRelease(&l, Qt::LeftButton, {}, QPoint(l.width() + 5, l.height() / 2));
    }) << 0;
    QTest::newRow("Enter") << key(Qt::Key_Enter) << 1;
    QTest::newRow("Return") << key(Qt::Key_Return) << 1;
    QTest::newRow("Space") << key(Qt::Key_Space) << 1;
    QTest::newRow("another key") << key(Qt::Key_A) << 0;
}

void LinkLabelTest::activatesOncePerClickOrKey()
{
    QFETCH(Activation, activation);
    QFETCH(int, clicks);

    LinkLabel label;
    label.setText("www.example.org");
    label.resize(label.sizeHint());
    QSignalSpy clicked(&label, &LinkLabel::clicked);
    activation(label);
    QCOMPARE(clicked.count(), clicks);
}

QTEST_MAIN(LinkLabelTest)
#include "tst_linklabel.moc"
