// The program's resource script, compiled into this check: the icon loads in its smallest and
// largest sizes and the version information is the project's.
#include "quorvelresource.h"
#include "tests/plaincheck.h"

#include <string>
#include <vector>
#include <windows.h>

namespace {

constexpr int programIcon = 1;
constexpr int iconSizes[] = {16, 256};

std::wstring widened(const char* text)
{
    return std::wstring(text, text + std::char_traits<char>::length(text));
}

} // namespace

int main()
{
    CheckTally tally;
    for (const int size : iconSizes)
        tally.expect(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(programIcon),
                                IMAGE_ICON, size, size, 0) != nullptr,
                     "the icon loads at " + std::to_string(size) + " pixels");

    std::vector<wchar_t> path(MAX_PATH * 4, L'\0');
    GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    std::vector<char> info(GetFileVersionInfoSizeW(path.data(), nullptr));
    const bool read =
        !info.empty() &&
        GetFileVersionInfoW(path.data(), 0, static_cast<DWORD>(info.size()), info.data()) != 0;
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    tally.expect(
        read &&
            VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) != 0 &&
            fixed->dwFileVersionMS == MAKELONG(QUORVEL_VERSION_MINOR, QUORVEL_VERSION_MAJOR) &&
            fixed->dwFileVersionLS == MAKELONG(0, QUORVEL_VERSION_PATCH),
        "the file version is the project's");
    wchar_t* productVersion = nullptr;
    tally.expect(read &&
                     VerQueryValueW(info.data(), L"\\StringFileInfo\\040904B0\\ProductVersion",
                                    reinterpret_cast<void**>(&productVersion), &length) != 0 &&
                     productVersion == widened(QUORVEL_VERSION_TEXT),
                 "the product version text is the project's");
    return tally.finish();
}
