#pragma once

#include "weblink/htmlprobefile.h"

#include <QString>
#include <functional>

namespace quorvel {

class BrowserPlatform;

/// Opens web addresses in the user's web browser, found as the desktop finds it.
class WebLink {
public:
    /// Shows a warning under title and returns once the user has closed it.
    using Warn = std::function<void(const QString& title, const QString& text)>;

    /// A probe file, when one is needed, is written in tempDirectory.
    WebLink(BrowserPlatform& platform, Warn warn,
            QString tempDirectory = HtmlProbeFile::temporaryFolder());

    /// Starts the desktop's web browser on url, not waited for: the handler of web addresses,
    /// or when none is set, the browser that opens HTML files. When there is no such browser,
    /// or it cannot be started, warns and returns; a probe file is removed last, after any
    /// warning has been closed. Never ends the program.
    void open(const QString& url) const;

private:
    BrowserPlatform& platform_;
    Warn warn_;
    QString tempDirectory_;
};

} // namespace quorvel
