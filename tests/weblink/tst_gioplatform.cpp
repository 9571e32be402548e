#include "weblink/gioplatform.h"
#include "weblink/weblink.h"

#include <QApplication>
#include <QFileSystemWatcher>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>
#include <csignal>
#include <cstdio>
#include <optional>

using namespace quorvel;

namespace {

const QByteArray address = "https://www.example.org/site";
// The test starts itself with this flag to click the link in a process of its own, since GIO
// reads the XDG folders once per process.
constexpr char openLinkFlag[] = "--open-link";
// Set in that process to the file the bus's service writes once started: the window is closed
// once it has repainted after that, with the launch still pending.
constexpr char closeVariable[] = "QUORVEL_TEST_CLOSE_AFTER";
constexpr char repaintedLine[] = "repainted while pending\n";
constexpr int tickMs = 50;
// A started browser has written its log by then; one that is not started never writes it.
constexpr int notStartedWaitMs = 500;
// Well within GIO's 25 s limit on a D-Bus call, so that only a cancelled launch ends in time.
constexpr int childTimeoutMs = 15000;

// Records its name and arguments, one a line, renamed into place once complete.
const QByteArray loggingScript = "#!/bin/sh\n{ basename \"$0\"; printf '%s\\n' \"$@\"; } > "
                                 "\"$QUORVEL_TEST_LOG.part\" && mv \"$QUORVEL_TEST_LOG.part\" "
                                 "\"$QUORVEL_TEST_LOG\"\n";
// Started by the bus for the browser's name, which it never takes.
const QByteArray hangingScript =
    "#!/bin/sh\necho $$ > \"$QUORVEL_TEST_LOG.hanging\"\nexec sleep 60\n";
// A valid D-Bus name, so that the entry can also be D-Bus activated.
constexpr char browserName[] = "org.example.Browser";
constexpr char browser[] = "org.example.Browser.desktop";
constexpr char editor[] = "editor.desktop";

enum class Bus { None, NoService, HangingService };
// What a row's desktop has besides its entries.
struct Setup {
    Bus bus = Bus::None;
    bool qtGlibLoop = true; // false: QT_NO_GLIB=1
    bool indexed = true;    // the entries' folder has the index update-desktop-database writes
};

bool writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    return QDir().mkpath(QFileInfo(path).path()) && file.open(QIODevice::WriteOnly) &&
           file.write(content) == content.size();
}

class PaintCounter : public QWidget {
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent*) override { ++paints; }
};

// Clicks the link in a window, prints each warning's title, and ends once GIO has answered.
int openLink(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    PaintCounter window;
    window.show();
    GioPlatform platform;
    auto link = std::make_unique<WebLink>(platform, [](const QString& title, const QString&) {
        std::printf("%s\n", qPrintable(title));
    });
    link->open(QString::fromUtf8(address));
    const QString serviceStarted = qEnvironmentVariable(closeVariable);
    std::optional<int> paintsAtServiceStart;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, &app, [&] {
        if (link && link->isPending()) {
            window.update();
            if (!paintsAtServiceStart && !serviceStarted.isEmpty() &&
                QFile::exists(serviceStarted)) {
                paintsAtServiceStart = window.paints;
            }
            if (paintsAtServiceStart && window.paints > *paintsAtServiceStart) {
                std::printf("%s", repaintedLine);
                window.close();
                link.reset();
            }
        } else if (platform.launchesInFlight() == 0) {
            QApplication::quit();
        }
    });
    tick.start(tickMs);
    return QApplication::exec();
}

} // namespace

Q_DECLARE_METATYPE(Setup)

// Throw-away XDG folders hold the desktop entries of a row; the programs they name are
// scripts on a private PATH that log what they are started with.
class GioPlatformTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup();
    void opensAsTheDesktopWould_data();
    void opensAsTheDesktopWould();

private:
    std::unique_ptr<QTemporaryDir> root_;
    std::unique_ptr<QProcess> sessionBus_;
};

void GioPlatformTest::cleanup()
{
    QFile hanging(root_->filePath("log.hanging"));
    if (hanging.open(QIODevice::ReadOnly)) {
        ::kill(hanging.readAll().trimmed().toInt(), SIGTERM);
    }
    if (sessionBus_) {
        sessionBus_->kill();
        sessionBus_->waitForFinished();
        sessionBus_.reset();
    }
}

