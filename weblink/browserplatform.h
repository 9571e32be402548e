#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace quorvel {

/// What the web link asks of the operating system: which program opens a file or a content
/// type, and starting that program without waiting for it.
class BrowserPlatform {
public:
    virtual ~BrowserPlatform();

    /// The path of the program associated with the file at filePath, or nothing when none is.
    virtual std::optional<QString> programForFile(const QString& filePath) = 0;

    /// The path of the program associated with HTML documents, or nothing when none is; asked
    /// when no file could be written to ask about.
    virtual std::optional<QString> programForHtml() = 0;

    /// Starts program with arguments as a process of its own, not waited for; false when it
    /// could not be started.
    virtual bool startDetached(const QString& program, const QStringList& arguments) = 0;
};

} // namespace quorvel
