#include "weblink/win32/win32probefile.h"

// clang-format off
#include <bcrypt.h>
// clang-format on

#include <array>
#include <vector>

namespace quorvel::win32 {

namespace {

constexpr wchar_t namePrefix[] = L"quorvel-";
constexpr wchar_t nameExtension[] = L".htm";
constexpr wchar_t hexDigits[] = L"0123456789abcdef";
constexpr std::size_t randomBytes = 8;
constexpr int nameAttempts = 16;
constexpr wchar_t pathSeparator = L'\\';

// A quoted, empty HTML element and a CR LF line end: 18 bytes.
constexpr char probeLine[] = "\"<HTML> <\\HTML>\"\r\n";
constexpr DWORD probeLineLength = sizeof probeLine - 1;

bool sameFile(const BY_HANDLE_FILE_INFORMATION& a, const BY_HANDLE_FILE_INFORMATION& b)
{
    return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber &&
           a.nFileIndexHigh == b.nFileIndexHigh && a.nFileIndexLow == b.nFileIndexLow;
}

// The file goes when its last handle closes, whatever name it then has.
void markForDeletion(HANDLE file)
{
    FILE_DISPOSITION_INFO disposition{};
    disposition.DeleteFile = TRUE;
    SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof disposition);
}

} // namespace

std::wstring randomProbeName()
{
    std::array<unsigned char, randomBytes> bytes{};
    // Without the system generator the name stays predictable, which the exclusive creation
    // still makes safe; it then only collides more often.
    BCryptGenRandom(nullptr, bytes.data(), static_cast<ULONG>(bytes.size()),
                    BCRYPT_USE_SYSTEM_PREFERRED_RNG);
    std::wstring name(namePrefix);
    for (const unsigned char byte : bytes) {
        name += hexDigits[byte >> 4];
        name += hexDigits[byte & 0xF];
    }
    return name + nameExtension;
}

std::wstring temporaryFolder()
{
    // Asked for its length first: the answer may reach MAX_PATH + 1 characters.
    const DWORD size = GetTempPathW(0, nullptr);
    if (size == 0)
        return {};
    std::vector<wchar_t> folder(size + 1, L'\0');
    const DWORD length = GetTempPathW(static_cast<DWORD>(folder.size()), folder.data());
    if (length == 0 || length >= folder.size())
        return {};
    return std::wstring(folder.data(), length);
}

ProbeFile::ProbeFile(const std::wstring& folder, const std::function<std::wstring()>& nextName)
{
    if (folder.empty())
        return;
    const std::wstring directory = folder.back() == pathSeparator ? folder : folder + pathSeparator;
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < nameAttempts && file == INVALID_HANDLE_VALUE; ++attempt) {
        path_ = directory + nextName();
        // CREATE_NEW fails on any existing entry, a link included, instead of opening it.
        file = CreateFileW(path_.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS &&
            GetLastError() != ERROR_ALREADY_EXISTS)
            return;
    }
    if (file == INVALID_HANDLE_VALUE)
        return;
    if (GetFileInformationByHandle(file, &identity_) == 0) {
        // Without its identity it could not be told apart later, so it goes at once.
        markForDeletion(file);
        CloseHandle(file);
        return;
    }
    created_ = true;
    DWORD wrote = 0;
    written_ = WriteFile(file, probeLine, probeLineLength, &wrote, nullptr) != 0 &&
               wrote == probeLineLength;
    written_ = CloseHandle(file) != 0 && written_;
}

ProbeFile::~ProbeFile()
{
    if (!created_)
        return;
    // Opened without following a link, and deleted through that handle only when it is still
    // the file created above, so a file put in its place is left alone.
    const HANDLE file = CreateFileW(path_.c_str(), DELETE | FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    BY_HANDLE_FILE_INFORMATION current{};
    if (GetFileInformationByHandle(file, &current) != 0 && sameFile(current, identity_))
        markForDeletion(file);
    CloseHandle(file);
}

} // namespace quorvel::win32
