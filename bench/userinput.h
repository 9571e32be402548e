#pragma once

// What a user's mouse and keyboard deliver to a control: the same events, sent at once, so
// that their handling is timed from the event on.

#include <Qt>

class QWidget;

namespace quorvel::bench {

// A left-button press and release in the middle of the widget.
void click(QWidget* widget);

// A key press and release sent to the widget.
void pressKey(QWidget* widget, Qt::Key key);

} // namespace quorvel::bench
