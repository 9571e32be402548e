#include "window/picklist.h"

#include <QSignalSpy>
#include <QTest>
#include <functional>

using quorvel::PickList;

using Change = std::function<void(PickList&)>;
Q_DECLARE_METATYPE(Change)

class PickListTest : public QObject {
    Q_OBJECT

private slots:
    void change_data();
    void change();
};

void PickListTest::change_data()
{
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QString>("pick"); // empty: nothing picked yet
    QTest::addColumn<Change>("change");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("itemsAfter");
    QTest::addColumn<int>("picks");

    const QStringList abc = {"a", "b", "c"};
    const auto add = [](const QStringList& texts) {
        return Change([texts](PickList& l) {
            for (const QString& t : texts) {
                l.addItemText(t);
            }
        });
    };
    const auto setText = [](const QString& t) {
        return Change([t](PickList& l) { l.setText(t); });
    };

    const auto addAll = [](const QStringList& texts) {
        return Change([texts](PickList& l) { l.addItemTexts(texts); });
    };

    QTest::newRow("filling picks nothing") << QStringList() << "" << add(abc) << "" << abc << 0;
    QTest::newRow("filling at once picks nothing")
        << QStringList() << "" << addAll(abc) << "" << abc << 0;
    QTest::newRow("adding at once keeps the pick")
        << QStringList{"a"} << "a" << addAll({"b", "c"}) << "a" << abc << 0;
    QTest::newRow("adding keeps the pick")
        << QStringList{"a", "b"} << "b" << add({"c"}) << "b" << abc << 0;
    QTest::newRow("setText of an item picks it") << abc << "" << setText("b") << "b" << abc << 1;
    QTest::newRow("setText of another item") << abc << "a" << setText("c") << "c" << abc << 1;
    QTest::newRow("setText of the current item") << abc << "b" << setText("b") << "b" << abc << 0;
    QTest::newRow("setText of a non-item") << abc << "b" << setText("x") << "b" << abc << 0;
    QTest::newRow("setText of a non-item, nothing picked")
        << abc << "" << setText("x") << "" << abc << 0;
    QTest::newRow("setText matches case")
        << QStringList{"March"} << "" << setText("march") << "" << QStringList{"March"} << 0;
    QTest::newRow("the user's pick")
        << abc << "a" << Change([](PickList& l) { QTest::keyClick(&l, Qt::Key_Down); }) << "b"
        << abc << 1;
    QTest::newRow("inserting before the pick")
        << abc << "b" << Change([](PickList& l) { l.insertItemText(0, "z"); }) << "b"
        << QStringList{"z", "a", "b", "c"} << 0;
    QTest::newRow("inserting into an unpicked list")
        << abc << "" << Change([](PickList& l) { l.insertItemText(0, "z"); }) << ""
        << QStringList{"z", "a", "b", "c"} << 0;
    QTest::newRow("removing before the pick")
        << abc << "c" << Change([](PickList& l) { l.removeItemText("a"); }) << "c"
        << QStringList{"b", "c"} << 0;
    QTest::newRow("removing the picked item is refused")
        << abc << "b" << Change([](PickList& l) { l.removeItemText("b"); }) << "b" << abc << 0;
    QTest::newRow("removing a non-item")
        << abc << "b" << Change([](PickList& l) { l.removeItemText("x"); }) << "b" << abc << 0;
    QTest::newRow("clearItems") << abc << "b" << Change([](PickList& l) { l.clearItems(); }) << ""
                                << QStringList() << 0;
    QTest::newRow("refilling then picking signals once")
        << abc << "b" << Change([add](PickList& l) {
               l.clearItems();
               add({"1", "2"})(l);
               l.setText("1");
           })
        << "1" << QStringList{"1", "2"} << 1;
}

void PickListTest::change()
{
    QFETCH(QStringList, items);
    QFETCH(QString, pick);
    QFETCH(Change, change);
    QFETCH(QString, text);
    QFETCH(QStringList, itemsAfter);
    QFETCH(int, picks);

    PickList list;
    for (const QString& item : items) {
        list.addItemText(item);
    }
    list.setText(pick);
    QCOMPARE(list.text(), pick);

    QSignalSpy picked(&list, &PickList::picked);
    change(list);
    QCOMPARE(list.text(), text);
    QCOMPARE(list.items(), itemsAfter);
    QCOMPARE(picked.count(), picks);
}

QTEST_MAIN(PickListTest)
#include "tst_picklist.moc"
