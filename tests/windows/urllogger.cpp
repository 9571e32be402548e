// Stands in for a browser: writes its command-line arguments, one a line in UTF-16, to the file
// named by QUORVEL_URL_LOG, whole or not at all.
#include <string>
#include <windows.h>

int wmain(int argc, wchar_t** argv)
{
    const wchar_t* log = _wgetenv(L"QUORVEL_URL_LOG");
    if (log == nullptr) {
        return 1;
    }
    std::wstring lines;
    for (int i = 1; i < argc; ++i) {
        lines += std::wstring(argv[i]) + L'\n';
    }
    const std::wstring partial = std::wstring(log) + L".part";
    const HANDLE file = CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return 1;
    }
    DWORD wrote = 0;
    const DWORD size = static_cast<DWORD>(lines.size() * sizeof(wchar_t));
    const bool ok = WriteFile(file, lines.data(), size, &wrote, nullptr) != 0 && wrote == size;
    CloseHandle(file);
    return ok && MoveFileExW(partial.c_str(), log, MOVEFILE_REPLACE_EXISTING) != 0 ? 0 : 1;
}
