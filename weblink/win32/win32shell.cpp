#include "weblink/win32/win32shell.h"

// The shell headers rely on the types windows.h declares, so it must come first.
// clang-format off
#include <shellapi.h>
#include <shlwapi.h>
// clang-format on

#include <array>
#include <vector>

namespace quorvel::win32 {

namespace {

// The shell services return a value above this on success, an error code otherwise.
constexpr INT_PTR shellErrorCeiling = 32;
constexpr wchar_t openVerb[] = L"open";
constexpr wchar_t htmlExtension[] = L".htm";
constexpr std::array<const wchar_t*, 2> webSchemes{L"https", L"http"};
constexpr wchar_t classesKey[] = L"Software\\Classes\\";
constexpr wchar_t openCommandKey[] = L"\\shell\\open\\command";
constexpr wchar_t userChoiceKey[] =
    L"Software\\Microsoft\\Windows\\Shell\\Associations\\UrlAssociations\\";
constexpr wchar_t userChoiceSubkey[] = L"\\UserChoice";
constexpr wchar_t progIdValue[] = L"ProgId";
constexpr wchar_t quote = L'"';
constexpr wchar_t backslash = L'\\';
constexpr wchar_t blank = L' ';
constexpr wchar_t charactersNeedingQuotes[] = L" \t\n\v\"";

bool succeeded(HINSTANCE result)
{
    return reinterpret_cast<INT_PTR>(result) > shellErrorCeiling;
}

// The first existing program offered or, failing that, the first offered at all: its start
// then fails, and says so.
std::optional<std::wstring> firstExisting(const std::vector<std::optional<std::wstring>>& offered)
{
    std::optional<std::wstring> missing;
    for (const auto& program : offered) {
        if (program && isExistingProgram(*program))
            return program;
        if (program && !missing)
            missing = program;
    }
    return missing;
}

// A text value of the registry; RRF_RT_REG_SZ also takes REG_EXPAND_SZ values, expanded.
std::optional<std::wstring> registryText(HKEY root, const std::wstring& key, const wchar_t* value)
{
    DWORD size = 0;
    if (RegGetValueW(root, key.c_str(), value, RRF_RT_REG_SZ, nullptr, nullptr, &size) !=
            ERROR_SUCCESS ||
        size < sizeof(wchar_t))
        return std::nullopt;
    std::vector<wchar_t> text(size / sizeof(wchar_t) + 1, L'\0');
    size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (RegGetValueW(root, key.c_str(), value, RRF_RT_REG_SZ, nullptr, text.data(), &size) !=
            ERROR_SUCCESS ||
        text.front() == L'\0')
        return std::nullopt;
    return std::wstring(text.data());
}

// The shell's merged view of the class registrations, which also knows the user's choices.
std::optional<std::wstring> assocExecutable(const std::wstring& type, ASSOCF flags)
{
    DWORD length = 0;
    if (AssocQueryStringW(flags | ASSOCF_NOTRUNCATE, ASSOCSTR_EXECUTABLE, type.c_str(), openVerb,
                          nullptr, &length) != S_FALSE ||
        length == 0)
        return std::nullopt;
    std::vector<wchar_t> program(length, L'\0');
    if (AssocQueryStringW(flags | ASSOCF_NOTRUNCATE, ASSOCSTR_EXECUTABLE, type.c_str(), openVerb,
                          program.data(), &length) != S_OK ||
        program.front() == L'\0')
        return std::nullopt;
    return std::wstring(program.data());
}

// One class registration, read directly: an extension names a class, a scheme is one.
std::optional<std::wstring> registeredProgram(HKEY root, const std::wstring& type)
{
    std::wstring className = type;
    if (type.front() == L'.') {
        const auto named = registryText(root, classesKey + type, nullptr);
        if (!named)
            return std::nullopt;
        className = *named;
    }
    const auto command = registryText(root, classesKey + className + openCommandKey, nullptr);
    return command ? programOfCommand(*command) : std::nullopt;
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

bool isExistingProgram(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::optional<std::wstring> programOfCommand(const std::wstring& command)
{
    const std::size_t start = command.find_first_not_of(blank);
    if (start == std::wstring::npos)
        return std::nullopt;
    if (command[start] == quote) {
        const std::size_t end = command.find(quote, start + 1);
        return end == std::wstring::npos
                   ? std::nullopt
                   : std::optional(command.substr(start + 1, end - start - 1));
    }
    for (std::size_t end = command.find(blank, start); end != std::wstring::npos;
         end = command.find(blank, end + 1)) {
        std::wstring prefix = command.substr(start, end - start);
        if (isExistingProgram(prefix))
            return prefix;
    }
    return command.substr(start);
}

std::optional<std::wstring> programFor(const std::wstring& type)
{
    if (type.empty())
        return std::nullopt;
    const bool isScheme = type.front() != L'.';
    const auto choice =
        isScheme
            ? registryText(HKEY_CURRENT_USER, userChoiceKey + type + userChoiceSubkey, progIdValue)
            : std::nullopt;
    return firstExisting({choice ? assocExecutable(*choice, ASSOCF_NONE) : std::nullopt,
                          assocExecutable(type, isScheme ? ASSOCF_IS_PROTOCOL : ASSOCF_NONE),
                          registeredProgram(HKEY_CURRENT_USER, type),
                          registeredProgram(HKEY_LOCAL_MACHINE, type)});
}

std::optional<std::wstring> programForFile(const std::wstring& filePath)
{
    // FindExecutable writes at most MAX_PATH characters, its terminating NUL included.
    std::vector<wchar_t> program(MAX_PATH, L'\0');
    const bool found = succeeded(FindExecutableW(filePath.c_str(), nullptr, program.data())) &&
                       program.front() != L'\0';
    return firstExisting({found ? std::optional(std::wstring(program.data())) : std::nullopt,
                          programFor(htmlExtension)});
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

LaunchOutcome openWithWebHandler(const std::wstring& url, HWND owner)
{
    for (const wchar_t* scheme : webSchemes)
        if (const auto program = programFor(scheme))
            return startOn(program, url, owner);
    return LaunchOutcome::NoBrowser;
}

LaunchOutcome openWithFileHandler(const std::wstring& filePath, const std::wstring& url, HWND owner)
{
    return startOn(programForFile(filePath), url, owner);
}

LaunchOutcome openWithHtmlHandler(const std::wstring& url, HWND owner)
{
    return startOn(programFor(htmlExtension), url, owner);
}

} // namespace quorvel::win32
