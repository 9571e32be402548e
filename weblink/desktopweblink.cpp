#include "weblink/desktopweblink.h"

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

DesktopWebLink::DesktopWebLink(QWidget* parent)
    : platform_(systemPlatform(parent)), warnings_(parent), link_(*platform_, warnings_)
{
}

} // namespace quorvel
