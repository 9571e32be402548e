#pragma once

#include "weblink/browserplatform.h"

class QWidget;

namespace quorvel {

/// The Windows shell's associations, through the toolkit-free layer in win32shell.h.
class ShellPlatform : public BrowserPlatform {
public:
    /// Started programs are opened on behalf of owner's window; owner may be null.
    explicit ShellPlatform(QWidget* owner);

    Outcome openWithWebHandler(const QString& url) override;
    Outcome openWithFileHandler(const QString& filePath, const QString& url) override;
    Outcome openWithHtmlHandler(const QString& url) override;

private:
    QWidget* owner_;
};

} // namespace quorvel
