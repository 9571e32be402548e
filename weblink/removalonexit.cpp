#include "weblink/removalonexit.h"

#ifndef _WIN32
#include <QFile>
#include <array>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <unistd.h>
#endif

namespace quorvel {

#ifdef _WIN32

// Windows ends console-less programs without signals; the owner's own removal is all there is.
RemovalOnExit::RemovalOnExit(const QString&) {}
RemovalOnExit::~RemovalOnExit() = default;

#else

namespace {

constexpr std::array endingSignals{SIGTERM, SIGINT, SIGHUP};

// Read by a signal handler, so kept in plain static storage: no allocation, no lock.
char guardedPath[PATH_MAX];
volatile std::sig_atomic_t guarding = 0;
std::array<struct sigaction, endingSignals.size()> previousActions;

// Only async-signal-safe calls: it also runs inside the signal handler.
void removeGuardedFile()
{
    if (guarding != 0) {
        guarding = 0;
        ::unlink(guardedPath);
    }
}

void onEndingSignal(int signalNumber)
{
    removeGuardedFile();
    for (std::size_t i = 0; i < endingSignals.size(); ++i) {
        if (endingSignals[i] == signalNumber) {
            ::sigaction(signalNumber, &previousActions[i], nullptr);
        }
    }
    ::raise(signalNumber);
}

void restorePreviousActions()
{
    for (std::size_t i = 0; i < endingSignals.size(); ++i) {
        ::sigaction(endingSignals[i], &previousActions[i], nullptr);
    }
}

} // namespace

RemovalOnExit::RemovalOnExit(const QString& path)
{
    const QByteArray nativePath = QFile::encodeName(path);
    if (guarding != 0 || nativePath.isEmpty() || std::size_t(nativePath.size()) >= PATH_MAX) {
        return;
    }
    // Registered once; it does nothing while no guard lives.
    static const bool registered = std::atexit(removeGuardedFile) == 0;
    Q_UNUSED(registered);
    std::memcpy(guardedPath, nativePath.constData(), std::size_t(nativePath.size()) + 1);
    struct sigaction action {};
    action.sa_handler = onEndingSignal;
    sigemptyset(&action.sa_mask);
    for (std::size_t i = 0; i < endingSignals.size(); ++i) {
        ::sigaction(endingSignals[i], &action, &previousActions[i]);
    }
    guarding = 1;
    armed_ = true;
}

RemovalOnExit::~RemovalOnExit()
{
    if (!armed_) {
        return;
    }
    guarding = 0;
    restorePreviousActions();
}

#endif

} // namespace quorvel
