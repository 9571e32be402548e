#include "weblink/shellplatform.h"

#include "weblink/win32/win32shell.h"

#include <QDir>
#include <QWidget>

namespace quorvel {

namespace {

BrowserPlatform::Outcome outcome(win32::LaunchOutcome launched)
{
    switch (launched) {
    case win32::LaunchOutcome::Started:
        return BrowserPlatform::Outcome::Started;
    case win32::LaunchOutcome::NoBrowser:
        return BrowserPlatform::Outcome::NoBrowser;
    case win32::LaunchOutcome::StartFailed:
        break;
    }
    return BrowserPlatform::Outcome::StartFailed;
}

HWND windowHandle(QWidget* owner)
{
    return owner != nullptr ? reinterpret_cast<HWND>(owner->window()->winId()) : nullptr;
}

} // namespace

ShellPlatform::ShellPlatform(QWidget* owner) : owner_(owner) {}

BrowserPlatform::Outcome ShellPlatform::openWithWebHandler(const QString& url)
{
    return outcome(win32::openWithWebHandler(url.toStdWString(), windowHandle(owner_)));
}

BrowserPlatform::Outcome ShellPlatform::openWithFileHandler(const QString& filePath,
                                                            const QString& url)
{
    return outcome(win32::openWithFileHandler(QDir::toNativeSeparators(filePath).toStdWString(),
                                              url.toStdWString(), windowHandle(owner_)));
}

BrowserPlatform::Outcome ShellPlatform::openWithHtmlHandler(const QString& url)
{
    return outcome(win32::openWithHtmlHandler(url.toStdWString(), windowHandle(owner_)));
}

} // namespace quorvel
