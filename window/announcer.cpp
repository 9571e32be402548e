#include "window/announcer.h"

#include "window/accessiblefactory.h"

namespace quorvel {

Announcer::Announcer(QWidget* parent) : QWidget(parent)
{
    presentAccessibly<Announcer, AccessibleNotification>();
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
