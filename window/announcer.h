#pragma once

#include <QWidget>

namespace quorvel {

// Speaks a short message to screen readers without taking the focus: an empty widget that
// presents itself as a notification and comes into view with the message as its name,
// which screen readers speak wherever the focus is. Nothing of it is seen.
class Announcer : public QWidget {
    Q_OBJECT

public:
    explicit Announcer(QWidget* parent = nullptr);

    void announce(const QString& message);
};

} // namespace quorvel
