#pragma once

#include <QString>
#include <functional>

namespace quorvel {

/// What the web link asks of the operating system.
class BrowserPlatform {
public:
    /// How an attempt to open a web address ended. Incomplete: the part of the program that
    /// asks the desktop is missing, so nothing could be asked.
    enum class Outcome { Started, NoBrowser, StartFailed, Incomplete };
    using Done = std::function<void(Outcome)>;

    // Inline, so that a platform built as a loadable module needs nothing from the program.
    virtual ~BrowserPlatform() = default;

    /// Starts the desktop's web browser on url, not waited for: the handler of web addresses,
    /// or without one the program that opens HTML, if it takes web addresses. done is called
    /// once with the outcome, at once or later from the event loop; one launch at a time.
    virtual void open(const QString& url, Done done) = 0;

    /// Gives up a launch still pending: done is not called for it.
    virtual void cancel() {}
};

} // namespace quorvel
