#include "window/appicon.h"

#include "window/pictureresource.h"

#include <QIconEngine>
#include <QPixmap>

namespace quorvel {

namespace {
// The name the desktop entry and the installed hicolor icon go by.
const char* const themeIconName = "org.quorvel.Quorvel";
// The drawings the build compiles in, for where the icon is not installed (the build tree,
// Windows): one PNG a size, the sizes as the build lists them.
const char* const drawingPath = ":/icons/icon-%1.png";
constexpr int drawnSides[] = {QUORVEL_WINDOW_ICON_SIDES};

QIcon decodeDrawings()
{
    QIcon drawn;
    for (const int side : drawnSides) {
        // Kept as drawn, not premultiplied: X11 is handed these very pixels.
        drawn.addPixmap(QPixmap::fromImage(readPng(QString::fromLatin1(drawingPath).arg(side)),
                                           Qt::NoFormatConversion));
    }
    return drawn;
}

// The drawings, decoded when the icon is first asked for a picture or its sizes. Qt's own icon
// takes them only decoded (it decodes a file as it is given it): at start-up that took 2.8
// million instructions and 0.3 MiB before the first frame, in vain where the installed theme
// has the icon or the window system takes none. Once decoded, Qt's icon answers every question.
class DrawingsEngine : public QIconEngine {
public:
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return drawings().pixmap(size, 1.0, mode, state);
    }

    // Asked for at a pixel ratio above 1 the size comes multiplied by it, as Qt's icon passes
    // it on to its engine.
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override
    {
        return drawings().pixmap(size / scale, scale, mode, state);
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        drawings().paint(painter, rect, Qt::AlignCenter, mode, state);
    }

    // What the pixmap for the size is: the drawing covering it, brought down to fit.
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return pixmap(size, mode, state).size();
    }

    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return drawings().availableSizes(mode, state);
    }

    bool isNull() override { return false; }
    QString key() const override { return QStringLiteral("quorvel.drawings"); }
    QIconEngine* clone() const override { return new DrawingsEngine(*this); }

private:
    const QIcon& drawings()
    {
        if (drawings_.isNull()) {
            drawings_ = decodeDrawings();
        }
        return drawings_;
    }

    QIcon drawings_;
};

} // namespace

QIcon applicationIcon()
{
    return QIcon::fromTheme(QString::fromLatin1(themeIconName), QIcon(new DrawingsEngine));
}

} // namespace quorvel
