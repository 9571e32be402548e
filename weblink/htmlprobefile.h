#pragma once

#include <QString>
#include <memory>
#include <optional>

#ifdef _WIN32
namespace quorvel::win32 {
class ProbeFile;
}
#else
#include "weblink/removalonexit.h"
#endif

namespace quorvel {

/// A one-line HTML file whose only use is to ask which program opens HTML files. It gets a new,
/// unpredictable name ending in ".htm" in the given directory and is created exclusively, so an
/// existing file or link is never written through; it is removed when this object ends, or on
/// Linux when the program ends first. Nothing is written unless directory is an existing,
/// writable folder given by its absolute path. On Windows this is the shell layer's own probe
/// file, which removes only the very file it created.
class HtmlProbeFile {
public:
    /// The user's temporary folder; empty when there is none usable, as when TMPDIR names a
    /// relative path, which would put the file in the working folder.
    static QString temporaryFolder();

    explicit HtmlProbeFile(const QString& directory);
    ~HtmlProbeFile();

    HtmlProbeFile(const HtmlProbeFile&) = delete;
    HtmlProbeFile& operator=(const HtmlProbeFile&) = delete;

    /// Whether the file was created in the directory and its whole line written.
    bool isWritten() const { return written_; }

    /// The file's absolute path; meaningful only when isWritten().
    QString path() const { return path_; }

private:
#ifdef _WIN32
    std::unique_ptr<win32::ProbeFile> file_;
#else
    std::optional<RemovalOnExit> removalOnExit_;
#endif
    QString path_;
    bool written_ = false;
};

} // namespace quorvel
