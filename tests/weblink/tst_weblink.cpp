#include "weblink/browserplatform.h"
#ifndef _WIN32
#include "weblink/modulebrowserplatform.h"
#endif
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
class FakeDesktop : public BrowserPlatform {
public:
    explicit FakeDesktop(QString directory) : directory_(std::move(directory)) {}

    Outcome webOutcome = Outcome::NoBrowser;
    Outcome outcome = Outcome::Started;
    QStringList filesLookedUp;
    QByteArray fileContent;
    int htmlLookups = 0;
    QStringList urls;            // the address of each attempt to open
    QList<QStringList> warnings; // title, then text
    QStringList entriesWhileWarning;

    Outcome openWithWebHandler(const QString& url) override
    {
        urls << url;
        return webOutcome;
    }
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
    void warn(const QString& title, const QString& text)
    {
        warnings << QStringList{title, text};
        entriesWhileWarning = entries(directory_);
    }

private:
    QString directory_;
};

// Unnamed: what QDir::tempPath() gives when TMPDIR names a folder that does not exist.
// Relative: "tmp", which exists in the working folder.
enum class TempDirectory { Usable, Missing, NotADirectory, Unnamed, Relative };

} // namespace

class WebLinkTest : public QObject {
    Q_OBJECT

private slots:
    void open_data();
    void open();
#ifndef _WIN32
    void missingModuleIsAnIncompleteInstallation();
#endif
};

void WebLinkTest::open_data()
{
    QTest::addColumn<TempDirectory>("tempDirectory");
    QTest::addColumn<Outcome>("webOutcome"); // of the web-address handler, asked first
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<QStringList>("warning");

    const QStringList none;
    const QStringList notFound{"Browser Not Found", "Could not find associated Browser"};
    const QStringList notOpened{"URL Failed", "Web Page not Opened"};
    QTest::newRow("browser started")
        << TempDirectory::Usable << Outcome::NoBrowser << Outcome::Started << none;
    QTest::newRow("no browser for the file")
        << TempDirectory::Usable << Outcome::NoBrowser << Outcome::NoBrowser << notFound;
    QTest::newRow("browser fails to start")
        << TempDirectory::Usable << Outcome::NoBrowser << Outcome::StartFailed << notOpened;
    QTest::newRow("missing temp dir, browser by type")
        << TempDirectory::Missing << Outcome::NoBrowser << Outcome::Started << none;
    QTest::newRow("temp dir is a file, browser by type")
        << TempDirectory::NotADirectory << Outcome::NoBrowser << Outcome::Started << none;
    QTest::newRow("unnamed temp dir, nothing in the working dir")
        << TempDirectory::Unnamed << Outcome::NoBrowser << Outcome::Started << none;
    QTest::newRow("missing temp dir, no browser by type")
        << TempDirectory::Missing << Outcome::NoBrowser << Outcome::NoBrowser << notFound;
    QTest::newRow("missing temp dir, browser fails to start")
        << TempDirectory::Missing << Outcome::NoBrowser << Outcome::StartFailed << notOpened;
    QTest::newRow("relative temp dir, nothing in the working dir")
        << TempDirectory::Relative << Outcome::NoBrowser << Outcome::Started << none;
    QTest::newRow("web handler started, no probe")
        << TempDirectory::Usable << Outcome::Started << Outcome::NoBrowser << none;
    QTest::newRow("web handler fails to start, no probe")
        << TempDirectory::Usable << Outcome::StartFailed << Outcome::Started << notOpened;
    QTest::newRow("browser module missing, no probe")
        << TempDirectory::Usable << Outcome::Incomplete << Outcome::Started
        << QStringList{"Installation Incomplete", "Could not load the Browser module"};
}

void WebLinkTest::open()
{
    QFETCH(TempDirectory, tempDirectory);
    QFETCH(Outcome, webOutcome);
    QFETCH(Outcome, outcome);
    QFETCH(QStringList, warning);

    const QTemporaryDir root;
    QVERIFY(root.isValid());
    const QString directory = tempDirectory == TempDirectory::Unnamed    ? QString()
                              : tempDirectory == TempDirectory::Relative ? QString("tmp")
                                                                         : root.filePath("tmp");
    const QString workingDirectory = QDir::currentPath();
    QVERIFY(QDir::setCurrent(root.path()));
    const QString linkTarget = root.filePath("target");
    QVERIFY(writeFile(linkTarget, othersContent));
    if (tempDirectory == TempDirectory::NotADirectory)
        QVERIFY(writeFile(directory, othersContent));
    if (tempDirectory == TempDirectory::Usable || tempDirectory == TempDirectory::Relative)
        QVERIFY(QDir(root.path()).mkdir("tmp"));
    QStringList planted;
    if (tempDirectory == TempDirectory::Usable) {
        for (const QString& name : plantedFiles)
            QVERIFY(writeFile(QDir(directory).filePath(name), othersContent));
        for (const QString& name : plantedLinks)
            QVERIFY(QFile::link(linkTarget, QDir(directory).filePath(name)));
        QVERIFY(QFile::link(root.filePath("nowhere"), QDir(directory).filePath(danglingLink)));
        planted = entries(directory);
    }
    FakeDesktop desktop(directory);
    desktop.webOutcome = webOutcome;
    desktop.outcome = outcome;

    WebLink(
        desktop,
        [&desktop](const QString& title, const QString& text) { desktop.warn(title, text); },
        directory)
        .open(address);
    QVERIFY(QDir::setCurrent(workingDirectory));

    QCOMPARE(desktop.warnings,
             warning.isEmpty() ? QList<QStringList>() : QList<QStringList>{warning});
    // The web-address handler is asked first; HTML files are asked about only without one.
    const bool askedAboutHtml = webOutcome == Outcome::NoBrowser;
    const QStringList attempts =
        askedAboutHtml ? QStringList{address, address} : QStringList{address};
    QCOMPARE(desktop.urls, attempts);
    if (!askedAboutHtml) {
        QCOMPARE(desktop.htmlLookups, 0);
        QVERIFY(desktop.filesLookedUp.isEmpty());
    } else if (tempDirectory == TempDirectory::Usable) {
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
        QCOMPARE(entries(QDir(root.path()).filePath(directory)), planted);
    for (const QString& name : planted)
        if (name != danglingLink)
            QCOMPARE(readFile(QDir(directory).filePath(name)), othersContent);
    const QStringList rootEntries =
        tempDirectory == TempDirectory::Missing || tempDirectory == TempDirectory::Unnamed
            ? QStringList{"target"}
            : QStringList{"target", "tmp"};
    QCOMPARE(entries(root.path()), rootEntries);
}

#ifndef _WIN32
void WebLinkTest::missingModuleIsAnIncompleteInstallation()
{
    ModuleBrowserPlatform platform(QDir::current().filePath("missing-module.so"));
    QCOMPARE(platform.openWithWebHandler(address), Outcome::Incomplete);
}
#endif

QTEST_GUILESS_MAIN(WebLinkTest)
#include "tst_weblink.moc"
