#include "weblink/htmlprobefile.h"

#include <QDir>

#ifdef _WIN32
#include "weblink/win32/win32probefile.h"
#else
#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace quorvel {

#ifdef _WIN32

QString HtmlProbeFile::temporaryFolder()
{
    return QString::fromStdWString(win32::temporaryFolder());
}

HtmlProbeFile::HtmlProbeFile(const QString& directory)
    : file_(std::make_unique<win32::ProbeFile>(QDir::toNativeSeparators(directory).toStdWString()))
{
    written_ = file_->isWritten();
    path_ = QString::fromStdWString(file_->path());
}

HtmlProbeFile::~HtmlProbeFile() = default;

#else

namespace {

constexpr char defaultTemporaryFolder[] = "/tmp";
constexpr char temporaryFolderVariable[] = "TMPDIR";
constexpr char namePrefix[] = "quorvel-";
constexpr char nameExtension[] = ".htm";
constexpr int nameHexDigits = 16;
constexpr int nameBase = 16;
constexpr int nameAttempts = 16;
constexpr mode_t ownerOnly = 0600;

// A quoted, empty HTML element and a CR LF line end: 18 bytes.
constexpr char probeLine[] = "\"<HTML> <\\HTML>\"\r\n";

bool isUsableDirectory(const QString& directory)
{
    const QFileInfo info(directory);
    return !directory.isEmpty() && info.isAbsolute() && info.isDir() && info.isWritable();
}

QString randomName()
{
    return QLatin1String(namePrefix) +
           QString::number(QRandomGenerator::system()->generate64(), nameBase)
               .rightJustified(nameHexDigits, QLatin1Char('0')) +
           QLatin1String(nameExtension);
}

bool writeAll(int file, const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t wrote = ::write(file, data, size);
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0)
            return false;
        data += wrote;
        size -= std::size_t(wrote);
    }
    return true;
}

} // namespace

QString HtmlProbeFile::temporaryFolder()
{
    // QDir::tempPath() would resolve a relative TMPDIR against the working folder.
    const QString named = qEnvironmentVariable(temporaryFolderVariable);
    if (named.isEmpty())
        return QString::fromLatin1(defaultTemporaryFolder);
    return QDir::isAbsolutePath(named) ? QDir::cleanPath(named) : QString();
}

HtmlProbeFile::HtmlProbeFile(const QString& directory)
{
    if (!isUsableDirectory(directory))
        return;
    for (int attempt = 0; attempt < nameAttempts; ++attempt) {
        const QString path = QDir(directory).absoluteFilePath(randomName());
        const QByteArray nativePath = QFile::encodeName(path);
        // Guarded before it exists, so that no signal finds the file unguarded. The name is
        // random, so what a signal could remove when the name turns out taken is a file that
        // was made under the same 64 random bits.
        removalOnExit_.emplace(path);
        // O_EXCL fails on any existing entry, a dangling link included.
        const int file = ::open(nativePath.constData(),
                                O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, ownerOnly);
        if (file < 0) {
            const int failure = errno;
            removalOnExit_.reset();
            if (failure == EEXIST)
                continue;
            return;
        }
        path_ = path;
        const bool wroteAll = writeAll(file, probeLine, sizeof probeLine - 1);
        written_ = ::close(file) == 0 && wroteAll;
        return;
    }
}

HtmlProbeFile::~HtmlProbeFile()
{
    if (!path_.isEmpty())
        ::unlink(QFile::encodeName(path_).constData());
}

#endif

} // namespace quorvel
