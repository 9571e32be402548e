#pragma once

#include "weblink/browserplatform.h"

#include <QObject>
#include <memory>

struct _GAsyncResult;
struct _GCancellable;
struct _GObject;

namespace quorvel {

class GlibContextPump;

/// The desktop's own associations, as file managers and `gio open` use them, asked of GIO: the
/// handler of web addresses, or without one the default program for HTML. A program that GIO
/// offers for HTML only as a kind of plain text (an editor), or that cannot take a web address,
/// is not given it. The browser is launched from its desktop entry, as the desktop launches it,
/// asynchronously; its answer, a failed D-Bus activation included, comes back through the
/// event loop.
class GioPlatform : public BrowserPlatform {
public:
    GioPlatform();
    ~GioPlatform() override;

    void open(const QString& url, Done done) override;
    void cancel() override;

    /// Launches handed to GIO whose answer has not come back yet, cancelled ones included.
    int launchesInFlight() const { return launchesInFlight_; }

private:
    struct Launch;
    static void onLaunched(_GObject* browser, _GAsyncResult* result, void* launch);

    std::unique_ptr<GlibContextPump> pump_;
    _GCancellable* cancellable_ = nullptr; // of the launch whose answer is awaited
    Done done_;
    int launchesInFlight_ = 0;
    // Answers reach the link from Qt's event loop, not from inside GIO's dispatch, so that a
    // warning's own loop never runs within it; they are dropped with the platform.
    QObject answers_;
};

} // namespace quorvel
