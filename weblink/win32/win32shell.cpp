#include "weblink/win32/win32shell.h"

#include "weblink/win32/win32probefile.h"

// The shell headers rely on the types windows.h declares, so it must come first.
// clang-format off
#include <shellapi.h>
#include <shlwapi.h>
// clang-format on

#include <vector>

namespace quorvel::win32 {

namespace {

// The shell services return a value above this on success, an error code otherwise.
constexpr INT_PTR shellErrorCeiling = 32;
constexpr wchar_t openVerb[] = L"open";
constexpr wchar_t htmlExtension[] = L".htm";
constexpr wchar_t quote = L'"';
constexpr wchar_t backslash = L'\\';
constexpr wchar_t charactersNeedingQuotes[] = L" \t\n\v\"";

bool succeeded(HINSTANCE result)
{
    return reinterpret_cast<INT_PTR>(result) > shellErrorCeiling;
}

LaunchOutcome startOn(const std::optional<std::wstring>& program, const std::wstring& url,
                      HWND owner)
{
    if (!program)
        return LaunchOutcome::NoBrowser;
    return startWithArgument(*program, url, owner) ? LaunchOutcome::Started
                                                   : LaunchOutcome::StartFailed;
}

} // namespace

std::optional<std::wstring> programForFile(const std::wstring& filePath)
{
    // FindExecutable writes at most MAX_PATH characters, its terminating NUL included.
    std::vector<wchar_t> program(MAX_PATH, L'\0');
    if (!succeeded(FindExecutableW(filePath.c_str(), nullptr, program.data())) ||
        program.front() == L'\0')
        return std::nullopt;
    return std::wstring(program.data());
}

std::optional<std::wstring> programForHtml()
{
    DWORD length = 0;
    if (AssocQueryStringW(ASSOCF_NOTRUNCATE, ASSOCSTR_EXECUTABLE, htmlExtension, openVerb, nullptr,
                          &length) != S_FALSE ||
        length == 0)
        return std::nullopt;
    std::vector<wchar_t> program(length, L'\0');
    if (AssocQueryStringW(ASSOCF_NOTRUNCATE, ASSOCSTR_EXECUTABLE, htmlExtension, openVerb,
                          program.data(), &length) != S_OK ||
        program.front() == L'\0')
        return std::nullopt;
    return std::wstring(program.data());
}

std::wstring quotedArgument(const std::wstring& argument)
{
    if (!argument.empty() && argument.find_first_of(charactersNeedingQuotes) == std::wstring::npos)
        return argument;
    // Backslashes are literal except before a quote, where each pair gives one backslash.
    std::wstring quoted(1, quote);
    std::size_t pendingBackslashes = 0;
    for (const wchar_t character : argument) {
        if (character == backslash) {
            ++pendingBackslashes;
            continue;
        }
        const std::size_t escapes =
            character == quote ? 2 * pendingBackslashes + 1 : pendingBackslashes;
        quoted.append(escapes, backslash);
        quoted += character;
        pendingBackslashes = 0;
    }
    quoted.append(2 * pendingBackslashes, backslash);
    quoted += quote;
    return quoted;
}

bool startWithArgument(const std::wstring& program, const std::wstring& argument, HWND owner)
{
    const std::wstring parameters = quotedArgument(argument);
    return succeeded(ShellExecuteW(owner, openVerb, program.c_str(), parameters.c_str(), nullptr,
                                   SW_SHOWNORMAL));
}

LaunchOutcome openWithFileHandler(const std::wstring& filePath, const std::wstring& url, HWND owner)
{
    return startOn(programForFile(filePath), url, owner);
}

LaunchOutcome openWithHtmlHandler(const std::wstring& url, HWND owner)
{
    return startOn(programForHtml(), url, owner);
}

LaunchOutcome openInHtmlBrowser(const std::wstring& url, HWND owner)
{
    const ProbeFile probe;
    return probe.isWritten() ? openWithFileHandler(probe.path(), url, owner)
                             : openWithHtmlHandler(url, owner);
}

} // namespace quorvel::win32
