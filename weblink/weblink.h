#pragma once

#include <QDir>
#include <QString>

namespace quorvel {

class BrowserPlatform;
class WarningSink;

/// Opens web addresses in the program the desktop associates with HTML files.
class WebLink {
public:
    /// The probe file that finds the associated program is written in tempDirectory.
    WebLink(BrowserPlatform& platform, WarningSink& warnings,
            QString tempDirectory = QDir::tempPath());

    /// Starts the web browser that opens HTML files on url, not waited for. When there is no
    /// such browser, or it cannot be started, warns and returns; the
    /// probe file is removed last, after any warning has been closed. Never ends the program.
    void open(const QString& url) const;

private:
    BrowserPlatform& platform_;
    WarningSink& warnings_;
    QString tempDirectory_;
};

} // namespace quorvel
