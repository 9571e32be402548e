#include <QFile>
#include <QProcess>
#include <QtTest>

namespace {

constexpr int firstFrameTimeoutMs = 20000;

} // namespace

// What the shipped program must not map before its first frame: the browser platform's system
// libraries, loaded once the link is clicked (most runs never click it), and the image
// plug-ins, which only a reader left to detect a picture's format loads.
class NotMappedTest : public QObject {
    Q_OBJECT

private slots:
    void startsWithout_data();
    void startsWithout();
};

void NotMappedTest::startsWithout_data()
{
    QTest::addColumn<QByteArray>("path");

    QTest::newRow("GIO") << QByteArray("/libgio-2.0");
    QTest::newRow("image plug-ins") << QByteArray("/imageformats/");
}

void NotMappedTest::startsWithout()
{
    QFETCH(QByteArray, path);

    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // The probe writes a byte once the first frame is painted, and lets the program go on.
    environment.insert("LD_PRELOAD", QUORVEL_FIRST_FRAME_PROBE);
    environment.insert("QUORVEL_FIRST_FRAME", "stay");
    // Under AddressSanitizer the probe is preloaded ahead of the sanitizer's runtime, which
    // would otherwise refuse to start; the probe itself allocates nothing it checks.
    environment.insert("ASAN_OPTIONS", environment.value("ASAN_OPTIONS") +
                                           QStringLiteral(":verify_asan_link_order=0"));
    program.setProcessEnvironment(environment);
    program.start(QUORVEL_PROGRAM, {});
    QVERIFY(program.waitForReadyRead(firstFrameTimeoutMs));

    QFile maps(QStringLiteral("/proc/%1/maps").arg(program.processId()));
    QVERIFY(maps.open(QIODevice::ReadOnly));
    const QByteArray mapped = maps.readAll();
    program.kill();
    program.waitForFinished();
    QVERIFY(mapped.contains("libQt6Widgets"));
    QVERIFY2(!mapped.contains(path), path + " is mapped at start-up");
}

QTEST_GUILESS_MAIN(NotMappedTest)
#include "tst_notmapped.moc"