void GioPlatformTest::opensAsTheDesktopWould_data()
{
    QTest::addColumn<QByteArray>("browserEntry");
    QTest::addColumn<QByteArray>("editorEntry");
    QTest::addColumn<QByteArray>("defaults"); // the user's [Default Applications]
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<QByteArray>("log"); // empty: nothing started
    QTest::addColumn<QByteArray>("output");

    const auto row = [](const QByteArray& name, const QByteArray& browserEntry,
                        const QByteArray& editorEntry, const QByteArray& defaults,
                        const QByteArray& log, const char* output = "", Setup setup = {}) {
        QTest::newRow(name.constData())
            << browserEntry << editorEntry << defaults << setup << log << QByteArray(output);
    };
    // The set-up of file managers: the browser handles HTML, an editor plain text.
    const auto htmlRow = [&row](const char* name, const QByteArray& htmlEntry,
                                const QByteArray& textEntry, const QByteArray& log,
                                const char* output = "", Setup setup = {}) {
        row(name, htmlEntry.isEmpty() ? "" : "MimeType=text/html;\n" + htmlEntry,
            textEntry.isEmpty() ? "" : "MimeType=text/plain;\n" + textEntry,
            QByteArray(htmlEntry.isEmpty() ? "" : "text/html=") +
                (htmlEntry.isEmpty() ? "" : browser) + "\ntext/plain=" + editor + '\n',
            log, output, setup);
    };
    const QByteArray browserLog = "browser\n" + address + '\n';
    const char* const notFound = "Browser Not Found\n";
    htmlRow("only an HTML handler set, its whole command, no file written",
            "Exec=browser --new-window %u", "", "browser\n--new-window\n" + address + '\n');
    htmlRow("only a terminal text editor", "", "Exec=vim %F\nTerminal=true", {}, notFound);
    htmlRow("only a text editor taking addresses", "", "Exec=editor %U", {}, notFound);
    htmlRow("only a text editor taking addresses, not indexed", "", "Exec=editor %U", {}, notFound,
            {.indexed = false});
    htmlRow("HTML handler for local files only", "Exec=browser %f", "", {}, notFound);
    htmlRow("terminal browser, no terminal", "Exec=browser %u\nTerminal=true", "", {},
            "URL Failed\n");

    // The set-ups of the desktops' own settings and of xdg-settings: the browser handles web
    // addresses.
    const QByteArray webBrowser =
        "MimeType=x-scheme-handler/http;x-scheme-handler/https;\nExec=browser %u";
    const QByteArray webDefaults = "x-scheme-handler/https=" + QByteArray(browser) +
                                   "\nx-scheme-handler/http=" + browser + '\n';
    row("web addresses to the browser, HTML to an editor taking addresses", webBrowser,
        "MimeType=text/plain;text/html;\nExec=editor %U",
        webDefaults + "text/html=" + editor + '\n', browserLog);
    row("browser registered only for web addresses", webBrowser, "", {}, browserLog);
    row("user's HTML default, its entry listing no type", "Exec=browser %u", "",
        "text/html=" + QByteArray(browser) + '\n', browserLog);
    const QByteArray dbusBrowser = webBrowser + "\nDBusActivatable=true\nStartupNotify=true";
    for (const bool qtGlibLoop : {true, false}) {
        const QByteArray loop = qtGlibLoop ? ", Qt's GLib loop" : ", QT_NO_GLIB=1";
        row("D-Bus activated browser without its service" + loop, dbusBrowser, "", webDefaults, {},
            "URL Failed\n", {.bus = Bus::NoService, .qtGlibLoop = qtGlibLoop});
        row("window repaints while a D-Bus launch is pending" + loop, dbusBrowser, "", webDefaults,
            {}, repaintedLine, {.bus = Bus::HangingService, .qtGlibLoop = qtGlibLoop});
    }
}

