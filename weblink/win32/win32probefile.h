#pragma once

// clang-format off
#include <windows.h>
// clang-format on

#include <functional>
#include <string>

namespace quorvel::win32 {

/// A new, unpredictable file name ending in ".htm", such as "quorvel-3f9a0c7e12b4d685.htm".
std::wstring randomProbeName();

/// The user's temporary folder, ending in a backslash (GetTempPathW).
std::wstring temporaryFolder();

/// A one-line HTML file whose only use is to ask which program opens HTML files. It is created
/// exclusively (CREATE_NEW) under a fresh name, so an existing file or link is never written
/// through, and on destruction it is removed only while the entry at its path is still the very
/// file it created.
class ProbeFile {
public:
    /// Tries names from nextName until one is free (a bounded number of times).
    explicit ProbeFile(const std::wstring& folder = temporaryFolder(),
                       const std::function<std::wstring()>& nextName = randomProbeName);
    ~ProbeFile();

    ProbeFile(const ProbeFile&) = delete;
    ProbeFile& operator=(const ProbeFile&) = delete;

    /// Whether the file was created and its whole line written.
    bool isWritten() const { return written_; }

    /// The file's full path; meaningful only when isWritten().
    const std::wstring& path() const { return path_; }

private:
    std::wstring path_;
    BY_HANDLE_FILE_INFORMATION identity_{};
    bool created_ = false;
    bool written_ = false;
};

} // namespace quorvel::win32
