#include "weblink/weblink.h"

#include "weblink/browserplatform.h"
#include "weblink/htmlprobefile.h"
#include "weblink/warningsink.h"

#include <utility>

namespace quorvel {

namespace {

constexpr char browserNotFoundTitle[] = "Browser Not Found";
constexpr char browserNotFoundText[] = "Could not find associated Browser";
constexpr char urlFailedTitle[] = "URL Failed";
constexpr char urlFailedText[] = "Web Page not Opened";

} // namespace

WebLink::WebLink(BrowserPlatform& platform, WarningSink& warnings, QString tempDirectory)
    : platform_(platform), warnings_(warnings), tempDirectory_(std::move(tempDirectory))
{
}

void WebLink::open(const QString& url) const
{
    // Declared first so that it is removed last, once any warning has been closed.
    const HtmlProbeFile probe(tempDirectory_);

    // Without a file to ask about, ask for HTML as a content type so that the site still opens.
    const BrowserPlatform::Outcome outcome = probe.isWritten()
                                                 ? platform_.openWithFileHandler(probe.path(), url)
                                                 : platform_.openWithHtmlHandler(url);
    switch (outcome) {
    case BrowserPlatform::Outcome::Started:
        break;
    case BrowserPlatform::Outcome::NoBrowser:
        warnings_.warn(QString::fromLatin1(browserNotFoundTitle),
                       QString::fromLatin1(browserNotFoundText));
        break;
    case BrowserPlatform::Outcome::StartFailed:
        warnings_.warn(QString::fromLatin1(urlFailedTitle), QString::fromLatin1(urlFailedText));
        break;
    }
}

} // namespace quorvel
