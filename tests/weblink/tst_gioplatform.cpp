#include "weblink/gioplatform.h"
#include "weblink/weblink.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

using namespace quorvel;

namespace {

const QByteArray address = "https://www.example.org/site";
// The test starts itself with this flag to click the link in a process of its own, since GIO
// reads the XDG folders once per process.
constexpr char openLinkFlag[] = "--open-link";
// Set in that process: how it ends while its warning is open.
constexpr char endingVariable[] = "QUORVEL_TEST_ENDING";
constexpr char exitEnding[] = "exit";
constexpr char logVariable[] = "QUORVEL_TEST_LOG";
// A started browser has written its log by then; one that is not started never writes it.
constexpr int notStartedWaitMs = 500;
constexpr int childTimeoutMs = 20000;

// Records its name and arguments, one a line, then what its working folder holds, renamed into
// place once complete.
const QByteArray loggingScript = "#!/bin/sh\n{ basename \"$0\"; printf '%s\\n' \"$@\"; ls -A; } > "
                                 "\"$QUORVEL_TEST_LOG.part\" && mv \"$QUORVEL_TEST_LOG.part\" "
                                 "\"$QUORVEL_TEST_LOG\"\n";
// A valid D-Bus name, so that the entry can also be D-Bus activated.
constexpr char browserDesktopFile[] = "org.example.Browser.desktop";
constexpr char editorDesktopFile[] = "editor.desktop";
constexpr char mimeTypeKey[] = "MimeType=";

// What a row's desktop has besides its entries.
struct Setup {
    bool mimeDatabase = true;
    QString tempFolder = "tmp"; // TMPDIR: "." as given, any other name under the row's root
    bool sessionBus = false;
};

const QStringList loggingPrograms{"browser", "flatpak", "vim", "editor", "my browser/browser"};

bool writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    return QDir().mkpath(QFileInfo(path).path()) && file.open(QIODevice::WriteOnly) &&
           file.write(content) == content.size();
}

// Shows a warning by printing its title; then ends the way the test asks, or returns.
void printWarning(const QString& title, const QString&)
{
    std::printf("%s\n", title.toUtf8().constData());
    std::fflush(stdout);
    const QByteArray ending = qgetenv(endingVariable);
    if (ending == exitEnding)
        std::exit(1); // as Qt's X11 platform does when the display connection is lost
    if (!ending.isEmpty())
        for (;;)
            ::pause();
}

// The temporary folder is found as the program finds it.
int openLink()
{
    GioPlatform platform;
    WebLink(platform, printWarning).open(address);
    return 0;
}

} // namespace

Q_DECLARE_METATYPE(Setup)

// Throw-away XDG folders hold the desktop entries of a row; the programs they name are
// scripts on a private PATH that log what they are started with.
class GioPlatformTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void opensAsTheDesktopWould_data();
    void opensAsTheDesktopWould();
    void removesTheProbeWhenEndedDuringAWarning_data();
    void removesTheProbeWhenEndedDuringAWarning();

private:
    void writeDesktop(const QByteArray& browserEntry, const QByteArray& editorEntry,
                      const QByteArray& defaults, bool mimeDatabase);
    void startSessionBus();
    QProcess* startLink(const QByteArray& ending = {});

    std::unique_ptr<QTemporaryDir> root_;
    std::unique_ptr<QProcess> child_;
    std::unique_ptr<QProcess> sessionBus_;
    QProcessEnvironment environment_;
};

void GioPlatformTest::init()
{
    root_ = std::make_unique<QTemporaryDir>();
    QVERIFY(root_->isValid());
    for (const char* folder : {"tmp", "cwd", "tools"})
        QVERIFY(QDir(root_->path()).mkpath(folder));
    for (const QString& name : loggingPrograms) {
        const QString script = root_->filePath("bin/" + name);
        QVERIFY(writeFile(script, loggingScript));
        QVERIFY(QFile::setPermissions(script, QFile::ReadOwner | QFile::ExeOwner));
    }
    // The only other programs on PATH: what the scripts and the env wrapper use, and no
    // terminal emulator.
    for (const char* tool : {"env", "basename", "mv", "ls"})
        QVERIFY(
            QFile::link(QStandardPaths::findExecutable(tool), root_->filePath("tools/") + tool));
}

