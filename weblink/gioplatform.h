#pragma once

#include "weblink/browserplatform.h"

namespace quorvel {

/// The desktop's own associations, as file managers and `gio open` use them, read through GIO.
/// The browser is launched from its desktop entry, as the desktop launches it, and the launch
/// is waited for long enough to learn that a D-Bus activation failed. Only a program that takes
/// web addresses and is a handler of web addresses, of HTML itself, or the user's own choice
/// for HTML counts as a browser.
class GioPlatform : public BrowserPlatform {
public:
    Outcome openWithWebHandler(const QString& url) override;
    Outcome openWithFileHandler(const QString& filePath, const QString& url) override;
    Outcome openWithHtmlHandler(const QString& url) override;
};

} // namespace quorvel
