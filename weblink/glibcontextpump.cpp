#include "weblink/glibcontextpump.h"

#include <QSocketNotifier>

namespace quorvel {

namespace {

constexpr gint pollWithoutWaiting = 0;
constexpr gint noTimeout = -1;

} // namespace

// Ownerless polling: a source added from any thread, this one included, signals the context's
// wake-up descriptor, which is among those watched, so that a cancellation or a new call is
// seen within the cycle Qt is waiting in.
GlibContextPump::GlibContextPump()
    : context_(g_main_context_new_with_flags(G_MAIN_CONTEXT_FLAGS_OWNERLESS_POLLING))
{
    // Owned by this thread for good: a cycle spans Qt's waits.
    g_main_context_acquire(context_);
    wake_.setSingleShot(true);
    wake_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&wake_, &QTimer::timeout, &wake_, [this] { dispatchReady(); });
    watch();
}

GlibContextPump::~GlibContextPump()
{
    notifiers_.clear();
    g_main_context_release(context_);
    g_main_context_unref(context_);
}

void GlibContextPump::call(const std::function<void()>& start)
{
    g_main_context_push_thread_default(context_);
    start();
    g_main_context_pop_thread_default(context_);
}

// Ends the cycle begun by watch(): polls without waiting, then dispatches what is ready, with
// the context as the thread's default so that calls made by the callbacks answer here too.
void GlibContextPump::dispatchReady()
{
    g_poll(fds_.data(), guint(fds_.size()), pollWithoutWaiting);
    g_main_context_push_thread_default(context_);
    if (g_main_context_check(context_, priority_, fds_.data(), gint(fds_.size()))) {
        g_main_context_dispatch(context_);
    }
    g_main_context_pop_thread_default(context_);
    watch();
}

// Begins a cycle and hands its wait to Qt: a descriptor becoming ready, or the timeout, ends it.
void GlibContextPump::watch()
{
    g_main_context_prepare(context_, &priority_);
    gint timeout = noTimeout;
    for (;;) {
        const gint count =
            g_main_context_query(context_, priority_, &timeout, fds_.data(), gint(fds_.size()));
        const bool complete = std::size_t(count) <= fds_.size();
        fds_.resize(std::size_t(count));
        if (complete) {
            break;
        }
    }
    notifiers_.clear();
    for (const GPollFD& fd : fds_) {
        for (const auto& [events, type] :
             {std::pair{gushort(G_IO_IN | G_IO_PRI), QSocketNotifier::Read},
              std::pair{gushort(G_IO_OUT), QSocketNotifier::Write}}) {
            if ((fd.events & events) == 0) {
                continue;
            }
            auto& notifier =
                notifiers_.emplace_back(std::make_unique<QSocketNotifier>(fd.fd, type));
            // Level-triggered: quiet until the cycle ends, which the timer does outside the
            // notifier's own signal, where replacing it would be unsafe.
            QObject::connect(notifier.get(), &QSocketNotifier::activated, &wake_, [this] {
                for (const auto& each : notifiers_) {
                    each->setEnabled(false);
                }
                wake_.start(0);
            });
        }
    }
    if (timeout == noTimeout) {
        wake_.stop();
    } else {
        wake_.start(timeout);
    }
}

} // namespace quorvel
