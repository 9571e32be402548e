#pragma once

#include "weblink/browserplatform.h"
#include "weblink/weblink.h"

#include <memory>

class QWidget;

namespace quorvel {

/// A WebLink on this system's own associations, warning in message boxes over a window.
class DesktopWebLink {
public:
    explicit DesktopWebLink(QWidget* parent);

    // The link refers to the platform held here.
    DesktopWebLink(const DesktopWebLink&) = delete;
    DesktopWebLink& operator=(const DesktopWebLink&) = delete;

    WebLink& link() { return link_; }

private:
    std::unique_ptr<BrowserPlatform> platform_;
    WebLink link_;
};

} // namespace quorvel
