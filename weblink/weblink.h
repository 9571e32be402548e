#pragma once

#include <QString>
#include <functional>

namespace quorvel {

class BrowserPlatform;

/// Opens web addresses in the user's web browser, found as the desktop finds it.
class WebLink {
public:
    /// Shows a warning under title and returns once the user has closed it.
    using Warn = std::function<void(const QString& title, const QString& text)>;

    WebLink(BrowserPlatform& platform, Warn warn);
    /// Cancels a launch still pending, so that nothing is reported about it.
    ~WebLink();

    // The platform answers to this very object.
    WebLink(const WebLink&) = delete;
    WebLink& operator=(const WebLink&) = delete;

    /// Starts the desktop's web browser on url without waiting for it, and warns when there is
    /// no browser or it could not be started. While a launch is pending it starts nothing.
    void open(const QString& url);

    bool isPending() const { return pending_; }

private:
    BrowserPlatform& platform_;
    Warn warn_;
    bool pending_ = false;
};

} // namespace quorvel
