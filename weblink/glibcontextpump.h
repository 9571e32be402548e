#pragma once

#include <QTimer>
#include <functional>
#include <glib.h>
#include <memory>
#include <vector>

class QSocketNotifier;

namespace quorvel {

/// A GLib main context of its own, run from Qt's event loop whichever dispatcher Qt uses
/// (GLib's, or its own with QT_NO_GLIB=1): the asynchronous GIO calls started through call()
/// answer on it, and their answers are dispatched between the window's events, without a loop
/// of their own and without a thread. One GLib cycle spans each of Qt's waits: the context's
/// file descriptors are watched by socket notifiers and its next timeout by a timer.
class GlibContextPump {
public:
    GlibContextPump();
    ~GlibContextPump();

    GlibContextPump(const GlibContextPump&) = delete;
    GlibContextPump& operator=(const GlibContextPump&) = delete;

    /// Runs start with this context as the thread's default, so that what it begins answers here.
    void call(const std::function<void()>& start);

private:
    void dispatchReady();
    void watch();

    GMainContext* context_;
    gint priority_ = 0;
    std::vector<GPollFD> fds_;
    std::vector<std::unique_ptr<QSocketNotifier>> notifiers_;
    QTimer wake_;
};

} // namespace quorvel
