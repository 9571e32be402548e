#pragma once

#include "weblink/browserplatform.h"

namespace quorvel {

/// The desktop's own MIME associations, as file managers use them, read through GIO; programs
/// are started with QProcess, detached, so they are never waited for and leave no zombie.
class GioPlatform : public BrowserPlatform {
public:
    std::optional<QString> programForFile(const QString& filePath) override;
    std::optional<QString> programForHtml() override;
    bool startDetached(const QString& program, const QStringList& arguments) override;
};

} // namespace quorvel
