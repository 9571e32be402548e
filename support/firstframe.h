#pragma once

// For libraries preloaded into an unchanged Qt program (LD_PRELOAD): an action run once the
// program's first window has painted its first frame.

#include <QCoreApplication>
#include <QEvent>
#include <functional>
#include <utility>

namespace quorvel::support {

// The window paints its first frame while handling its first expose event; the watcher lets it
// do so before acting.
class FirstFrameWatcher : public QObject {
public:
    FirstFrameWatcher(std::function<void()> action, QObject* parent)
        : QObject(parent), action_(std::move(action))
    {
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Expose || !watched->isWindowType()) {
            return false;
        }
        qApp->removeEventFilter(this);
        watched->event(event);
        action_();
        deleteLater();
        return true;
    }

private:
    std::function<void()> action_;
};

// To be called from a Q_COREAPP_STARTUP_FUNCTION, as the library is loaded before the program
// makes its application object.
inline void atFirstFrame(std::function<void()> action)
{
    qApp->installEventFilter(new FirstFrameWatcher(std::move(action), qApp));
}

} // namespace quorvel::support
