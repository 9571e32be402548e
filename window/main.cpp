#include "weblink/desktopweblink.h"
#include "weblink/weblink.h"
#include "window/appearance.h"
#include "window/appicon.h"
#include "window/desktopsession.h"
#include "window/makerssite.h"
#include "window/quorvelform.h"

#include <QApplication>

namespace {
// The name of the installed desktop entry, so that desktops show its name and icon for the
// window.
const char* const desktopFileName = "org.quorvel.Quorvel";
} // namespace

int main(int argc, char* argv[])
{
    const auto app = quorvel::openOnDesktop(argc, argv);
    quorvel::applyAppearance(*app);
    QApplication::setDesktopFileName(QString::fromUtf8(desktopFileName));

    quorvel::QuorvelForm form;
    quorvel::DesktopWebLink web(&form);
    form.setWebLinkHandler(
        [&web] { web.link().open(QString::fromUtf8(quorvel::makersWebAddress)); });
    form.show();
    // Given once the window exists, the icon goes to the window system once. Given before, X11
    // was handed every size when the window was made and again when the window took its icon.
    QApplication::setWindowIcon(quorvel::applicationIcon());
    return QApplication::exec();
}
