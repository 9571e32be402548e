#include "window/announcer.h"

#include "window/accessiblefactory.h"

#include <QStringList>
#include <utility>

namespace quorvel {

namespace {

const char* const eddWithdrawnMessage = "EDD withdrawn";
const char* const gestWithdrawnMessage = "Gestation at birth withdrawn";
const char* const bothWithdrawnMessage = "EDD and gestation at birth withdrawn";
const char* const restartMessage = "Inputs and results cleared";

} // namespace

Announcer::Announcer(QWidget* parent) : QWidget(parent)
{
    presentAccessibly<Announcer, AccessibleNotification>();
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    resize(0, 0);
    hide();
}

void Announcer::picked(const QString& item)
{
    pickedItem_ = item;
    schedule();
}

void Announcer::withdrawn(Result result)
{
    (result == Result::Edd ? eddWithdrawn_ : gestationWithdrawn_) = true;
    schedule();
}

void Announcer::restarted()
{
    restarted_ = true;
    schedule();
}

void Announcer::confirm(const QString& message)
{
    say(message);
}

void Announcer::schedule()
{
    if (!std::exchange(scheduled_, true)) {
        QMetaObject::invokeMethod(this, &Announcer::speakGathered, Qt::QueuedConnection);
    }
}

void Announcer::speakGathered()
{
    const char* withdrawal = restarted_                             ? restartMessage
                             : eddWithdrawn_ && gestationWithdrawn_ ? bothWithdrawnMessage
                             : eddWithdrawn_                        ? eddWithdrawnMessage
                             : gestationWithdrawn_                  ? gestWithdrawnMessage
                                                                    : nullptr;
    QStringList parts;
    if (!pickedItem_.isEmpty()) {
        parts << pickedItem_;
    }
    if (withdrawal != nullptr) {
        parts << QString::fromUtf8(withdrawal);
    }
    eddWithdrawn_ = gestationWithdrawn_ = restarted_ = scheduled_ = false;
    pickedItem_.clear();
    if (!parts.isEmpty()) {
        say(parts.join(QLatin1String(". ")));
    }
}

void Announcer::say(const QString& message)
{
    // A notification is spoken as it comes into view; hidden first, it comes into view anew
    // even for the same message twice.
    hide();
    setAccessibleName(message);
    show();
}

} // namespace quorvel
