#pragma once

#include "weblink/browserplatform.h"

class QWidget;

namespace quorvel {

/// The Windows shell's associations, through the toolkit-free layer in win32shell.h. The shell
/// answers at once, so every launch ends within open().
class ShellPlatform : public BrowserPlatform {
public:
    /// Started programs are opened on behalf of owner's window; owner may be null.
    explicit ShellPlatform(QWidget* owner);

    void open(const QString& url, Done done) override;

private:
    QWidget* owner_;
};

} // namespace quorvel
