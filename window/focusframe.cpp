#include "window/focusframe.h"

#include "window/colors.h"

#include <QPainter>
#include <QWidget>

namespace quorvel {

void makeRoomForFocusFrame(QWidget* label)
{
    // One pixel of space between the frame and the text.
    label->setContentsMargins(focusFrameWidth + 1, 0, focusFrameWidth + 1, 0);
}

void paintFocusFrame(QWidget* label)
{
    if (!label->hasFocus()) {
        return;
    }
    QPainter painter(label);
    QPen pen(colorFromValue(focusFrameColor), focusFrameWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const qreal half = focusFrameWidth / 2.0;
    painter.drawRect(QRectF(label->rect()).adjusted(half, half, -half, -half));
}

} // namespace quorvel
