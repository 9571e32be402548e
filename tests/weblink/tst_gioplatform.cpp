#include "weblink/gioplatform.h"
#include "weblink/htmlprobefile.h"
#include "weblink/weblink.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

using namespace quorvel;

namespace {

constexpr char browserScript[] = "fake-browser";
constexpr char argumentsFile[] = "arguments";
constexpr char desktopEntry[] = "data/applications/quorvel-test-browser.desktop";

bool writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    return QDir().mkpath(QFileInfo(path).path()) && file.open(QIODevice::WriteOnly) &&
           file.write(content) == content.size();
}

} // namespace

// A throw-away XDG configuration makes a script that records its arguments the desktop's
// default program for HTML.
class GioPlatformTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void startsTheDefaultBrowser_data();
    void startsTheDefaultBrowser();
    void reportsAProgramThatCannotStart();

private:
    QTemporaryDir root_;
    GioPlatform platform_;
};

void GioPlatformTest::initTestCase()
{
    // GIO reads the XDG variables once, so they must be set before its first use.
    QVERIFY(root_.isValid());
    const QByteArray arguments = QFile::encodeName(root_.filePath(argumentsFile));
    const QString script = root_.filePath(browserScript);
    // Renamed into place once complete, so that a reader never sees half the arguments.
    QVERIFY(writeFile(script, "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" + arguments +
                                  ".part' && mv '" + arguments + ".part' '" + arguments + "'\n"));
    QVERIFY(QFile::setPermissions(script, QFile::ReadOwner | QFile::ExeOwner));
    QVERIFY(writeFile(root_.filePath(desktopEntry),
                      "[Desktop Entry]\nType=Application\nName=Test Browser\nExec=" +
                          QFile::encodeName(script) + " %u\nMimeType=text/html;\n"));
    QVERIFY(writeFile(
        root_.filePath("config/mimeapps.list"),
        "[Default Applications]\ntext/html=" + QFileInfo(desktopEntry).fileName().toUtf8() + "\n"));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(root_.filePath("config")));
    qputenv("XDG_DATA_HOME", QFile::encodeName(root_.filePath("data")));
    qunsetenv("XDG_CURRENT_DESKTOP");
}

void GioPlatformTest::init()
{
    QFile::remove(root_.filePath(argumentsFile));
}

void GioPlatformTest::startsTheDefaultBrowser_data()
{
    QTest::addColumn<bool>("byFile");
    QTest::newRow("found for an HTML file") << true;
    QTest::newRow("found for the HTML content type") << false;
}

void GioPlatformTest::startsTheDefaultBrowser()
{
    QFETCH(bool, byFile);
    const HtmlProbeFile probe(root_.path());
    QVERIFY(probe.isWritten());

    const std::optional<QString> program =
        byFile ? platform_.programForFile(probe.path()) : platform_.programForHtml();
    QVERIFY(program.has_value());
    QCOMPARE(QFileInfo(*program).canonicalFilePath(),
             QFileInfo(root_.filePath(browserScript)).canonicalFilePath());
    QVERIFY(platform_.startDetached(*program, {makersWebAddress}));

    QFile recorded(root_.filePath(argumentsFile));
    QTRY_VERIFY(recorded.exists());
    QVERIFY(recorded.open(QIODevice::ReadOnly));
    QCOMPARE(recorded.readAll(), QByteArray(makersWebAddress) + '\n');
}

void GioPlatformTest::reportsAProgramThatCannotStart()
{
    QVERIFY(!platform_.startDetached(root_.filePath("no-such-program"), {makersWebAddress}));
}

QTEST_GUILESS_MAIN(GioPlatformTest)
#include "tst_gioplatform.moc"
