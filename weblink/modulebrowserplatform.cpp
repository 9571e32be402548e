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

void ModuleBrowserPlatform::open(const QString& url, Done done)
{
    if (!platform_) {
        QLibrary module(modulePath_);
        if (const auto factory = reinterpret_cast<BrowserPlatformFactory>(
                module.resolve(browserPlatformFactoryName))) {
            platform_.reset(factory());
        }
    }
    if (platform_) {
        platform_->open(url, std::move(done));
    } else {
        done(Outcome::Incomplete);
    }
}

void ModuleBrowserPlatform::cancel()
{
    if (platform_) {
        platform_->cancel();
    }
}

} // namespace quorvel
