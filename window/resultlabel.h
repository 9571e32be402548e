#pragma once

#include <QLabel>

namespace quorvel {

// A label that shows a result. Assistive technology knows it by a fixed accessible name that
// says which result it holds; the result itself is its accessible description, and each new
// result is announced as a change of that description.
class ResultLabel : public QLabel {
    Q_OBJECT

public:
    using QLabel::QLabel;

    // Hides QLabel::setText so that every result the window writes through this type is
    // announced.
    void setText(const QString& text);
};

} // namespace quorvel
