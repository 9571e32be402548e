#include "weblink/weblink.h"

#include "weblink/browserplatform.h"

#include <optional>
#include <utility>

namespace quorvel {

namespace {

constexpr char browserNotFoundTitle[] = "Browser Not Found";
constexpr char browserNotFoundText[] = "Could not find associated Browser";
constexpr char urlFailedTitle[] = "URL Failed";
constexpr char urlFailedText[] = "Web Page not Opened";
constexpr char incompleteTitle[] = "Installation Incomplete";
constexpr char incompleteText[] = "Could not load the Browser module";

} // namespace

WebLink::WebLink(BrowserPlatform& platform, Warn warn, QString tempDirectory)
    : platform_(platform), warn_(std::move(warn)), tempDirectory_(std::move(tempDirectory))
{
}

void WebLink::open(const QString& url) const
{
    // Declared first so that it is removed last, once any warning has been closed.
    std::optional<HtmlProbeFile> probe;
    BrowserPlatform::Outcome outcome = platform_.openWithWebHandler(url);
    if (outcome == BrowserPlatform::Outcome::NoBrowser) {
        // Without a file to ask about, ask for HTML as a content type so that the site still
        // opens.
        probe.emplace(tempDirectory_);
        outcome = probe->isWritten() ? platform_.openWithFileHandler(probe->path(), url)
                                     : platform_.openWithHtmlHandler(url);
    }
    switch (outcome) {
    case BrowserPlatform::Outcome::Started:
        break;
    case BrowserPlatform::Outcome::NoBrowser:
        warn_(QString::fromLatin1(browserNotFoundTitle), QString::fromLatin1(browserNotFoundText));
        break;
    case BrowserPlatform::Outcome::StartFailed:
        warn_(QString::fromLatin1(urlFailedTitle), QString::fromLatin1(urlFailedText));
        break;
    case BrowserPlatform::Outcome::Incomplete:
        warn_(QString::fromLatin1(incompleteTitle), QString::fromLatin1(incompleteText));
        break;
    }
}

} // namespace quorvel
