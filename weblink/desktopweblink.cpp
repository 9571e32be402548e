#include "weblink/desktopweblink.h"

#include <QMessageBox>

#ifdef _WIN32
#include "weblink/shellplatform.h"
#else
#include "weblink/modulebrowserplatform.h"

#include <QCoreApplication>
#endif

namespace quorvel {

namespace {

std::unique_ptr<BrowserPlatform> systemPlatform([[maybe_unused]] QWidget* owner)
{
#ifdef _WIN32
    return std::make_unique<ShellPlatform>(owner);
#else
    return std::make_unique<ModuleBrowserPlatform>(QCoreApplication::applicationDirPath() +
                                                   QLatin1Char('/') +
                                                   QLatin1String(QUORVEL_BROWSER_MODULE));
#endif
}

} // namespace

// A null parent makes the box modal to the whole application.
DesktopWebLink::DesktopWebLink(QWidget* parent)
    : platform_(systemPlatform(parent)),
      link_(*platform_, [parent](const QString& title, const QString& text) {
          QMessageBox::warning(parent, title, text, QMessageBox::Ok);
      })
{
}

} // namespace quorvel