void GioPlatformTest::opensAsTheDesktopWould()
{
    QFETCH(QByteArray, browserEntry);
    QFETCH(QByteArray, editorEntry);
    QFETCH(QByteArray, defaults);
    QFETCH(Setup, setup);
    QFETCH(QByteArray, log);
    QFETCH(QByteArray, output);
    root_ = std::make_unique<QTemporaryDir>();
    const QString root = root_->path() + '/';
    const QByteArray bin = QFile::encodeName(root + "bin");
    for (const char* name : {"browser", "vim", "editor", "hang"}) {
        QVERIFY(writeFile(root + "bin/" + name,
                          qstrcmp(name, "hang") == 0 ? hangingScript : loggingScript));
        QVERIFY(QFile::setPermissions(root + "bin/" + name, QFile::ReadOwner | QFile::ExeOwner));
    }
    // The only other programs on PATH: what the scripts use, and no terminal emulator.
    for (const char* tool : {"basename", "mv", "sleep"}) {
        QVERIFY(QFile::link(QStandardPaths::findExecutable(tool), QString(bin) + '/' + tool));
    }
    QByteArray index = "[MIME Cache]\n";
    for (const auto& [name, entry] :
         {std::pair{browser, browserEntry}, std::pair{editor, editorEntry}}) {
        if (entry.isEmpty()) {
            continue;
        }
        QVERIFY(writeFile(root + "data/applications/" + name,
                          "[Desktop Entry]\nType=Application\nName=" + QByteArray(name) + '\n' +
                              entry + "\n"));
        const QByteArray types = entry.startsWith("MimeType=") ? entry.mid(9).split('\n')[0] : "";
        for (const QByteArray& type : types.split(';')) {
            index += type.isEmpty() ? QByteArray() : type + '=' + name + ";\n";
        }
    }
    QVERIFY(!setup.indexed || writeFile(root + "data/applications/mimeinfo.cache", index));
    QVERIFY(writeFile(root + "config/mimeapps.list", "[Default Applications]\n" + defaults));
    // The system's MIME database alone, without the system's applications.
    QVERIFY(QDir().mkpath(root + "system") && QDir().mkpath(root + "tmp") &&
            QDir().mkpath(root + "cwd") && // the child's working folder
            QDir().mkdir(root + "runtime", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    QVERIFY(QFile::link("/usr/share/mime", root + "system/mime"));

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "XDG_CURRENT_DESKTOP", "QT_NO_GLIB"}) {
        environment.remove(name);
    }
    for (const auto& [name, folder] :
         {std::pair{"XDG_DATA_HOME", "data"}, std::pair{"XDG_DATA_DIRS", "system"},
          std::pair{"XDG_CONFIG_HOME", "config"}, std::pair{"XDG_CONFIG_DIRS", "config"},
          std::pair{"XDG_CACHE_HOME", "cache"}, std::pair{"XDG_RUNTIME_DIR", "runtime"},
          std::pair{"TMPDIR", "tmp"}, std::pair{"QUORVEL_TEST_LOG", "log"},
          std::pair{"PATH", "bin"}}) {
        environment.insert(name, root + folder);
    }
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    if (!setup.qtGlibLoop) {
        environment.insert("QT_NO_GLIB", "1");
    }
    if (setup.bus == Bus::HangingService) {
        environment.insert(closeVariable, root + "log.hanging");
        QVERIFY(writeFile(root + "data/dbus-1/services/" + browserName + ".service",
                          "[D-BUS Service]\nName=" + QByteArray(browserName) + "\nExec=" + bin +
                              "/hang\n"));
    }
    environment.insert("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + root + "no-bus");
    if (setup.bus != Bus::None) {
        // A bus of the row's own, whose services are looked up in the row's XDG folders.
        sessionBus_ = std::make_unique<QProcess>();
        sessionBus_->setProcessEnvironment(environment);
        sessionBus_->start(QStandardPaths::findExecutable("dbus-daemon"),
                           {"--session", "--nofork", "--print-address=1"});
        QTRY_VERIFY(sessionBus_->canReadLine());
        environment.insert("DBUS_SESSION_BUS_ADDRESS", sessionBus_->readLine().trimmed());
    }
    // Files created even for a moment, as a probe file would be.
    QFileSystemWatcher watcher({root + "tmp", root + "cwd"});
    QSignalSpy writes(&watcher, &QFileSystemWatcher::directoryChanged);

    QProcess child;
    child.setProcessEnvironment(environment);
    child.setWorkingDirectory(root + "cwd");
    child.start(QCoreApplication::applicationFilePath(), {openLinkFlag});
    QVERIFY(child.waitForFinished(childTimeoutMs));
    QCOMPARE(child.exitCode(), 0);
    QCOMPARE(child.readAllStandardOutput(), output);
    const QByteArray errors = child.readAllStandardError();
    QVERIFY2(!errors.contains("CRITICAL"), errors.constData());

    QFile recorded(root + "log");
    if (log.isEmpty()) {
        QTest::qWait(notStartedWaitMs);
        QVERIFY2(!recorded.exists(), "a program was started");
    } else {
        QTRY_VERIFY(recorded.exists());
        QVERIFY(recorded.open(QIODevice::ReadOnly));
        QCOMPARE(recorded.readAll(), log);
    }
    QCoreApplication::processEvents();
    QCOMPARE(writes.count(), 0);
}

int main(int argc, char* argv[])
{
    if (argc == 2 && qstrcmp(argv[1], openLinkFlag) == 0) {
        return openLink(argc, argv);
    }
    QCoreApplication app(argc, argv);
    GioPlatformTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_gioplatform.moc"
