#pragma once

#include <QDir>
#include <QString>

namespace quorvel {

class BrowserPlatform;
class WarningSink;

/// The makers' web site, which the window's link label opens.
inline constexpr char makersWebAddress[] = "https://www.quorvel.org/";

/// Opens web addresses in the program the desktop associates with HTML files.
class WebLink {
public:
    /// The probe file that finds the associated program is written in tempDirectory.
    WebLink(BrowserPlatform& platform, WarningSink& warnings,
            QString tempDirectory = QDir::tempPath());

    /// Finds the program that opens an HTML file and starts it, not waited for, with url as its
    /// only argument. When no program is found, or it cannot be started, warns and returns; the
    /// probe file is removed last, after any warning has been closed. Never ends the program.
    void open(const QString& url) const;

private:
    BrowserPlatform& platform_;
    WarningSink& warnings_;
    QString tempDirectory_;
};

} // namespace quorvel
