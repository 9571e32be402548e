#include "weblink/htmlprobefile.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>

namespace quorvel {

namespace {

// The X's are replaced by random characters; the extension is what the association is looked
// up by.
constexpr char fileNameTemplate[] = "quorvel-XXXXXX.htm";

// A quoted, empty HTML element and a CR LF line end: 18 bytes.
constexpr char probeLine[] = "\"<HTML> <\\HTML>\"\r\n";

// A relative or empty path would put the file in the working folder, which is what
// QDir::tempPath() gives when TMPDIR names a folder that does not exist.
bool isUsableDirectory(const QString& directory)
{
    const QFileInfo info(directory);
    return !directory.isEmpty() && info.isAbsolute() && info.isDir() && info.isWritable();
}

} // namespace

HtmlProbeFile::HtmlProbeFile(const QString& directory)
    : file_(QDir(directory).filePath(QString::fromLatin1(fileNameTemplate)))
{
    // QTemporaryFile::open creates the file with O_CREAT | O_EXCL (CREATE_NEW on Windows),
    // which fails on any existing entry, a dangling link included.
    if (!isUsableDirectory(directory) || !file_.open())
        return;
    // Only a file that was really named, in that folder, is one to ask about.
    const QFileInfo created(file_.fileName());
    if (file_.fileName().isEmpty() || created.absolutePath() != QDir(directory).absolutePath())
        return;
    removalOnExit_.emplace(created.absoluteFilePath());
    const QByteArray line(probeLine);
    const bool wroteAll = file_.write(line) == line.size() && file_.flush();
    file_.close();
    written_ = wroteAll && file_.error() == QFileDevice::NoError;
}

} // namespace quorvel
