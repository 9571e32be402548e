// The shipped Windows browser layer against the shell's real associations in a throw-away Wine
// prefix: urllogger.exe, installed as a browser, records the arguments it was started with.
#include "tests/plaincheck.h"
#include "weblink/win32/win32shell.h"

#include <chrono>
#include <fstream>
#include <iterator>
#include <thread>

using namespace quorvel::win32;

namespace {

constexpr auto logWait = std::chrono::seconds(20);
constexpr auto logPoll = std::chrono::milliseconds(20);
const std::wstring site = L"https://www.quorvel.org/";
const std::wstring browserFolder = L"C:\\Program Files\\My Browser";
const std::wstring command = L"\"" + browserFolder + L"\\browser.exe\" --new-window \"%1\"";

// Machine-wide, the classes Wine's HKEY_CLASSES_ROOT shows.
bool setClassText(const std::wstring& key, const std::wstring& value)
{
    return RegSetKeyValueW(HKEY_LOCAL_MACHINE, (L"Software\\Classes\\" + key).c_str(), nullptr,
                           REG_SZ, value.c_str(),
                           DWORD((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

void removeAssociations()
{
    for (const std::wstring key : {L".htm", L"htmlfile", L"http", L"https", L"test.htm"}) {
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, (L"Software\\Classes\\" + key).c_str());
    }
}

// urllogger.exe's lines, once it has written them: whole, by renaming.
std::wstring logged(const std::wstring& log)
{
    const auto deadline = std::chrono::steady_clock::now() + logWait;
    std::wstring lines;
    while (lines.empty() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(logPoll);
        std::ifstream file(log.c_str(), std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(file), {}};
        lines.assign(reinterpret_cast<const wchar_t*>(bytes.data()),
                     bytes.size() / sizeof(wchar_t));
    }
    return lines;
}

} // namespace

int main()
{
    CheckTally tally;
    std::wstring folder(MAX_PATH, L'\0');
    folder.resize(GetTempPathW(MAX_PATH, folder.data()));
    const std::wstring log = folder + L"urllogger.log";
    SetEnvironmentVariableW(L"QUORVEL_URL_LOG", log.c_str());
    std::wstring self(MAX_PATH, L'\0');
    self.resize(GetModuleFileNameW(nullptr, self.data(), MAX_PATH));
    CreateDirectoryW(browserFolder.c_str(), nullptr);
    tally.expect(CopyFileW((self.substr(0, self.rfind(L'\\')) + L"\\urllogger.exe").c_str(),
                           (browserFolder + L"\\browser.exe").c_str(), FALSE) != 0,
                 "installing the logging browser");

    removeAssociations();
    tally.expect(openInBrowser(site, nullptr) == LaunchOutcome::NoBrowser,
                 "nothing registered: no browser");
    const auto expectStarted = [&](const std::string& setUp, bool registered) {
        tally.expect(registered && openInBrowser(site, nullptr) == LaunchOutcome::Started,
                     setUp + " registered: started");
        tally.expect(logged(log) == L"--new-window\n" + site + L"\n",
                     setUp + " registered: the whole command, its switch included");
        DeleteFileW(log.c_str());
        removeAssociations();
    };
    expectStarted("https", setClassText(L"https\\shell\\open\\command", command));
    expectStarted(".htm alone", setClassText(L".htm", L"test.htm") &&
                                    setClassText(L"test.htm\\shell\\open\\command", command));
    tally.expect(
        setClassText(L"https\\shell\\open\\command", L"\"C:\\nowhere\\browser.exe\" \"%1\"") &&
            openInBrowser(site, nullptr) == LaunchOutcome::StartFailed,
        "a missing program registered: fails to start");
    return tally.finish();
}
