#include "weblink/shellplatform.h"

#include <QDir>
#include <QWidget>
#include <string>
#include <vector>

// The shell headers rely on the types windows.h declares, so it must come first.
// clang-format off
#include <windows.h>
#include <shellapi.h>
#include <shlwapi.h>
// clang-format on

namespace quorvel {

namespace {

// The shell services return a value above this on success, an error code otherwise.
constexpr INT_PTR shellErrorCeiling = 32;
constexpr wchar_t openVerb[] = L"open";
constexpr wchar_t htmlExtension[] = L".htm";
constexpr wchar_t argumentSeparator = L' ';
constexpr wchar_t quote = L'"';
constexpr wchar_t backslash = L'\\';
constexpr wchar_t charactersNeedingQuotes[] = L" \t\n\v\"";

bool succeeded(HINSTANCE result)
{
    return reinterpret_cast<INT_PTR>(result) > shellErrorCeiling;
}

// One argument as the C runtime's command-line splitting reads it back unchanged: quoted when
// it holds blanks or quotes, with the backslashes before a quote doubled.
std::wstring quotedArgument(const std::wstring& argument)
{
    if (!argument.empty() && argument.find_first_of(charactersNeedingQuotes) == std::wstring::npos)
        return argument;
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

std::wstring commandLine(const QStringList& arguments)
{
    std::wstring line;
    for (const QString& argument : arguments) {
        if (!line.empty())
            line += argumentSeparator;
        line += quotedArgument(argument.toStdWString());
    }
    return line;
}

} // namespace

ShellPlatform::ShellPlatform(QWidget* owner) : owner_(owner) {}

std::optional<QString> ShellPlatform::programForFile(const QString& filePath)
{
    const std::wstring file = QDir::toNativeSeparators(filePath).toStdWString();
    // FindExecutable writes at most MAX_PATH characters, its terminating NUL included.
    std::vector<wchar_t> program(MAX_PATH, L'\0');
    if (!succeeded(FindExecutableW(file.c_str(), nullptr, program.data())))
        return std::nullopt;
    const QString path = QString::fromWCharArray(program.data());
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

std::optional<QString> ShellPlatform::programForHtml()
{
    DWORD length = 0;
    if (AssocQueryStringW(ASSOCF_NOTRUNCATE, ASSOCSTR_EXECUTABLE, htmlExtension, openVerb, nullptr,
                          &length) != S_FALSE ||
        length == 0)
        return std::nullopt;
    std::vector<wchar_t> program(length, L'\0');
    if (AssocQueryStringW(ASSOCF_NOTRUNCATE, ASSOCSTR_EXECUTABLE, htmlExtension, openVerb,
                          program.data(), &length) != S_OK)
        return std::nullopt;
    const QString path = QString::fromWCharArray(program.data());
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

bool ShellPlatform::startDetached(const QString& program, const QStringList& arguments)
{
    const HWND window =
        owner_ != nullptr ? reinterpret_cast<HWND>(owner_->window()->winId()) : nullptr;
    const std::wstring file = QDir::toNativeSeparators(program).toStdWString();
    const std::wstring parameters = commandLine(arguments);
    return succeeded(
        ShellExecuteW(window, openVerb, file.c_str(), parameters.c_str(), nullptr, SW_SHOWNORMAL));
}

} // namespace quorvel
