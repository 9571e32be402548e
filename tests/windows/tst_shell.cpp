// The shipped Windows browser layer against the shell's real associations in the test session's
// Wine prefix: urllogger.exe, installed as a browser, records the arguments it was started with.
#include "weblink/win32/win32shell.h"

#include <QtTest>
#include <fstream>
#include <iterator>

using namespace quorvel::win32;

namespace {

constexpr int logWaitMs = 20000;
const std::wstring site = L"https://www.quorvel.org/";
const std::wstring browserFolder = L"C:\\Program Files\\My Browser";
const std::wstring browserCommand = L"\"" + browserFolder + L"\\browser.exe\" --new-window \"%1\"";
const std::wstring missingCommand = L"\"C:\\nowhere\\browser.exe\" \"%1\"";

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

// What urllogger.exe wrote, once it has: whole, by renaming.
QString logged(const std::wstring& log)
{
    QString lines;
    const auto read = [&] {
        std::ifstream file(log.c_str(), std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(file), {}};
        lines = QString::fromWCharArray(reinterpret_cast<const wchar_t*>(bytes.data()),
                                        int(bytes.size() / sizeof(wchar_t)));
        return !lines.isEmpty();
    };
    return QTest::qWaitFor(read, logWaitMs) ? lines : QString();
}

} // namespace

class ShellTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void opensAsRegistered_data();
    void opensAsRegistered();

private:
    std::wstring log_;
};

void ShellTest::initTestCase()
{
    std::wstring folder(MAX_PATH, L'\0');
    folder.resize(GetTempPathW(MAX_PATH, folder.data()));
    log_ = folder + L"urllogger.log";
    SetEnvironmentVariableW(L"QUORVEL_URL_LOG", log_.c_str());
    std::wstring self(MAX_PATH, L'\0');
    self.resize(GetModuleFileNameW(nullptr, self.data(), MAX_PATH));
    CreateDirectoryW(browserFolder.c_str(), nullptr);
    QVERIFY(CopyFileW((self.substr(0, self.rfind(L'\\')) + L"\\urllogger.exe").c_str(),
                      (browserFolder + L"\\browser.exe").c_str(), FALSE) != 0);
}

void ShellTest::cleanup()
{
    DeleteFileW(log_.c_str());
    removeAssociations();
}

void ShellTest::opensAsRegistered_data()
{
    QTest::addColumn<QStringList>("classes"); // key, value, key, value...
    QTest::addColumn<int>("outcome");
    QTest::addColumn<bool>("browserStarted");

    const QString command = QString::fromStdWString(browserCommand);
    QTest::newRow("nothing registered: no browser")
        << QStringList() << int(LaunchOutcome::NoBrowser) << false;
    QTest::newRow("https registered: the whole command, its switch included")
        << QStringList{"https\\shell\\open\\command", command} << int(LaunchOutcome::Started)
        << true;
    QTest::newRow(".htm alone registered: the whole command, its switch included")
        << QStringList{".htm", "test.htm", "test.htm\\shell\\open\\command", command}
        << int(LaunchOutcome::Started) << true;
    QTest::newRow("a missing program registered: fails to start")
        << QStringList{"https\\shell\\open\\command", QString::fromStdWString(missingCommand)}
        << int(LaunchOutcome::StartFailed) << false;
}

void ShellTest::opensAsRegistered()
{
    QFETCH(QStringList, classes);
    QFETCH(int, outcome);
    QFETCH(bool, browserStarted);

    removeAssociations();
    for (qsizetype i = 0; i + 1 < classes.size(); i += 2) {
        QVERIFY(setClassText(classes[i].toStdWString(), classes[i + 1].toStdWString()));
    }
    QCOMPARE(int(openInBrowser(site, nullptr)), outcome);
    if (browserStarted) {
        QCOMPARE(logged(log_), "--new-window\n" + QString::fromStdWString(site) + "\n");
    }
}

QTEST_GUILESS_MAIN(ShellTest)
#include "tst_shell.moc"
