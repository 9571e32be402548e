#include "startupchild.h"

#include "window/appearance.h"
#include "window/quorvelform.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QTimer>
#include <QWindow>
#include <unistd.h>

namespace quorvel::bench {

namespace {

const char* const bareCaption = "Quorvel";

// Lets the window handle its first expose event, in which it paints its first frame, then
// signals the parent and quits.
class FirstFrameWatch : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (done_ || event->type() != QEvent::Expose) {
            return false;
        }
        done_ = true;
        const bool handled = watched->event(event);
        const char signal = shownSignal;
        if (::write(STDOUT_FILENO, &signal, 1) != 1) {
            QCoreApplication::exit(1);
        }
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        return handled;
    }

private:
    bool done_ = false;
};

int showAndWait(QWidget& window)
{
    FirstFrameWatch watch;
    window.winId(); // creates the platform window so its events can be watched
    window.windowHandle()->installEventFilter(&watch);
    window.show();
    return QApplication::exec();
}

} // namespace

int runStartupChild(int argc, char* argv[], WindowKind kind)
{
    QApplication app(argc, argv);
    if (kind == WindowKind::Bare) {
        QLabel label(QString::fromUtf8(bareCaption));
        return showAndWait(label);
    }
    applyAppearance(app);
    QuorvelForm form;
    return showAndWait(form);
}

} // namespace quorvel::bench
