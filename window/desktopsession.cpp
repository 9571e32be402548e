#include "window/desktopsession.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace quorvel {

namespace {

const char* const noDesktopSessionMessage =
    "quorvel: a graphical desktop session is needed, but no display could be reached";

struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};

// Messages of the platform start-up, held back: when no display can be reached they are Qt's
// own account of the failure, which the one line replaces.
QList<HeldMessage>& heldMessages()
{
    static QList<HeldMessage> messages;
    return messages;
}

void holdMessage(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtFatalMsg) {
        // Qt's only fatal message while the application is being created is that no platform
        // could start; ending here, before its abort, leaves no core dump behind.
        std::fprintf(stderr, "%s\n", noDesktopSessionMessage);
        std::fflush(stderr);
        std::_Exit(EXIT_FAILURE);
    }
    heldMessages().append({type, QByteArray(context.category), text});
}

} // namespace

std::unique_ptr<QApplication> openOnDesktop(int& argc, char** argv)
{
    const QtMessageHandler previous = qInstallMessageHandler(holdMessage);
    auto app = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previous);
    // The display was reached: whatever Qt said meanwhile goes out as it would have.
    for (const HeldMessage& message : std::as_const(heldMessages())) {
        const char* category = message.category.isNull() ? nullptr : message.category.constData();
        const QMessageLogContext context(nullptr, 0, nullptr, category);
        qt_message_output(message.type, context, message.text);
    }
    heldMessages().clear();
    return app;
}

} // namespace quorvel
