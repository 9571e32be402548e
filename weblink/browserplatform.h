#pragma once

#include <QString>

namespace quorvel {

/// What the web link asks of the operating system.
class BrowserPlatform {
public:
    /// How an attempt to open a web address ended. Incomplete: the part of the program that
    /// asks the desktop is missing, so nothing could be asked.
    enum class Outcome { Started, NoBrowser, StartFailed, Incomplete };

    // Inline, so that a platform built as a loadable module needs nothing from the program.
    virtual ~BrowserPlatform() = default;

    /// Starts the desktop's handler of web addresses (https, then http) on url, not waited for;
    /// NoBrowser when the desktop names none that takes web addresses.
    virtual Outcome openWithWebHandler(const QString& url) = 0;

    /// Finds the program the desktop would use to open the HTML file at filePath and, if it is a
    /// web browser (can take a web address), starts it on url, not waited for.
    virtual Outcome openWithFileHandler(const QString& filePath, const QString& url) = 0;

    /// The same, asking by the HTML content type; used when no probe file could be written.
    virtual Outcome openWithHtmlHandler(const QString& url) = 0;
};

} // namespace quorvel
