#include "weblink/removalonexit.h"

#include <QFile>
#include <array>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace quorvel {

namespace {

constexpr std::array endingSignals{SIGTERM, SIGINT, SIGHUP};

// Read by a signal handler, so kept in plain static storage: no allocation, no lock.
char guardedPath[PATH_MAX];
volatile std::sig_atomic_t guarding = 0;
std::array<struct sigaction, endingSignals.size()> previousActions;
std::array<bool, endingSignals.size()> handled{};

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
    // The interrupted code may be about to read errno.
    const int savedErrno = errno;
    removeGuardedFile();
    for (std::size_t i = 0; i < endingSignals.size(); ++i) {
        if (endingSignals[i] == signalNumber)
            ::sigaction(signalNumber, &previousActions[i], nullptr);
    }
    ::raise(signalNumber);
    errno = savedErrno;
}

} // namespace

RemovalOnExit::RemovalOnExit(const QString& path)
{
    const QByteArray nativePath = QFile::encodeName(path);
    if (guarding != 0 || nativePath.isEmpty() || std::size_t(nativePath.size()) >= PATH_MAX)
        return;
    // Registered once; it does nothing while no guard lives.
    static const bool registered = std::atexit(removeGuardedFile) == 0;
    Q_UNUSED(registered);
    std::memcpy(guardedPath, nativePath.constData(), std::size_t(nativePath.size()) + 1);
    guarding = 1;
    struct sigaction action {};
    action.sa_handler = onEndingSignal;
    sigemptyset(&action.sa_mask);
    for (std::size_t i = 0; i < endingSignals.size(); ++i) {
        // An ignored signal, as under nohup, must not start ending the program.
        handled[i] = ::sigaction(endingSignals[i], nullptr, &previousActions[i]) == 0 &&
                     previousActions[i].sa_handler != SIG_IGN &&
                     ::sigaction(endingSignals[i], &action, nullptr) == 0;
    }
    armed_ = true;
}

RemovalOnExit::~RemovalOnExit()
{
    if (!armed_)
        return;
    guarding = 0;
    for (std::size_t i = 0; i < endingSignals.size(); ++i) {
        if (handled[i])
            ::sigaction(endingSignals[i], &previousActions[i], nullptr);
    }
}

} // namespace quorvel
