#include "weblink/win32/win32shell.h"

// The shell headers rely on the types windows.h declares, so it must come first.
// clang-format off
#include <objbase.h>
#include <shellapi.h>
#include <shlwapi.h>
// clang-format on

namespace quorvel::win32 {

namespace {

constexpr wchar_t openVerb[] = L"open";
constexpr wchar_t htmlClass[] = L".htm";

// The shell's own record of the association: whether the class has a command for the verb.
bool hasOpenCommand(const wchar_t* className)
{
    DWORD length = 0;
    return SUCCEEDED(AssocQueryStringW(ASSOCF_NONE, ASSOCSTR_COMMAND, className, openVerb, nullptr,
                                       &length)) &&
           length > 0;
}

// htmlClassName null: by the address's own scheme.
LaunchOutcome shellOpen(const std::wstring& url, const wchar_t* htmlClassName, HWND owner)
{
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    // No message box of the shell's own: the program warns in its own words.
    info.fMask = SEE_MASK_FLAG_NO_UI | (htmlClassName != nullptr ? SEE_MASK_CLASSNAME : 0);
    info.hwnd = owner;
    info.lpVerb = openVerb;
    info.lpFile = url.c_str();
    info.lpClass = htmlClassName;
    info.nShow = SW_SHOWNORMAL;
    if (ShellExecuteExW(&info) != FALSE) {
        return LaunchOutcome::Started;
    }
    // Windows says ERROR_NO_ASSOCIATION; Wine leaves another last error but the same hInstApp
    // for an address, and fails without saying why for a class without a command.
    const bool unassociated = GetLastError() == ERROR_NO_ASSOCIATION ||
                              reinterpret_cast<INT_PTR>(info.hInstApp) == SE_ERR_NOASSOC ||
                              (htmlClassName != nullptr && !hasOpenCommand(htmlClassName));
    return unassociated ? LaunchOutcome::NoBrowser : LaunchOutcome::StartFailed;
}

} // namespace

LaunchOutcome openInBrowser(const std::wstring& url, HWND owner)
{
    // Handlers registered through DelegateExecute are COM objects, which the shell needs COM for.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    LaunchOutcome outcome = shellOpen(url, nullptr, owner);
    if (outcome == LaunchOutcome::NoBrowser) {
        outcome = shellOpen(url, htmlClass, owner);
    }
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    return outcome;
}

} // namespace quorvel::win32
