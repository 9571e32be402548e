#include "weblink/htmlprobefile.h"

#include <QByteArray>
#include <QDir>

namespace quorvel {

namespace {

// The X's are replaced by random characters; the extension is what the association is looked
// up by.
constexpr char fileNameTemplate[] = "quorvel-XXXXXX.htm";

// A quoted, empty HTML element and a CR LF line end: 18 bytes.
constexpr char probeLine[] = "\"<HTML> <\\HTML>\"\r\n";

} // namespace

HtmlProbeFile::HtmlProbeFile(const QString& directory)
    : file_(QDir(directory).filePath(QString::fromLatin1(fileNameTemplate)))
{
    // QTemporaryFile::open creates the file with O_CREAT | O_EXCL (CREATE_NEW on Windows),
    // which fails on any existing entry, a dangling link included.
    if (!file_.open())
        return;
    const QByteArray line(probeLine);
    const bool wroteAll = file_.write(line) == line.size() && file_.flush();
    file_.close();
    written_ = wroteAll && file_.error() == QFileDevice::NoError;
}

} // namespace quorvel
