#include "weblink/weblink.h"

#include "weblink/browserplatform.h"

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

WebLink::WebLink(BrowserPlatform& platform, Warn warn) : platform_(platform), warn_(std::move(warn))
{
}

WebLink::~WebLink()
{
    if (pending_) {
        platform_.cancel();
    }
}

void WebLink::open(const QString& url)
{
    if (pending_) {
        return;
    }
    pending_ = true;
    platform_.open(url, [this](BrowserPlatform::Outcome outcome) {
        pending_ = false;
        switch (outcome) {
        case BrowserPlatform::Outcome::Started:
            break;
        case BrowserPlatform::Outcome::NoBrowser:
            warn_(QString::fromLatin1(browserNotFoundTitle),
                  QString::fromLatin1(browserNotFoundText));
            break;
        case BrowserPlatform::Outcome::StartFailed:
            warn_(QString::fromLatin1(urlFailedTitle), QString::fromLatin1(urlFailedText));
            break;
        case BrowserPlatform::Outcome::Incomplete:
            warn_(QString::fromLatin1(incompleteTitle), QString::fromLatin1(incompleteText));
            break;
        }
    });
}

} // namespace quorvel
