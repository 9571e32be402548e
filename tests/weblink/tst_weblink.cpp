#include "weblink/browserplatform.h"
#ifndef _WIN32
#include "weblink/modulebrowserplatform.h"
#endif
#include "weblink/weblink.h"

#include <QDir>
#include <QtTest>
#include <memory>

using namespace quorvel;

namespace {

using Outcome = BrowserPlatform::Outcome;
enum class Answer { AtOnce, Later, AfterClosing };

const QString address = QStringLiteral("https://www.example.org/site");

// Records what the link asked; answers at once or when the test says.
class FakePlatform : public BrowserPlatform {
public:
    Answer answer = Answer::AtOnce;
    Outcome outcome = Outcome::Started;
    int opened = 0;
    int cancels = 0;
    Done done;

    void open(const QString& url, Done answered) override
    {
        opened += url == address ? 1 : 0;
        done = std::move(answered);
        if (answer == Answer::AtOnce) {
            reply();
        }
    }
    void cancel() override
    {
        ++cancels;
        done = nullptr;
    }
    void reply()
    {
        if (const Done pending = std::exchange(done, nullptr)) {
            pending(outcome);
        }
    }
};

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
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<QStringList>("warning");

    const QStringList notFound{"Browser Not Found", "Could not find associated Browser"};
    const QStringList notOpened{"URL Failed", "Web Page not Opened"};
    for (const Answer answer : {Answer::AtOnce, Answer::Later}) {
        const char* when = answer == Answer::AtOnce ? "answered at once" : "answered later";
        QTest::addRow("browser started, %s", when) << answer << Outcome::Started << QStringList();
        QTest::addRow("no browser, %s", when) << answer << Outcome::NoBrowser << notFound;
        QTest::addRow("browser fails to start, %s", when)
            << answer << Outcome::StartFailed << notOpened;
    }
    QTest::newRow("closed while pending: cancelled, nothing said")
        << Answer::AfterClosing << Outcome::StartFailed << QStringList();
}

// Two clicks: the second starts nothing while the first launch is pending.
void WebLinkTest::open()
{
    QFETCH(Answer, answer);
    QFETCH(Outcome, outcome);
    QFETCH(QStringList, warning);
    FakePlatform platform;
    platform.answer = answer;
    platform.outcome = outcome;
    QList<QStringList> warnings;
    auto link = std::make_unique<WebLink>(platform, [&](const QString& title, const QString& text) {
        warnings << QStringList{title, text};
    });

    link->open(address);
    link->open(address);
    const int clicksAnswered = answer == Answer::AtOnce ? 2 : 1;
    QCOMPARE(platform.opened, clicksAnswered);
    QCOMPARE(link->isPending(), answer != Answer::AtOnce);
    if (answer == Answer::AfterClosing) {
        link.reset();
    }
    QCOMPARE(platform.cancels, answer == Answer::AfterClosing ? 1 : 0);
    platform.reply();
    QCOMPARE(warnings, warning.isEmpty() ? QList<QStringList>()
                                         : QList<QStringList>(clicksAnswered, warning));
}

#ifndef _WIN32
void WebLinkTest::missingModuleIsAnIncompleteInstallation()
{
    ModuleBrowserPlatform platform(QDir::current().filePath("missing-module.so"));
    QStringList said;
    WebLink link(platform,
                 [&said](const QString& title, const QString& text) { said << title << text; });
    link.open(address);
    QCOMPARE(said, QStringList({"Installation Incomplete", "Could not load the Browser module"}));
}
#endif

QTEST_GUILESS_MAIN(WebLinkTest)
#include "tst_weblink.moc"
