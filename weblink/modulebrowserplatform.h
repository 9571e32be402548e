#pragma once

#include "weblink/browserplatform.h"

#include <QString>
#include <memory>

namespace quorvel {

/// The C function a browser platform module exports: it makes the module's platform, owned by
/// the caller.
using BrowserPlatformFactory = BrowserPlatform* (*)();
inline constexpr char browserPlatformFactoryName[] = "quorvelCreateBrowserPlatform";

/// A browser platform kept in a loadable module and loaded on its first use, so that the
/// system libraries it needs are mapped only once the link is clicked. When the module cannot
/// be loaded the installation is incomplete; the next use tries again.
class ModuleBrowserPlatform : public BrowserPlatform {
public:
    explicit ModuleBrowserPlatform(QString modulePath);
    ~ModuleBrowserPlatform() override;

    void open(const QString& url, Done done) override;
    void cancel() override;

private:
    QString modulePath_;
    std::unique_ptr<BrowserPlatform> platform_;
};

} // namespace quorvel
