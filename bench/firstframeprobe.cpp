// Preloaded into an unchanged Qt program (LD_PRELOAD), it writes one byte to standard output
// once the program's first window has painted its first frame, so that the benchmark times
// the shipped program and a bare window at the same moment. With QUORVEL_FIRST_FRAME=stay the
// program goes on running; otherwise it quits there, so that its peak memory is the one of
// its start-up.

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWindow>
#include <unistd.h>

namespace {

constexpr char frameSignal = 'S';
const char* const modeVariable = "QUORVEL_FIRST_FRAME";
const char* const stayMode = "stay";

class FirstFrameProbe : public QObject {
public:
    using QObject::QObject;

    // The window paints its first frame while handling its first expose event; the probe lets
    // it do so before signalling.
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Expose || !watched->isWindowType())
            return false;
        qApp->removeEventFilter(this);
        watched->event(event);
        if (::write(STDOUT_FILENO, &frameSignal, 1) != 1 || qgetenv(modeVariable) != stayMode)
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        deleteLater();
        return true;
    }
};

void installProbe()
{
    qApp->installEventFilter(new FirstFrameProbe(qApp));
}

} // namespace

// Run by QCoreApplication's constructor, as the library is loaded before the program makes one.
Q_COREAPP_STARTUP_FUNCTION(installProbe)
