// The program's resource script, compiled into this check: the icon loads in each size Windows
// asks for at the usual scalings, the version information is the project's, and the manifest
// declares per-monitor DPI awareness and long paths.
#include "quorvelresource.h"
#include "tests/plaincheck.h"

#include <algorithm>
#include <string>
#include <vector>
#include <windows.h>

namespace {

constexpr int programIcon = 1;
constexpr int programManifest = 1; // the one Windows reads as it starts the program
constexpr int iconGroupType = 14;  // RT_GROUP_ICON
constexpr int manifestType = 24;   // RT_MANIFEST
constexpr int iconSizes[] = {16, 20, 24, 32, 40, 48, 64, 256};

std::wstring widened(const char* text)
{
    return std::wstring(text, text + std::char_traits<char>::length(text));
}

} // namespace

int main()
{
    CheckTally tally;
    // The icon group lists its images after a six-byte header, fourteen bytes each, the width
    // first (0 for 256).
    HRSRC group =
        FindResourceW(nullptr, MAKEINTRESOURCEW(programIcon), MAKEINTRESOURCEW(iconGroupType));
    const auto* entries =
        group != nullptr
            ? static_cast<const unsigned char*>(LockResource(LoadResource(nullptr, group)))
            : nullptr;
    std::vector<int> drawn;
    for (int i = 0; entries != nullptr && i < entries[4]; ++i) {
        drawn.push_back(entries[6 + 14 * i] == 0 ? 256 : entries[6 + 14 * i]);
    }
    for (const int size : iconSizes) {
        tally.expect(std::find(drawn.begin(), drawn.end(), size) != drawn.end() &&
                         LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(programIcon),
                                    IMAGE_ICON, size, size, 0) != nullptr,
                     "the icon is drawn for and loads at " + std::to_string(size) + " pixels");
    }

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
    const auto text = [&](const wchar_t* name) {
        wchar_t* value = nullptr;
        const std::wstring key = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
        return read && VerQueryValueW(info.data(), key.c_str(), reinterpret_cast<void**>(&value),
                                      &length) != 0
                   ? std::wstring(value)
                   : std::wstring();
    };
    tally.expect(text(L"ProductVersion") == widened(QUORVEL_VERSION_TEXT),
                 "the product version text is the project's");
    tally.expect(text(L"LegalCopyright") == widened(QUORVEL_COPYRIGHT),
                 "the copyright is the project's");

    HRSRC found =
        FindResourceW(nullptr, MAKEINTRESOURCEW(programManifest), MAKEINTRESOURCEW(manifestType));
    const char* manifest =
        found != nullptr ? static_cast<const char*>(LockResource(LoadResource(nullptr, found)))
                         : nullptr;
    const std::string declared =
        manifest != nullptr ? std::string(manifest, SizeofResource(nullptr, found)) : "";
    for (const char* setting :
         {"<dpiAwareness", ">PerMonitorV2<", "<longPathAware", "<supportedOS"}) {
        tally.expect(declared.find(setting) != std::string::npos,
                     std::string("the manifest declares ") + setting);
    }
    return tally.finish();
}
