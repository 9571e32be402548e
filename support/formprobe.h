#pragma once

// Drives a QuorvelForm as a user would and reads what it shows, by control name: for the tests
// and the benchmark alike.

#include "core/edd.h"
#include "core/gestation.h"
#include "window/appearance.h"
#include "window/intervaltimer.h"
#include "window/picklist.h"
#include "window/quorvelform.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace quorvel::test {

class FormProbe {
public:
    explicit FormProbe(QuorvelForm& form) : form_(form) {}

    QuorvelForm& form() const { return form_; }

    // The control of that name; a missing one ends the program, as nothing after it would mean
    // anything.
    template <typename T = QWidget>
    T* get(const char* name) const
    {
        auto* object = form_.findChild<T*>(QString::fromUtf8(name));
        if (object == nullptr) {
            qFatal("no control %s", name);
        }
        return object;
    }
    QWidget* widget(const char* name) const { return get<QWidget>(name); }
    PickList* list(const char* name) const { return get<PickList>(name); }
    QRadioButton* option(const char* name) const { return get<QRadioButton>(name); }
    QPushButton* button(const char* name) const { return get<QPushButton>(name); }
    IntervalTimer* timer(const char* name) const { return get<IntervalTimer>(name); }
    QString text(const char* name) const { return get<QLabel>(name)->text(); }

    // On screen: the control and every frame holding it are visible.
    bool shown(const char* name) const;
    // The control's own Enabled, whatever its frame says.
    bool ownEnabled(const char* name) const;
    // What a user can reach: shown and enabled with all its frames.
    bool usable(QWidget* w) const;

    // Picks the item in code, as a handling would; runs the list's handling.
    void pick(const char* name, const QString& item) const;
    void pickDate(const char* row, const QString& day, const QString& month,
                  const QString& year) const;
    void choose(const char* name) const;
    void click(const char* name) const;
    void pressEnter() const;

    // Whether any of the three flashes is still ticking.
    bool flashing() const;
    // Ends every running flash tick by tick, without waiting for the timers.
    void finishFlashes() const;

    // The EDD the arithmetic gives for what the controls show now.
    Result<EddResult> eddOnScreen() const;
    Result<GestationAtBirth> gestationOnScreen() const;

private:
    QuorvelForm& form_;
};

} // namespace quorvel::test

// A test main with the application's own look, so sizes and fonts are the user's.
#define QUORVEL_WINDOW_TEST_MAIN(TestClass)                                                        \
    int main(int argc, char* argv[])                                                               \
    {                                                                                              \
        QApplication app(argc, argv);                                                              \
        quorvel::applyAppearance(app);                                                             \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
