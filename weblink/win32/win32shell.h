#pragma once

// clang-format off
#include <windows.h>
// clang-format on

#include <optional>
#include <string>

namespace quorvel::win32 {

/// How an attempt to open a web address in the associated browser ended.
enum class LaunchOutcome { Started, NoBrowser, StartFailed };

/// Whether path names an existing file, not a folder.
bool isExistingProgram(const std::wstring& path);

/// The program a shell command line starts: its quoted first part, or for an unquoted one the
/// first prefix ending at a blank that names an existing file, as CreateProcess reads it.
std::optional<std::wstring> programOfCommand(const std::wstring& command);

/// The existing program associated with type, a file extension such as ".htm" or a URL scheme
/// such as "https": the user's choice for a scheme, the shell's merged answer
/// (AssocQueryStringW), then the per-user and the machine-wide class registrations.
std::optional<std::wstring> programFor(const std::wstring& type);

/// The program the shell associates with the existing file at filePath: FindExecutableW's
/// answer when it names an existing program (for an unquoted path with blanks it names only
/// the first part), otherwise the ".htm" association.
std::optional<std::wstring> programForFile(const std::wstring& filePath);

/// argument quoted so that the C runtime's command-line splitting gives it back unchanged as
/// one argument, blanks, quotes and backslashes included.
std::wstring quotedArgument(const std::wstring& argument);

/// Starts program with argument as its one command-line argument, through ShellExecuteW, not
/// waited for; owner may be null. False when the program could not be started.
bool startWithArgument(const std::wstring& program, const std::wstring& argument, HWND owner);

/// Starts the handler of web addresses (https, then http) on url; NoBrowser when none is set.
LaunchOutcome openWithWebHandler(const std::wstring& url, HWND owner);

/// Starts the program associated with the HTML file at filePath on url.
LaunchOutcome openWithFileHandler(const std::wstring& filePath, const std::wstring& url,
                                  HWND owner);

/// Starts the program associated with the ".htm" extension on url, asked without any file.
LaunchOutcome openWithHtmlHandler(const std::wstring& url, HWND owner);

} // namespace quorvel::win32