void GioPlatformTest::cleanup()
{
    if (sessionBus_) {
        sessionBus_->kill();
        sessionBus_->waitForFinished();
        sessionBus_.reset();
    }
}

void GioPlatformTest::writeDesktop(const QByteArray& browserEntry, const QByteArray& editorEntry,
                                   const QByteArray& defaults, bool mimeDatabase)
{
    const QByteArray bin = QFile::encodeName(root_->filePath("bin"));
    for (const auto& [name, entry] :
         {std::pair{browserDesktopFile, browserEntry}, std::pair{editorDesktopFile, editorEntry}}) {
        if (!entry.isEmpty())
            QVERIFY(writeFile(root_->filePath(QString("data/applications/") + name),
                              "[Desktop Entry]\nType=Application\nName=" + QByteArray(name) + '\n' +
                                  QByteArray(entry).replace("@BIN@", bin) + "\n"));
    }
    // The index that installing entries leaves, as update-desktop-database writes it.
    QByteArray cache = "[MIME Cache]\n";
    for (const auto& [name, entry] :
         {std::pair{browserDesktopFile, browserEntry}, std::pair{editorDesktopFile, editorEntry}}) {
        const qsizetype start = entry.indexOf(mimeTypeKey);
        if (start < 0)
            continue;
        const QByteArray types = entry.mid(start + qstrlen(mimeTypeKey)).split('\n').first();
        for (const QByteArray& type : types.split(';'))
            if (!type.isEmpty())
                cache += type + '=' + name + ";\n";
    }
    QVERIFY(writeFile(root_->filePath("data/applications/mimeinfo.cache"), cache));
    QVERIFY(
        writeFile(root_->filePath("config/mimeapps.list"), "[Default Applications]\n" + defaults));
    // The system's MIME database alone, without the system's applications.
    QVERIFY(QDir(root_->path()).mkpath("system"));
    if (mimeDatabase)
        QVERIFY(QFile::link("/usr/share/mime", root_->filePath("system/mime")));

    environment_ = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "XDG_CURRENT_DESKTOP",
                             "DBUS_SESSION_BUS_ADDRESS", "XDG_RUNTIME_DIR"})
        environment_.remove(name);
    environment_.insert("PATH", root_->filePath("bin") + ':' + root_->filePath("tools"));
    environment_.insert("XDG_DATA_HOME", root_->filePath("data"));
    environment_.insert("XDG_DATA_DIRS", root_->filePath("system"));
    environment_.insert("XDG_CONFIG_HOME", root_->filePath("config"));
    environment_.insert("XDG_CONFIG_DIRS", root_->filePath("config"));
    environment_.insert("XDG_CACHE_HOME", root_->filePath("cache"));
    environment_.insert("TMPDIR", root_->filePath("tmp"));
    environment_.insert(logVariable, root_->filePath("log"));
}

// A bus of the row's own, whose services are looked up in the row's XDG folders.
void GioPlatformTest::startSessionBus()
{
    sessionBus_ = std::make_unique<QProcess>();
    sessionBus_->setProcessEnvironment(environment_);
    sessionBus_->start(QStandardPaths::findExecutable("dbus-daemon"),
                       {"--session", "--nofork", "--print-address=1"});
    QVERIFY(sessionBus_->waitForStarted());
    QTRY_VERIFY(sessionBus_->canReadLine());
    environment_.insert("DBUS_SESSION_BUS_ADDRESS",
                        QString::fromUtf8(sessionBus_->readLine().trimmed()));
}

QProcess* GioPlatformTest::startLink(const QByteArray& ending)
{
    child_ = std::make_unique<QProcess>();
    QProcessEnvironment environment = environment_;
    if (!ending.isEmpty())
        environment.insert(endingVariable, ending);
    child_->setProcessEnvironment(environment);
    child_->setWorkingDirectory(root_->filePath("cwd"));
    child_->start(QCoreApplication::applicationFilePath(), {openLinkFlag});
    return child_.get();
}

