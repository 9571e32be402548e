#include "weblink/shellplatform.h"

#include "weblink/win32/win32shell.h"

#include <QWidget>

namespace quorvel {

ShellPlatform::ShellPlatform(QWidget* owner) : owner_(owner) {}

void ShellPlatform::open(const QString& url, Done done)
{
    const HWND window =
        owner_ != nullptr ? reinterpret_cast<HWND>(owner_->window()->winId()) : nullptr;
    switch (win32::openInBrowser(url.toStdWString(), window)) {
    case win32::LaunchOutcome::Started:
        done(Outcome::Started);
        return;
    case win32::LaunchOutcome::NoBrowser:
        done(Outcome::NoBrowser);
        return;
    case win32::LaunchOutcome::StartFailed:
        break;
    }
    done(Outcome::StartFailed);
}

} // namespace quorvel
