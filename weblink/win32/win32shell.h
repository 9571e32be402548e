#pragma once

// clang-format off
#include <windows.h>
// clang-format on

#include <optional>
#include <string>

namespace quorvel::win32 {

/// How an attempt to open a web address in the associated browser ended.
enum class LaunchOutcome { Started, NoBrowser, StartFailed };

/// The program the shell associates with the existing file at filePath (FindExecutableW), or
/// nothing when none is.
std::optional<std::wstring> programForFile(const std::wstring& filePath);

/// The program associated with the ".htm" extension's open verb, asked without any file.
std::optional<std::wstring> programForHtml();

/// argument quoted so that the C runtime's command-line splitting gives it back unchanged as
/// one argument, blanks, quotes and backslashes included.
std::wstring quotedArgument(const std::wstring& argument);

/// Starts program with argument as its one command-line argument, through ShellExecuteW, not
/// waited for; owner may be null. False when the program could not be started.
bool startWithArgument(const std::wstring& program, const std::wstring& argument, HWND owner);

/// Starts the program associated with the file at filePath on url.
LaunchOutcome openWithFileHandler(const std::wstring& filePath, const std::wstring& url,
                                  HWND owner);

/// Starts the program associated with the ".htm" extension on url, asked without any file.
LaunchOutcome openWithHtmlHandler(const std::wstring& url, HWND owner);

/// Opens url in the browser associated with HTML files: asks about a probe file in the user's
/// temporary folder, removed before returning, or without a file when none could be written.
LaunchOutcome openInHtmlBrowser(const std::wstring& url, HWND owner);

} // namespace quorvel::win32
