#pragma once

#include <QLabel>

namespace quorvel {

// A label that shows a result. Assistive technology knows it by the caption of the box that
// holds it and reads the result as its description, which stays empty until a result is
// written. It presents itself as a notification, so a screen reader speaks each result as it
// appears without the focus moving to it. The text can be selected and copied with the
// mouse, the keyboard or the context menu, to paste into notes.
class ResultLabel : public QLabel {
    Q_OBJECT

public:
    explicit ResultLabel(QWidget* parent = nullptr);

    // The text shown before any result; assistive technology is told nothing of it.
    void setPlaceholder(const QString& text);

    // Hides QLabel::setText so that every result the window writes through this type is
    // announced.
    void setText(const QString& text);

protected:
    // The focus frame: Qt shows no more than a text cursor in a focused label.
    void paintEvent(QPaintEvent* event) override;
    // Copy (the selection, or the whole result when nothing is selected) and Select All.
    void contextMenuEvent(QContextMenuEvent* event) override;
};

} // namespace quorvel
