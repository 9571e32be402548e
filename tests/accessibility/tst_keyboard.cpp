// The calculator used from the keyboard alone: Tab, arrow keys, Space and Enter.

#include "support/formprobe.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QMenu>
#include <cmath>

using namespace quorvel;
using test::FormProbe;

class KeyboardTest : public QObject {
    Q_OBJECT

private slots:
    void tabVisitsTheFocusOrder_data();
    void tabVisitsTheFocusOrder();
    void typicalUse_data();
    void typicalUse();
    void focusedLabelLooksFocused_data();
    void focusedLabelLooksFocused();
    void focusedListItemStandsOut();
};

namespace {

// A flash runs four 100 ms toggles, then shows again whatever it hid; on a busy machine the
// ticks come late, so the test waits for the flashes' own end rather than a fixed time.
constexpr int flashEndTimeoutMs = 20000;
// More presses than the focus chain has stops: a target not reached by then never will be.
constexpr int maxPresses = 25;

void waitForFlashesToEnd(const FormProbe& p)
{
    QTRY_VERIFY_WITH_TIMEOUT(!p.flashing(), flashEndTimeoutMs);
}

void show(QuorvelForm& form, const FormProbe& p)
{
    form.show();
    QApplication::setActiveWindow(&form);
    QVERIFY(QTest::qWaitForWindowActive(&form));
    waitForFlashesToEnd(p);
}

QString focusName()
{
    QWidget* focus = QApplication::focusWidget();
    return focus != nullptr ? focus->objectName() : QString("(nothing)");
}

void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* focus = QApplication::focusWidget();
    QVERIFY2(focus != nullptr, "no control has the keyboard focus");
    QTest::keyClick(focus, key, modifiers);
}

void tabTo(const QString& name)
{
    for (int i = 0; i < maxPresses && focusName() != name; ++i) {
        press(Qt::Key_Tab);
    }
    QVERIFY2(focusName() == name, qPrintable("Tab never reaches " + name));
}

// Up and Down through the focused list until it shows the item.
void pickWithArrows(const QString& item)
{
    auto* list = qobject_cast<QComboBox*>(QApplication::focusWidget());
    QVERIFY2(list != nullptr, qPrintable(focusName() + " is no list"));
    const int target = list->findText(item);
    QVERIFY2(target >= 0, qPrintable(list->objectName() + " offers no " + item));
    const Qt::Key key = target > list->currentIndex() ? Qt::Key_Down : Qt::Key_Up;
    const int presses = std::abs(target - list->currentIndex());
    for (int i = 0; i < presses; ++i) {
        press(key);
    }
    QCOMPARE(list->currentText(), item);
}

} // namespace

void KeyboardTest::tabVisitsTheFocusOrder_data()
{
    QTest::addColumn<QString>("arrangement"); // options selected with the mouse first
    QTest::addColumn<QStringList>("stops");   // one Tab round, from the first stop

    const QStringList date = {"lmpOrScanMonth", "lmpOrScanDay", "lmpOrScanYear"};
    QTest::newRow("start-up") << ""
                              << QStringList{"calculateEddButton", "restartButton"} + date +
                                     QStringList{"measurementValue", "ultrasoundOption",
                                                 "bpdOption", "fetalBiometryOption", "makersLink"};
    QTest::newRow("LMP-based: scan data unavailable")
        << "lmpOption"
        << QStringList{"calculateEddButton", "restartButton"} + date +
               QStringList{"lmpOption", "makersLink"};
    QTest::newRow("derived gestation: weeks and days, no measurement")
        << "derivedGestationOption"
        << QStringList{"calculateEddButton", "restartButton"} + date +
               QStringList{"ultrasoundOption", "derivedGestationOption", "derivedWeeks",
                           "derivedDays", "makersLink"};
    QTest::newRow("EDD shown: the question instead of the button, the result to copy")
        << "calculateEddButton"
        << QStringList{"restartButton"} + date +
               QStringList{"measurementValue",    "ultrasoundOption", "bpdOption", "noOption",
                           "fetalBiometryOption", "eddResult",        "makersLink"};
    QTest::newRow("Yes: the date of birth and its button")
        << "calculateEddButton yesOption"
        << QStringList{"restartButton", "calculateGestationButton"} + date +
               QStringList{"measurementValue", "birthMonth", "birthDay",  "birthYear",
                           "ultrasoundOption", "bpdOption",  "yesOption", "fetalBiometryOption",
                           "eddResult",        "makersLink"};
}

