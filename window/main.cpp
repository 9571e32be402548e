#include "weblink/desktopweblink.h"
#include "weblink/weblink.h"
#include "window/appearance.h"
#include "window/quorvelform.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    quorvel::applyAppearance(app);

    quorvel::QuorvelForm form;
    quorvel::DesktopWebLink web(&form);
    form.setWebLinkHandler([&web] { web.link().open(QString::fromUtf8(quorvel::makersWebAddress)); });
    form.show();
    return QApplication::exec();
}
