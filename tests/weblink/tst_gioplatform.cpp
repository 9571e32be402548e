#include "weblink/gioplatform.h"
#include "weblink/warningsink.h"
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

// Records its name and arguments, one a line, renamed into place once complete.
const QByteArray loggingScript = "#!/bin/sh\n{ basename \"$0\"; printf '%s\\n' \"$@\"; } > "
                                 "\"$QUORVEL_TEST_LOG.part\" && mv \"$QUORVEL_TEST_LOG.part\" "
                                 "\"$QUORVEL_TEST_LOG\"\n";
const QStringList loggingPrograms{"browser", "flatpak", "vim", "editor", "my browser/browser"};

bool writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    return QDir().mkpath(QFileInfo(path).path()) && file.open(QIODevice::WriteOnly) &&
           file.write(content) == content.size();
}

// Shows a warning by printing its title; then ends the way the test asks, or returns.
class PrintedWarnings : public WarningSink {
public:
    void warn(const QString& title, const QString&) override
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
};

int openLink(const char* tempDirectory)
{
    GioPlatform platform;
    PrintedWarnings warnings;
    WebLink(platform, warnings, QFile::decodeName(tempDirectory)).open(address);
    return 0;
}

} // namespace

// Throw-away XDG folders hold the desktop entries of a row; the programs they name are
// scripts on a private PATH that log what they are started with.
class GioPlatformTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void opensAsTheDesktopWould_data();
    void opensAsTheDesktopWould();
    void removesTheProbeWhenEndedDuringAWarning_data();
    void removesTheProbeWhenEndedDuringAWarning();

private:
    void writeDesktop(const QByteArray& htmlEntry, const QByteArray& textEntry, bool mimeDatabase);
    QProcess* startLink(const QString& tempDirectory, const QByteArray& ending = {});

    std::unique_ptr<QTemporaryDir> root_;
    std::unique_ptr<QProcess> child_;
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
    for (const char* tool : {"env", "basename", "mv"})
        QVERIFY(
            QFile::link(QStandardPaths::findExecutable(tool), root_->filePath("tools/") + tool));
}

void GioPlatformTest::writeDesktop(const QByteArray& htmlEntry, const QByteArray& textEntry,
                                   bool mimeDatabase)
{
    const QByteArray bin = QFile::encodeName(root_->filePath("bin"));
    QByteArray defaults = "[Default Applications]\n";
    for (const auto& [name, type, entry] :
         {std::tuple{"browser.desktop", "text/html", htmlEntry},
          std::tuple{"editor.desktop", "text/plain", textEntry}}) {
        if (entry.isEmpty())
            continue;
        QVERIFY(writeFile(root_->filePath(QString("data/applications/") + name),
                          "[Desktop Entry]\nType=Application\nName=" + QByteArray(name) +
                              "\nMimeType=" + type + ";\n" +
                              QByteArray(entry).replace("@BIN@", bin) + "\n"));
        defaults += QByteArray(type) + '=' + name + '\n';
    }
    QVERIFY(writeFile(root_->filePath("config/mimeapps.list"), defaults));
    // The system's MIME database alone, without the system's applications.
    QVERIFY(QDir(root_->path()).mkpath("system"));
    if (mimeDatabase)
        QVERIFY(QFile::link("/usr/share/mime", root_->filePath("system/mime")));

    environment_ = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "XDG_CURRENT_DESKTOP", "TMPDIR"})
        environment_.remove(name);
    environment_.insert("PATH", root_->filePath("bin") + ':' + root_->filePath("tools"));
    environment_.insert("XDG_DATA_HOME", root_->filePath("data"));
    environment_.insert("XDG_DATA_DIRS", root_->filePath("system"));
    environment_.insert("XDG_CONFIG_HOME", root_->filePath("config"));
    environment_.insert("XDG_CONFIG_DIRS", root_->filePath("config"));
    environment_.insert("XDG_CACHE_HOME", root_->filePath("cache"));
    environment_.insert(logVariable, root_->filePath("log"));
}

