#pragma once

// The window's controls by name, for driving it from the benchmark.

#include "window/intervaltimer.h"
#include "window/picklist.h"
#include "window/quorvelform.h"

#include <QAbstractButton>

namespace quorvel::bench {

class FormControls {
public:
    explicit FormControls(QuorvelForm& form) : form_(form) {}

    QuorvelForm& form() const { return form_; }
    QWidget* widget(const char* name) const;
    PickList* list(const char* name) const;
    QAbstractButton* button(const char* name) const;
    IntervalTimer* timer(const char* name) const;

    bool shown(const char* name) const;
    // Picks the item in code, as a handling would; runs the list's handling.
    void pick(const char* list, const QString& item) const;
    // Ends every running flash tick by tick, so that no timer fires inside a measurement.
    void finishFlashes() const;

private:
    QuorvelForm& form_;
};

// Stops the benchmark: an action did not do what it does, so its timing would mean nothing.
[[noreturn]] void fail(const char* what);

} // namespace quorvel::bench