void GioPlatformTest::opensAsTheDesktopWould_data()
{
    QTest::addColumn<QByteArray>("browserEntry");
    QTest::addColumn<QByteArray>("editorEntry");
    QTest::addColumn<QByteArray>("defaults"); // the user's [Default Applications]
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<QByteArray>("log"); // empty: nothing started
    QTest::addColumn<QByteArray>("warning");

    const auto row = [](const char* name, const QByteArray& browserEntry,
                        const QByteArray& editorEntry, const QByteArray& defaults,
                        const QByteArray& log, const char* warning = "", Setup setup = {}) {
        QTest::newRow(name) << browserEntry << editorEntry << defaults << setup << log
                            << QByteArray(warning);
    };
    // The set-up of file managers: the browser handles HTML, an editor plain text.
    const auto htmlRow = [&row](const char* name, const QByteArray& htmlEntry,
                                const QByteArray& textEntry, const QByteArray& log,
                                const char* warning = "", Setup setup = {}) {
        QByteArray defaults;
        if (!htmlEntry.isEmpty())
            defaults += "text/html=" + QByteArray(browserDesktopFile) + '\n';
        if (!textEntry.isEmpty())
            defaults += "text/plain=" + QByteArray(editorDesktopFile) + '\n';
        row(name, htmlEntry.isEmpty() ? QByteArray() : "MimeType=text/html;\n" + htmlEntry,
            textEntry.isEmpty() ? QByteArray() : "MimeType=text/plain;\n" + textEntry, defaults,
            log, warning, setup);
    };
    const QByteArray browserLog = "browser\n" + address + '\n';
    const char* const notFound = "Browser Not Found\n";
    htmlRow("flatpak launcher",
            "Exec=flatpak run --branch=stable --arch=x86_64 --command=firefox --file-forwarding "
            "org.mozilla.firefox @@u %u @@",
            "",
            "flatpak\nrun\n--branch=stable\n--arch=x86_64\n--command=firefox\n--file-forwarding\n"
            "org.mozilla.firefox\n@@u\n" +
                address + "\n@@\n");
    htmlRow("env wrapper", "Exec=env MOZ_ENABLE_WAYLAND=1 browser %u", "", browserLog);
    htmlRow("quoted path with a space", "Exec=\"@BIN@/my browser/browser\" %u", "", browserLog);
    htmlRow("extra arguments", "Exec=browser --new-window %u", "",
            "browser\n--new-window\n" + address + '\n');
    htmlRow("only a terminal text editor", "", "Exec=vim %F\nTerminal=true", {}, notFound);
    htmlRow("only a text editor taking addresses", "", "Exec=editor %U", {}, notFound);
    htmlRow("no MIME database, probe sniffed as text", "Exec=browser %u", "Exec=editor %U",
            browserLog, "", {.mimeDatabase = false});
    htmlRow("HTML handler for local files only", "Exec=browser %f", "", {}, notFound);
    htmlRow("terminal browser, no terminal", "Exec=browser %u\nTerminal=true", "", {},
            "URL Failed\n");
    htmlRow("missing temp folder", "Exec=browser %u", "", browserLog, "",
            {.tempFolder = "missing"});
    htmlRow("relative TMPDIR, no probe in the working folder", "Exec=browser %u", "", browserLog,
            "", {.tempFolder = "."});

    // The set-ups of the desktops' own settings and of xdg-settings: the browser handles web
    // addresses.
    const QByteArray webBrowser =
        "MimeType=x-scheme-handler/http;x-scheme-handler/https;\nExec=browser %u";
    const QByteArray webDefaults = "x-scheme-handler/https=" + QByteArray(browserDesktopFile) +
                                   "\nx-scheme-handler/http=" + browserDesktopFile + '\n';
    const QByteArray htmlToEditor = "text/html=" + QByteArray(editorDesktopFile) + '\n';
    row("web addresses to the browser, HTML to an editor taking addresses", webBrowser,
        "MimeType=text/plain;text/html;\nExec=editor %U", webDefaults + htmlToEditor, browserLog);
    row("web addresses to the browser, HTML to an editor taking files", webBrowser,
        "MimeType=text/plain;text/html;\nExec=editor %F", webDefaults + htmlToEditor, browserLog);
    row("browser registered only for web addresses", webBrowser, "", {}, browserLog);
    row("user's HTML default, its entry not listing HTML", "Exec=browser %u", "",
        "text/html=" + QByteArray(browserDesktopFile) + '\n', browserLog);
    row("D-Bus activated browser without its service", webBrowser + "\nDBusActivatable=true", "",
        webDefaults, {}, "URL Failed\n", {.sessionBus = true});
    row("D-Bus activated browser with startup notification, without its service",
        webBrowser + "\nDBusActivatable=true\nStartupNotify=true", "", webDefaults, {},
        "URL Failed\n", {.sessionBus = true});
}