void KeyboardTest::tabVisitsTheFocusOrder()
{
    QFETCH(QString, arrangement);
    QFETCH(QStringList, stops);

    QuorvelForm form;
    FormProbe p(form);
    show(form, p);
    for (const QString& name : arrangement.split(' ', Qt::SkipEmptyParts)) {
        p.get<QAbstractButton>(name.toUtf8().constData())->click();
    }
    waitForFlashesToEnd(p);

    p.get(stops.first().toUtf8().constData())->setFocus(Qt::OtherFocusReason);
    QStringList visited;
    for (qsizetype i = 0; i < stops.size(); ++i) {
        visited << focusName();
        press(Qt::Key_Tab);
    }
    QCOMPARE(visited, stops);
    QCOMPARE(focusName(), stops.first());

    // Shift+Tab goes the same round backwards.
    QStringList back;
    for (qsizetype i = 0; i < stops.size(); ++i) {
        press(Qt::Key_Backtab, Qt::ShiftModifier);
        back.prepend(focusName());
    }
    QCOMPARE(back, stops);
}

void KeyboardTest::typicalUse_data()
{
    // Steps, separated by ";": "tab NAME" presses Tab until NAME has the focus; "pick ITEM"
    // presses Up or Down in the focused list until ITEM shows; "up", "left", "down", "space" and
    // "enter" press that key, "enter" once a flash has ended and "enter blinking" while it
    // runs; "focus NAME" checks where the focus is; "copy TEXT" selects all of the focused text
    // and copies it, and checks the clipboard, "menu copy TEXT" likewise through the context
    // menu (the Menu key); "edd TEXT" and "gestation TEXT" check a result on screen and
    // "no results" that neither shows.
    QTest::addColumn<QString>("steps");

    QTest::newRow("LMP 1 January 2000, born 1 October 2000")
        << "focus calculateEddButton; tab ultrasoundOption; up; space; tab lmpOrScanDay; pick 1; "
           "enter;"
           "edd 7 October 2000; tab noOption; up; focus birthMonth; tab birthDay; pick 1; enter;"
           "gestation 39 weeks 1 days";
    QTest::newRow("crown-rump length 33 mm on 10 March 2004, born on the EDD")
        << "tab bpdOption; up; tab measurementValue; pick 33; tab lmpOrScanMonth; pick March; tab "
           "lmpOrScanDay;"
           "pick 10; tab lmpOrScanYear; pick 2004; enter; edd 6 October 2004; tab eddResult;"
           "copy 6 October 2004; tab noOption; left; focus birthMonth; enter; gestation 40 weeks 0 "
           "days; tab gestationResult;"
           "menu copy 40 weeks 0 days; edd 6 October 2004";
    QTest::newRow("derived gestation 7 weeks 6 days on 10 March 2004")
        << "tab fetalBiometryOption; down; tab derivedWeeks; pick 7; tab derivedDays; pick 6; tab "
           "lmpOrScanMonth; pick March;"
           "tab lmpOrScanDay; pick 10; tab lmpOrScanYear; pick 2004; enter; edd 21 October 2004";
    QTest::newRow("head circumference 100 mm, then Space on Cancel and RESTART")
        << "tab bpdOption; down; tab measurementValue; pick 100; tab lmpOrScanMonth; pick March; "
           "tab lmpOrScanDay;"
           "pick 10; tab lmpOrScanYear; pick 2004; enter; edd 7 September 2004; tab restartButton;"
           "space; no results";
    QTest::newRow("Enter on a focused Cancel and RESTART restarts, calculates nothing")
        << "tab ultrasoundOption; up; tab restartButton; enter; no results; focus restartButton";
    QTest::newRow("Enter on an option or a list calculates and moves the focus on")
        << "tab bpdOption; enter; edd 12 June 2000; focus yesOption; space; focus birthMonth;"
           "tab birthDay; enter; gestation 40 weeks 0 days; focus birthMonth";
    QTest::newRow("the same EDD and Yes again: Enter still calculates the gestation")
        << "enter; edd 12 June 2000; space; tab measurementValue; pick 38; pick 37; enter;"
           "edd 12 June 2000; space; focus birthMonth; enter; gestation 40 weeks 0 days";
    QTest::newRow("Enter while Calculate EDD blinks after a pick")
        << "tab lmpOrScanDay; pick 2; enter blinking; edd 13 June 2000; focus yesOption";
    QTest::newRow("a date picked after Yes: Enter calculates the EDD again")
        << "enter; edd 12 June 2000; space; tab lmpOrScanDay; pick 2; enter; edd 13 June 2000";
    QTest::newRow("Space on Calculate EDD, then born two weeks early")
        << "tab calculateEddButton; space; edd 12 June 2000; focus yesOption; space; focus "
           "birthMonth;"
           "pick May; tab birthDay; pick 29; tab birthMonth; tab calculateGestationButton; space;"
           "gestation 38 weeks 0 days; focus birthMonth";
}

