#include "weblink/modulebrowserplatform.h"

#include <QLibrary>
#include <utility>

namespace quorvel {

ModuleBrowserPlatform::ModuleBrowserPlatform(QString modulePath)
    : modulePath_(std::move(modulePath))
{
}

// The module stays loaded: QLibrary never unloads on destruction, and the platform's code
// lives there.
ModuleBrowserPlatform::~ModuleBrowserPlatform() = default;

BrowserPlatform* ModuleBrowserPlatform::loaded()
{
    if (!platform_) {
        QLibrary module(modulePath_);
        if (const auto factory = reinterpret_cast<BrowserPlatformFactory>(
                module.resolve(browserPlatformFactoryName)))
            platform_.reset(factory());
    }
    return platform_.get();
}

BrowserPlatform::Outcome ModuleBrowserPlatform::openWithWebHandler(const QString& url)
{
    BrowserPlatform* platform = loaded();
    return platform ? platform->openWithWebHandler(url) : Outcome::Incomplete;
}

BrowserPlatform::Outcome ModuleBrowserPlatform::openWithFileHandler(const QString& filePath,
                                                                    const QString& url)
{
    BrowserPlatform* platform = loaded();
    return platform ? platform->openWithFileHandler(filePath, url) : Outcome::Incomplete;
}

BrowserPlatform::Outcome ModuleBrowserPlatform::openWithHtmlHandler(const QString& url)
{
    BrowserPlatform* platform = loaded();
    return platform ? platform->openWithHtmlHandler(url) : Outcome::Incomplete;
}

} // namespace quorvel
