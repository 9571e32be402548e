#pragma once

#include "weblink/browserplatform.h"

class QWidget;

namespace quorvel {

/// The Windows shell's file associations, through shell32's FindExecutable and ShellExecute.
class ShellPlatform : public BrowserPlatform {
public:
    /// Started programs are opened on behalf of owner's window; owner may be null.
    explicit ShellPlatform(QWidget* owner);

    std::optional<QString> programForFile(const QString& filePath) override;
    std::optional<QString> programForHtml() override;
    bool startDetached(const QString& program, const QStringList& arguments) override;

private:
    QWidget* owner_;
};

} // namespace quorvel