void KeyboardTest::typicalUse()
{
    QFETCH(QString, steps);

    QuorvelForm form;
    FormProbe p(form);
    show(form, p);

    for (QString step : steps.split(';', Qt::SkipEmptyParts)) {
        step = step.trimmed();
        const QString word = step.section(' ', 0, 0);
        const QString rest = step.section(' ', 1);
        if (word == "tab") {
            tabTo(rest);
        } else if (word == "pick") {
            pickWithArrows(rest);
        } else if (word == "up") {
            press(Qt::Key_Up);
        } else if (word == "left") {
            press(Qt::Key_Left);
        } else if (word == "down") {
            press(Qt::Key_Down);
        } else if (word == "space") {
            press(Qt::Key_Space);
        } else if (word == "enter") {
            if (rest == "blinking") {
                // While Calculate EDD blinks out of sight.
                QTRY_VERIFY_WITH_TIMEOUT(!p.get("calculateEddButton")->isVisible(),
                                         flashEndTimeoutMs);
            } else {
                waitForFlashesToEnd(p);
            }
            press(Qt::Key_Return);
        } else if (word == "menu") {
            QApplication::clipboard()->clear();
            QWidget* focus = QApplication::focusWidget();
            QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(),
                                      focus->mapToGlobal(QPoint()));
            QApplication::sendEvent(focus, &menuKey);
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY2(menu != nullptr, "no context menu");
            menu->actions().first()->trigger();
            menu->close();
            QCOMPARE(QApplication::clipboard()->text(), rest.section(' ', 1));
        } else if (word == "copy") {
            press(Qt::Key_A, Qt::ControlModifier);
            press(Qt::Key_C, Qt::ControlModifier);
            QCOMPARE(QApplication::clipboard()->text(), rest);
        } else if (word == "focus") {
            QCOMPARE(focusName(), rest);
        } else if (word == "edd") {
            QVERIFY2(p.shown("eddFrame"), qPrintable("no EDD at: " + step));
            QCOMPARE(p.text("eddResult"), rest);
        } else if (word == "gestation") {
            QVERIFY2(p.shown("gestationFrame"), qPrintable("no gestation at: " + step));
            QCOMPARE(p.text("gestationResult"), rest);
        } else if (word == "no") {
            QVERIFY(!p.shown("eddFrame"));
            QVERIFY(!p.shown("gestationFrame"));
        } else {
            QFAIL(qPrintable("unknown step " + step));
        }
        if (QTest::currentTestFailed()) {
            qWarning("at step \"%s\"", qPrintable(step));
            return;
        }
    }
}

void KeyboardTest::focusedLabelLooksFocused_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("arrangement"); // a button clicked first
    QTest::newRow("link") << "makersLink"
                          << "";
    QTest::newRow("EDD") << "eddResult"
                         << "calculateEddButton";
}

// A frame along the edge, where a text cursor alone would leave it.
void KeyboardTest::focusedLabelLooksFocused()
{
    QFETCH(QString, label);
    QFETCH(QString, arrangement);

    QuorvelForm form;
    FormProbe p(form);
    show(form, p);
    if (!arrangement.isEmpty()) {
        p.get<QAbstractButton>(arrangement.toUtf8().constData())->click();
    }
    QWidget* widget = p.get(label.toUtf8().constData());
    const QPoint leftEdge(0, widget->height() / 2);
    const QRgb unfocused = widget->grab().toImage().pixel(leftEdge);
    tabTo(label);
    QVERIFY2(widget->grab().toImage().pixel(leftEdge) != unfocused, "no focus frame");
}

// WCAG 2 contrast of the picked item's text on its highlight in an open list.
void KeyboardTest::focusedListItemStandsOut()
{
    constexpr double minimumContrast = 4.5;
    const auto luminance = [](const QColor& c) {
        const auto channel = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) +
               0.0722 * channel(c.blueF());
    };
    QuorvelForm form;
    FormProbe p(form);
    show(form, p);
    const QPalette palette = p.get<QComboBox>("lmpOrScanMonth")->view()->palette();
    const double text = luminance(palette.color(QPalette::Active, QPalette::HighlightedText));
    const double back = luminance(palette.color(QPalette::Active, QPalette::Highlight));
    const double contrast = (std::max(text, back) + 0.05) / (std::min(text, back) + 0.05);
    QVERIFY2(contrast >= minimumContrast, qPrintable(QString::number(contrast)));
}

QUORVEL_WINDOW_TEST_MAIN(KeyboardTest)

#include "tst_keyboard.moc"
