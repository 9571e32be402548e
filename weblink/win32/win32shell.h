#pragma once

// clang-format off
#include <windows.h>
// clang-format on

#include <string>

namespace quorvel::win32 {

/// How an attempt to open a web address in the associated browser ended.
enum class LaunchOutcome { Started, NoBrowser, StartFailed };

/// Opens url as the shell opens a web address (ShellExecuteExW, "open"), with the program and
/// the whole command registered for its scheme; when nothing is registered for it, with what
/// opens HTML files (the ".htm" class), still without any file. Returns once the program is
/// started, not waited for; owner, which may be null, is the window it is started for.
/// NoBrowser when neither is associated with a program.
LaunchOutcome openInBrowser(const std::wstring& url, HWND owner);

} // namespace quorvel::win32