QProcess* GioPlatformTest::startLink(const QString& tempDirectory, const QByteArray& ending)
{
    child_ = std::make_unique<QProcess>();
    QProcessEnvironment environment = environment_;
    if (!ending.isEmpty())
        environment.insert(endingVariable, ending);
    child_->setProcessEnvironment(environment);
    child_->setWorkingDirectory(root_->filePath("cwd"));
    child_->start(QCoreApplication::applicationFilePath(), {openLinkFlag, tempDirectory});
    return child_.get();
}

void GioPlatformTest::opensAsTheDesktopWould_data()
{
    QTest::addColumn<QByteArray>("htmlEntry");
    QTest::addColumn<QByteArray>("textEntry");
    QTest::addColumn<bool>("mimeDatabase");
    QTest::addColumn<bool>("tempFolderExists");
    QTest::addColumn<QByteArray>("log"); // empty: nothing started
    QTest::addColumn<QByteArray>("warning");

    const auto row = [](const char* name, const char* htmlEntry, const char* textEntry,
                        const QByteArray& log, const char* warning = "", bool mimeDatabase = true,
                        bool tempFolderExists = true) {
        QTest::newRow(name) << QByteArray(htmlEntry) << QByteArray(textEntry) << mimeDatabase
                            << tempFolderExists << log << QByteArray(warning);
    };
    const QByteArray browserLog = "browser\n" + address + '\n';
    const char* const notFound = "Browser Not Found\n";
    row("flatpak launcher",
        "Exec=flatpak run --branch=stable --arch=x86_64 --command=firefox --file-forwarding "
        "org.mozilla.firefox @@u %u @@",
        "",
        "flatpak\nrun\n--branch=stable\n--arch=x86_64\n--command=firefox\n--file-forwarding\n"
        "org.mozilla.firefox\n@@u\n" +
            address + "\n@@\n");
    row("env wrapper", "Exec=env MOZ_ENABLE_WAYLAND=1 browser %u", "", browserLog);
    row("quoted path with a space", "Exec=\"@BIN@/my browser/browser\" %u", "", browserLog);
    row("extra arguments", "Exec=browser --new-window %u", "",
        "browser\n--new-window\n" + address + '\n');
    row("only a terminal text editor", "", "Exec=vim %F\nTerminal=true", {}, notFound);
    row("only a text editor taking addresses", "", "Exec=editor %U", {}, notFound);
    row("no MIME database, probe sniffed as text", "Exec=browser %u", "Exec=editor %U", browserLog,
        "", false);
    row("HTML handler for local files only", "Exec=browser %f", "", {}, notFound);
    row("terminal browser, no terminal", "Exec=browser %u\nTerminal=true", "", {}, "URL Failed\n");
    row("missing temp folder", "Exec=browser %u", "", browserLog, "", true, false);
}

void GioPlatformTest::opensAsTheDesktopWould()
{
    QFETCH(QByteArray, htmlEntry);
    QFETCH(QByteArray, textEntry);
    QFETCH(bool, mimeDatabase);
    QFETCH(bool, tempFolderExists);
    QFETCH(QByteArray, log);
    QFETCH(QByteArray, warning);
    writeDesktop(htmlEntry, textEntry, mimeDatabase);

    QProcess* child = startLink(root_->filePath(tempFolderExists ? "tmp" : "missing"));
    QVERIFY(child->waitForFinished(childTimeoutMs));
    QCOMPARE(child->exitCode(), 0);
    QCOMPARE(child->readAllStandardOutput(), warning);

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
    writeDesktop({}, {}, true);
    const QDir tmp(root_->filePath("tmp"));

    QProcess* child = startLink(tmp.path(), ending);
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
    if (argc == 3 && qstrcmp(argv[1], openLinkFlag) == 0)
        return openLink(argv[2]);
    QCoreApplication app(argc, argv);
    GioPlatformTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_gioplatform.moc"
