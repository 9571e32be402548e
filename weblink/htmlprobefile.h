#pragma once

#include "weblink/removalonexit.h"

#include <QString>
#include <QTemporaryFile>
#include <optional>

namespace quorvel {

/// A one-line HTML file whose only use is to ask which program opens HTML files. It gets a new,
/// unpredictable name ending in ".htm" in the given directory and is created exclusively, so an
/// existing file or link is never written through; it is removed when this object ends, or when
/// the program ends first, and only the file it created. Nothing is written unless directory
/// is an existing, writable folder given by its absolute path.
class HtmlProbeFile {
public:
    explicit HtmlProbeFile(const QString& directory);

    HtmlProbeFile(const HtmlProbeFile&) = delete;
    HtmlProbeFile& operator=(const HtmlProbeFile&) = delete;

    /// Whether the file was created in the directory and its whole line written.
    bool isWritten() const { return written_; }

    /// The file's absolute path; meaningful only when isWritten().
    QString path() const { return file_.fileName(); }

private:
    // Declared before the file so that it is given up only after the file is removed.
    std::optional<RemovalOnExit> removalOnExit_;
    QTemporaryFile file_;
    bool written_ = false;
};

} // namespace quorvel
