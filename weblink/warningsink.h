#pragma once

#include <QString>

namespace quorvel {

/// Where the web link reports a failure: a message the user acknowledges before the link goes
/// on.
class WarningSink {
public:
    virtual ~WarningSink();

    /// Shows text under title and returns once the user has closed it.
    virtual void warn(const QString& title, const QString& text) = 0;
};

} // namespace quorvel
