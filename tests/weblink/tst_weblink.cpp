#include "weblink/browserplatform.h"
#include "weblink/warningsink.h"
#include "weblink/weblink.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

using namespace quorvel;

namespace {

const QString browser = QStringLiteral("/opt/fake/browser");
const QByteArray probeLine = QByteArrayLiteral("\"<HTML> <\\HTML>\"\r\n");
const QByteArray othersContent = QByteArrayLiteral("someone else's");

// Entries someone else could have planted at predictable names in the temporary directory.
const QStringList plantedFiles{"temphtm.HTM", "quorvel.htm"};
const QStringList plantedLinks{"temphtm.htm", "quorvel-XXXXXX.htm"};
constexpr char danglingLink[] = "quorvel-000000.htm";

QStringList entries(const QString& directory)
{
    return QDir(directory).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot,
                                     QDir::Name);
}

bool writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Plays both the platform and the user, recording what the link asked of each and what the
// temporary directory held at the time.
class FakeDesktop : public BrowserPlatform, public WarningSink {
public:
    explicit FakeDesktop(QString directory) : directory_(std::move(directory)) {}

    std::optional<QString> program;
    bool startSucceeds = true;
    QStringList filesLookedUp;
    QByteArray fileContent;
    int htmlLookups = 0;
    QList<QStringList> starts;   // the program, then its arguments
    QList<QStringList> warnings; // title, then text
    QStringList entriesWhileWarning;

    std::optional<QString> programForFile(const QString& filePath) override
    {
        filesLookedUp << filePath;
        fileContent = QFileInfo(filePath).isSymLink() ? QByteArray() : readFile(filePath);
        return program;
    }
    std::optional<QString> programForHtml() override
    {
        ++htmlLookups;
        return program;
    }
    bool startDetached(const QString& started, const QStringList& arguments) override
    {
        starts << (QStringList{started} + arguments);
        return startSucceeds;
    }
    void warn(const QString& title, const QString& text) override
    {
        warnings << QStringList{title, text};
        entriesWhileWarning = entries(directory_);
    }

private:
    QString directory_;
};

enum class TempDirectory { Usable, Missing, NotADirectory };

} // namespace

class WebLinkTest : public QObject {
    Q_OBJECT

private slots:
    void open_data();
    void open();
};

void WebLinkTest::open_data()
{
    QTest::addColumn<TempDirectory>("tempDirectory");
    QTest::addColumn<bool>("browserFound");
    QTest::addColumn<bool>("browserStarts");
    QTest::addColumn<QStringList>("warning");

    const QStringList none;
    const QStringList notFound{"Browser Not Found", "Could not find associated Browser"};
    const QStringList notOpened{"URL Failed", "Web Page not Opened"};
    QTest::newRow("browser started") << TempDirectory::Usable << true << true << none;
    QTest::newRow("no browser for the file") << TempDirectory::Usable << false << false << notFound;
    QTest::newRow("browser fails to start") << TempDirectory::Usable << true << false << notOpened;
    QTest::newRow("missing temp dir, browser by type")
        << TempDirectory::Missing << true << true << none;
    QTest::newRow("temp dir is a file, browser by type")
        << TempDirectory::NotADirectory << true << true << none;
    QTest::newRow("missing temp dir, no browser by type")
        << TempDirectory::Missing << false << false << notFound;
    QTest::newRow("missing temp dir, browser fails to start")
        << TempDirectory::Missing << true << false << notOpened;
}

void WebLinkTest::open()
{
    QFETCH(TempDirectory, tempDirectory);
    QFETCH(bool, browserFound);
    QFETCH(bool, browserStarts);
    QFETCH(QStringList, warning);

    const QTemporaryDir root;
    QVERIFY(root.isValid());
    const QString directory = root.filePath("tmp");
    const QString linkTarget = root.filePath("target");
    QVERIFY(writeFile(linkTarget, othersContent));
    if (tempDirectory == TempDirectory::NotADirectory)
        QVERIFY(writeFile(directory, othersContent));
    QStringList planted;
    if (tempDirectory == TempDirectory::Usable) {
        QVERIFY(QDir(root.path()).mkdir("tmp"));
        for (const QString& name : plantedFiles)
            QVERIFY(writeFile(QDir(directory).filePath(name), othersContent));
        for (const QString& name : plantedLinks)
            QVERIFY(QFile::link(linkTarget, QDir(directory).filePath(name)));
        QVERIFY(QFile::link(root.filePath("nowhere"), QDir(directory).filePath(danglingLink)));
        planted = entries(directory);
    }
    FakeDesktop desktop(directory);
    if (browserFound)
        desktop.program = browser;
    desktop.startSucceeds = browserStarts;

    WebLink(desktop, desktop, directory).open(makersWebAddress);

    QCOMPARE(desktop.warnings,
             warning.isEmpty() ? QList<QStringList>() : QList<QStringList>{warning});
    const QList<QStringList> startedOnce{{browser, QString(makersWebAddress)}};
    QCOMPARE(desktop.starts, browserFound ? startedOnce : QList<QStringList>());
    if (tempDirectory == TempDirectory::Usable) {
        QCOMPARE(desktop.htmlLookups, 0);
        QCOMPARE(desktop.filesLookedUp.size(), 1);
        const QFileInfo probe(desktop.filesLookedUp.first());
        QCOMPARE(probe.absolutePath(), directory);
        QVERIFY(probe.fileName().endsWith(".htm"));
        QVERIFY(!planted.contains(probe.fileName()));
        QCOMPARE(desktop.fileContent, probeLine);
        if (!warning.isEmpty())
            QVERIFY(desktop.entriesWhileWarning.contains(probe.fileName()));
    } else {
        QCOMPARE(desktop.htmlLookups, 1);
        QVERIFY(desktop.filesLookedUp.isEmpty());
    }
    // Only the probe is gone: what others planted is neither written through nor removed, and
    // neither the missing directory nor the dangling link's file has been created.
    QCOMPARE(entries(directory), planted);
    for (const QString& name : planted)
        if (name != danglingLink)
            QCOMPARE(readFile(QDir(directory).filePath(name)), othersContent);
    const QStringList rootEntries = tempDirectory == TempDirectory::Missing
                                        ? QStringList{"target"}
                                        : QStringList{"target", "tmp"};
    QCOMPARE(entries(root.path()), rootEntries);
}

QTEST_GUILESS_MAIN(WebLinkTest)
#include "tst_weblink.moc"
