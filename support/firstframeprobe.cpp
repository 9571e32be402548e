// Preloaded into an unchanged Qt program (LD_PRELOAD), it writes one byte to standard output
// once the program's first window has painted its first frame, so that the benchmark times
// the shipped program and the windows it is compared with at the same moment. With
// QUORVEL_FIRST_FRAME=stay the program goes on running; otherwise it quits there, so that its
// peak memory is the one of its start-up.

#include "support/firstframe.h"

#include <QCoreApplication>
#include <QTimer>
#include <unistd.h>

namespace {

constexpr char frameSignal = 'S';
const char* const modeVariable = "QUORVEL_FIRST_FRAME";
const char* const stayMode = "stay";

void signalFrame()
{
    if (::write(STDOUT_FILENO, &frameSignal, 1) != 1 || qgetenv(modeVariable) != stayMode) {
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    }
}

void installProbe()
{
    quorvel::support::atFirstFrame(signalFrame);
}

} // namespace

// Run by QCoreApplication's constructor, as the library is loaded before the program makes one.
Q_COREAPP_STARTUP_FUNCTION(installProbe)
