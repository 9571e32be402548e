#include "window/announcer.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace quorvel {

namespace {

class AccessibleAnnouncer : public QAccessibleWidget {
public:
    explicit AccessibleAnnouncer(QWidget* widget)
        : QAccessibleWidget(widget, QAccessible::Notification)
    {
    }
};

QAccessibleInterface* accessibleAnnouncerFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String(Announcer::staticMetaObject.className()) &&
        object->isWidgetType()) {
        return new AccessibleAnnouncer(static_cast<QWidget*>(object));
    }
    return nullptr;
}

} // namespace

Announcer::Announcer(QWidget* parent) : QWidget(parent)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(accessibleAnnouncerFactory);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    resize(0, 0);
    hide();
}

void Announcer::announce(const QString& message)
{
    // A notification is spoken as it comes into view; hidden first, it comes into view anew
    // even for the same message twice.
    hide();
    setAccessibleName(message);
    show();
}

} // namespace quorvel
