#include "window/linklabel.h"

#include "window/accessiblefactory.h"
#include "window/focusframe.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace quorvel {

namespace {

class AccessibleLink : public QAccessibleWidget {
public:
    explicit AccessibleLink(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Link) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) {
            return static_cast<LinkLabel*>(widget())->text();
        }
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override
    {
        return QStringList(pressAction()) + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& actionName) override
    {
        if (actionName == pressAction()) {
            emit static_cast<LinkLabel*>(widget())->clicked();
            return;
        }
        QAccessibleWidget::doAction(actionName);
    }
};

} // namespace

LinkLabel::LinkLabel(QWidget* parent) : QLabel(parent)
{
    presentAccessibly<LinkLabel, AccessibleLink>();
    setCursor(Qt::PointingHandCursor);
    makeRoomForFocusFrame(this);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

void LinkLabel::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return ||
        event->key() == Qt::Key_Enter) {
        emit clicked();
        return;
    }
    QLabel::keyPressEvent(event);
}

void LinkLabel::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    paintFocusFrame(this);
}

} // namespace quorvel
