#pragma once

#include "weblink/browserplatform.h"

namespace quorvel {

/// The desktop's own MIME associations, as file managers use them, read through GIO. The
/// browser is launched from its desktop entry, as the desktop launches it; only a program for
/// HTML documents that takes web addresses counts as a browser.
class GioPlatform : public BrowserPlatform {
public:
    Outcome openWithFileHandler(const QString& filePath, const QString& url) override;
    Outcome openWithHtmlHandler(const QString& url) override;
};

} // namespace quorvel