void GioPlatformTest::opensAsTheDesktopWould()
{
    QFETCH(QByteArray, browserEntry);
    QFETCH(QByteArray, editorEntry);
    QFETCH(QByteArray, defaults);
    QFETCH(Setup, setup);
    QFETCH(QByteArray, log);
    QFETCH(QByteArray, warning);
    writeDesktop(browserEntry, editorEntry, defaults, setup.mimeDatabase);
    environment_.insert("TMPDIR", setup.tempFolder == QLatin1String(".")
                                      ? setup.tempFolder
                                      : root_->filePath(setup.tempFolder));
    if (setup.sessionBus)
        startSessionBus();

    QProcess* child = startLink();
    QVERIFY(child->waitForFinished(childTimeoutMs));
    QCOMPARE(child->exitCode(), 0);
    QCOMPARE(child->readAllStandardOutput(), warning);
    const QByteArray errors = child->readAllStandardError();
    QVERIFY2(!errors.contains("CRITICAL"), errors.constData());

    QFile recorded(root_->filePath("log"));
    if (log.isEmpty()) {
        QTest::qWait(notStartedWaitMs);
        QVERIFY2(!recorded.exists(), "a program was started");
    } else {
        QTRY_VERIFY(recorded.exists());
        QVERIFY(recorded.open(QIODevice::ReadOnly));
        QCOMPARE(recorded.readAll(), log);
    }
    QCOMPARE(QDir(root_->filePath("tmp")).entryList(QDir::Files), QStringList());
    QCOMPARE(QDir(root_->filePath("cwd")).entryList(QDir::Files), QStringList());
}

void GioPlatformTest::removesTheProbeWhenEndedDuringAWarning_data()
{
    QTest::addColumn<QByteArray>("ending");
    QTest::addColumn<int>("signalNumber"); // 0: ends by itself, through exit()
    QTest::newRow("SIGTERM") << QByteArray("signal") << int(SIGTERM);
    QTest::newRow("SIGINT") << QByteArray("signal") << int(SIGINT);
    QTest::newRow("SIGHUP") << QByteArray("signal") << int(SIGHUP);
    QTest::newRow("display lost: exit()") << QByteArray(exitEnding) << 0;
}

void GioPlatformTest::removesTheProbeWhenEndedDuringAWarning()
{
    QFETCH(QByteArray, ending);
    QFETCH(int, signalNumber);
    writeDesktop({}, {}, {}, true);
    const QDir tmp(root_->filePath("tmp"));

    QProcess* child = startLink(ending);
    QTRY_VERIFY(child->canReadLine());
    QCOMPARE(child->readLine(), QByteArray("Browser Not Found\n"));
    if (signalNumber != 0) {
        QCOMPARE(tmp.entryList(QDir::Files).size(), 1);
        QCOMPARE(::kill(pid_t(child->processId()), signalNumber), 0);
    }
    QTRY_COMPARE_WITH_TIMEOUT(child->state(), QProcess::NotRunning, childTimeoutMs);
    QCOMPARE(child->exitStatus(), signalNumber != 0 ? QProcess::CrashExit : QProcess::NormalExit);
    QCOMPARE(tmp.entryList(QDir::Files), QStringList());
}

int main(int argc, char* argv[])
{
    if (argc == 2 && qstrcmp(argv[1], openLinkFlag) == 0)
        return openLink();
    QCoreApplication app(argc, argv);
    GioPlatformTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_gioplatform.moc"
