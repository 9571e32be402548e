#include "window/appicon.h"

#include <QImage>
#include <QTest>

// The icon shows the pixels of the drawings the build made, so these check that what it gives is
// the drawing made for the size, or the nearest larger one brought down.
class AppIconTest : public QObject {
    Q_OBJECT

private slots:
    void offersEveryDrawnSize();
    void givesTheDrawingForEachSize_data();
    void givesTheDrawingForEachSize();
};

void AppIconTest::offersEveryDrawnSize()
{
    const QIcon icon = quorvel::applicationIcon();
    QVERIFY(!icon.isNull());
    QList<int> sides;
    for (const QSize& size : icon.availableSizes()) {
        QCOMPARE(size.width(), size.height());
        sides.append(size.width());
    }
    QCOMPARE(sides, (QList<int>{16, 22, 24, 32, 48, 64, 128}));
}

void AppIconTest::givesTheDrawingForEachSize_data()
{
    QTest::addColumn<int>("asked");
    QTest::addColumn<int>("drawing");

    QTest::newRow("16, drawn for its pixels") << 16 << 16;
    QTest::newRow("22, cut from the 24 drawing") << 22 << 22;
    QTest::newRow("48") << 48 << 48;
    QTest::newRow("128, the largest") << 128 << 128;
    QTest::newRow("20, from the next larger") << 20 << 22;
    QTest::newRow("256, the largest as it is") << 256 << 128;
}

void AppIconTest::givesTheDrawingForEachSize()
{
    QFETCH(int, asked);
    QFETCH(int, drawing);

    // Compared as pixmaps hold pictures, premultiplied.
    const auto pixels = [](const QImage& image) {
        return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    };
    const QImage drawn(QStringLiteral(QUORVEL_ICON_PNG_DIR "/icon-%1.png").arg(drawing));
    QVERIFY(!drawn.isNull());
    // The icon keeps its drawings as they are stored, not premultiplied, and brings them down
    // as stored.
    const QImage expected = pixels(
        asked < drawing ? drawn.scaled(asked, asked, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                        : drawn);
    const QIcon icon = quorvel::applicationIcon();
    const QImage given = pixels(icon.pixmap(QSize(asked, asked)).toImage());
    QCOMPARE(given, expected);
}

QTEST_MAIN(AppIconTest)
#include "tst_appicon.moc"
