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

using Outcome = BrowserPlatform::Outcome;

const QString address = QStringLiteral("https://www.example.org/site");
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

    Outcome outcome = Outcome::Started;
    QStringList filesLookedUp;
    QByteArray fileContent;
    int htmlLookups = 0;
    QStringList urls;            // the address of each attempt to open
    QList<QStringList> warnings; // title, then text
    QStringList entriesWhileWarning;

    Outcome openWithFileHandler(const QString& filePath, const QString& url) override
    {
        filesLookedUp << filePath;
        fileContent = QFileInfo(filePath).isSymLink() ? QByteArray() : readFile(filePath);
        urls << url;
        return outcome;
    }
    Outcome openWithHtmlHandler(const QString& url) override
    {
        ++htmlLookups;
        urls << url;
        return outcome;
    }
    void warn(const QString& title, const QString& text) override
    {
        warnings << QStringList{title, text};
        entriesWhileWarning = entries(directory_);
    }

private:
    QString directory_;
};

// Unnamed: what QDir::tempPath() gives when TMPDIR names a folder that does not exist.
enum class TempDirectory { Usable, Missing, NotADirectory, Unnamed };

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
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<QStringList>("warning");

    const QStringList none;
    const QStringList notFound{"Browser Not Found", "Could not find associated Browser"};
    const QStringList notOpened{"URL Failed", "Web Page not Opened"};
    QTest::newRow("browser started") << TempDirectory::Usable << Outcome::Started << none;
    QTest::newRow("no browser for the file")
        << TempDirectory::Usable << Outcome::NoBrowser << notFound;
    QTest::newRow("browser fails to start")
        << TempDirectory::Usable << Outcome::StartFailed << notOpened;
    QTest::newRow("missing temp dir, browser by type")
        << TempDirectory::Missing << Outcome::Started << none;
    QTest::newRow("temp dir is a file, browser by type")
        << TempDirectory::NotADirectory << Outcome::Started << none;
    QTest::newRow("unnamed temp dir, nothing in the working dir")
        << TempDirectory::Unnamed << Outcome::Started << none;
    QTest::newRow("missing temp dir, no browser by type")
        << TempDirectory::Missing << Outcome::NoBrowser << notFound;
    QTest::newRow("missing temp dir, browser fails to start")
        << TempDirectory::Missing << Outcome::StartFailed << notOpened;
}

void WebLinkTest::open()
{
    QFETCH(TempDirectory, tempDirectory);
    QFETCH(Outcome, outcome);
    QFETCH(QStringList, warning);

    const QTemporaryDir root;
    QVERIFY(root.isValid());
    const QString directory =
        tempDirectory == TempDirectory::Unnamed ? QString() : root.filePath("tmp");
    const QString workingDirectory = QDir::currentPath();
    QVERIFY(QDir::setCurrent(root.path()));
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
    desktop.outcome = outcome;

    WebLink(desktop, desktop, directory).open(address);
    QVERIFY(QDir::setCurrent(workingDirectory));

    QCOMPARE(desktop.warnings,
             warning.isEmpty() ? QList<QStringList>() : QList<QStringList>{warning});
    QCOMPARE(desktop.urls, QStringList{address});
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
    if (!directory.isEmpty())
        QCOMPARE(entries(directory), planted);
    for (const QString& name : planted)
        if (name != danglingLink)
            QCOMPARE(readFile(QDir(directory).filePath(name)), othersContent);
    const QStringList rootEntries =
        tempDirectory == TempDirectory::Usable || tempDirectory == TempDirectory::NotADirectory
            ? QStringList{"target", "tmp"}
            : QStringList{"target"};
    QCOMPARE(entries(root.path()), rootEntries);
}

QTEST_GUILESS_MAIN(WebLinkTest)
#include "tst_weblink.moc"
