// The Windows browser layer against the shell's real associations in a Wine prefix: the ".htm"
// extension is pointed at urllogger.exe, which records the arguments it was started with.
#include "tests/plaincheck.h"
#include "weblink/win32/win32probefile.h"
#include "weblink/win32/win32shell.h"

#include <chrono>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

using namespace quorvel::win32;

namespace {

constexpr auto logWait = std::chrono::seconds(20);
constexpr auto logPoll = std::chrono::milliseconds(20);
constexpr wchar_t progId[] = L"quorveltest.htm";
constexpr wchar_t missingProgram[] = L"C:\\nowhere\\browser.exe";

CheckTally tally;

std::string narrow(const std::wstring& text)
{
    return std::string(text.begin(), text.end()); // the checks' texts are ASCII
}

std::wstring folderOfThisProgram()
{
    std::vector<wchar_t> path(MAX_PATH * 4, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    const std::wstring full(path.data(), length);
    return full.substr(0, full.find_last_of(L'\\') + 1);
}

bool setText(HKEY root, const std::wstring& key, const std::wstring& value)
{
    return RegSetKeyValueW(root, key.c_str(), nullptr, REG_SZ, value.c_str(),
                           static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) ==
           ERROR_SUCCESS;
}

// Points ".htm" at command, in the machine-wide classes that HKEY_CLASSES_ROOT shows.
bool associateHtm(const std::wstring& command)
{
    return setText(HKEY_CLASSES_ROOT, L".htm", progId) &&
           setText(HKEY_CLASSES_ROOT, std::wstring(progId) + L"\\shell\\open\\command", command);
}

// Registers command for a URL scheme under root's classes (per-user or machine-wide).
bool associateScheme(HKEY root, const std::wstring& scheme, const std::wstring& command)
{
    return setText(root, L"Software\\Classes\\" + scheme + L"\\shell\\open\\command", command);
}

void removeAssociations()
{
    for (const HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE})
        for (const wchar_t* key :
             {L"Software\\Classes\\.htm", L"Software\\Classes\\http", L"Software\\Classes\\https"})
            RegDeleteTreeW(root, key);
    RegDeleteTreeW(HKEY_CLASSES_ROOT, progId);
}

std::string contents(const std::wstring& path)
{
    std::ifstream file(path.c_str(), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void writeFile(const std::wstring& path, const std::string& content)
{
    std::ofstream(path.c_str(), std::ios::binary) << content;
}

// Probe files left in the temporary folder.
int probesLeft()
{
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((temporaryFolder() + L"quorvel-*.htm").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    int count = 0;
    do {
        ++count;
    } while (FindNextFileW(search, &found) != 0);
    FindClose(search);
    return count;
}

// The arguments urllogger.exe was started with, once it has written them. The log appears
// whole, by renaming, but may briefly stay unreadable while the rename's handle is open.
std::vector<std::wstring> loggedArguments(const std::wstring& log)
{
    const auto deadline = std::chrono::steady_clock::now() + logWait;
    std::string bytes;
    while ((bytes = contents(log)).empty() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(logPoll);
    std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
    bytes.copy(reinterpret_cast<char*>(text.data()), text.size() * sizeof(wchar_t));
    std::vector<std::wstring> arguments;
    for (std::size_t start = 0, end; (end = text.find(L'\n', start)) != std::wstring::npos;
         start = end + 1)
        arguments.push_back(text.substr(start, end - start));
    return arguments;
}

// What the program's web link does with this layer: the handler of web addresses, or without
// one the program for a probe file, or without a probe file the ".htm" association.
LaunchOutcome openAsTheProgramDoes(const std::wstring& url)
{
    const LaunchOutcome web = openWithWebHandler(url, nullptr);
    if (web != LaunchOutcome::NoBrowser)
        return web;
    const ProbeFile probe;
    return probe.isWritten() ? openWithFileHandler(probe.path(), url, nullptr)
                             : openWithHtmlHandler(url, nullptr);
}

void checkStartsBrowserOn(const std::wstring& url, const std::wstring& log,
                          const std::string& setUp = {})
{
    DeleteFileW(log.c_str());
    const std::string name = setUp.empty() ? "address " + narrow(url) : setUp;
    tally.expect(openAsTheProgramDoes(url) == LaunchOutcome::Started, name + " starts");
    const std::vector<std::wstring> arguments = loggedArguments(log);
    std::string arrived;
    for (const std::wstring& argument : arguments)
        arrived += " [" + narrow(argument) + "]";
    tally.expect(arguments == std::vector<std::wstring>{url},
                 name + " arrives as one argument, not as" + arrived);
    tally.expect(probesLeft() == 0, name + " leaves no probe file");
}

void checkProbeFile()
{
    const ProbeFile probe;
    tally.expect(probe.isWritten() && probe.path().rfind(temporaryFolder(), 0) == 0 &&
                     probe.path().ends_with(L".htm") &&
                     contents(probe.path()) == "\"<HTML> <\\HTML>\"\r\n",
                 "the probe file is one 18-byte line in the temporary folder");
}

// A file planted at the next name the probe would take is skipped, not written through, and
// one swapped in for the probe is not deleted with it.
void checkPlantedFiles()
{
    const std::wstring folder = temporaryFolder();
    const std::string planted = "someone else's";
    const std::wstring predictable = folder + L"predictable.htm";
    const std::wstring aside = folder + L"aside.htm";
    writeFile(predictable, planted);
    std::vector<std::wstring> names{L"fresh.htm", L"predictable.htm"};
    {
        const ProbeFile probe(folder, [&names] {
            const std::wstring next = names.back();
            names.pop_back();
            return next;
        });
        tally.expect(probe.isWritten() && probe.path() == folder + L"fresh.htm",
                     "a taken name is passed over");
        tally.expect(contents(predictable) == planted, "a planted file is not written through");
        MoveFileW(probe.path().c_str(), aside.c_str());
        MoveFileW(predictable.c_str(), probe.path().c_str());
    }
    tally.expect(contents(folder + L"fresh.htm") == planted,
                 "a file swapped in for the probe is not deleted");
    for (const std::wstring& left : {folder + L"fresh.htm", aside})
        DeleteFileW(left.c_str());
}

} // namespace

int main()
{
    const std::wstring log = temporaryFolder() + L"urllogger.log";
    SetEnvironmentVariableW(L"QUORVEL_URL_LOG", log.c_str());
    const std::wstring logger = folderOfThisProgram() + L"urllogger.exe";
    const std::wstring quotedLogger = L"\"" + logger + L"\" \"%1\"";
    const std::wstring site = L"https://www.quorvel.org/";

    checkProbeFile();
    checkPlantedFiles();

    // The prefix's own web handler is Wine's; each set-up below makes its own.
    removeAssociations();
    tally.expect(associateHtm(quotedLogger), "registering urllogger.exe for .htm files");
    tally.expect(programFor(L".htm") == logger, "the .htm association is found without a file");
    for (const std::wstring& url :
         {site, std::wstring(L"https://example.org/a page with spaces"),
          std::wstring(L"https://example.org/?q=\"quoted words\"&x=\""),
          std::wstring(L"C:\\a folder\\ends in\\\\"), std::wstring(L"back\\\\\"slash\\")})
        checkStartsBrowserOn(url, log);

    // An unquoted path with a blank: FindExecutableW answers "C:\Program".
    const std::wstring unquotedFolder = L"C:\\Program Files\\Br";
    CreateDirectoryW(unquotedFolder.c_str(), nullptr);
    tally.expect(CopyFileW(logger.c_str(), (unquotedFolder + L"\\br.exe").c_str(), FALSE) != 0 &&
                     associateHtm(unquotedFolder + L"\\br.exe --new-window \"%1\""),
                 "registering an unquoted handler path");
    checkStartsBrowserOn(site, log, "an unquoted handler path with a blank");

    removeAssociations();
    tally.expect(associateScheme(HKEY_CURRENT_USER, L"https", quotedLogger),
                 "registering a per-user https handler");
    checkStartsBrowserOn(site, log, "a per-user https handler without an .htm association");
    removeAssociations();
    tally.expect(associateScheme(HKEY_LOCAL_MACHINE, L"http", quotedLogger) &&
                     associateHtm(L"\"" + std::wstring(missingProgram) + L"\" \"%1\""),
                 "registering a machine-wide http handler");
    checkStartsBrowserOn(site, log, "a machine-wide http handler before the .htm association");

    removeAssociations();
    tally.expect(associateHtm(L"\"" + std::wstring(missingProgram) + L"\" \"%1\""),
                 "registering a missing program");
    tally.expect(openAsTheProgramDoes(site) == LaunchOutcome::StartFailed,
                 "a missing program fails to start");
    tally.expect(probesLeft() == 0, "a failed start leaves no probe file");

    removeAssociations();
    tally.expect(openAsTheProgramDoes(site) == LaunchOutcome::NoBrowser,
                 "without an association no browser is found");
    tally.expect(openWithHtmlHandler(site, nullptr) == LaunchOutcome::NoBrowser,
                 "without an association none is found without a file either");
    tally.expect(probesLeft() == 0, "no browser found leaves no probe file");
    DeleteFileW(log.c_str());
    return tally.finish();
}
