#include "window/appicon.h"

#include "window/pictureresource.h"

#include <QPixmap>

namespace quorvel {

namespace {
// The name the desktop entry and the installed hicolor icon go by.
const char* const themeIconName = "org.quorvel.Quorvel";
// The drawings the build compiles in, for where the icon is not installed (the build tree,
// Windows): one PNG a size, the sizes as the build lists them.
const char* const drawingPath = ":/icons/icon-%1.png";
constexpr int drawnSides[] = {QUORVEL_WINDOW_ICON_SIDES};
} // namespace

QIcon applicationIcon()
{
    QIcon drawn;
    for (const int side : drawnSides) {
        // Kept as drawn, not premultiplied: X11 is handed these very pixels.
        drawn.addPixmap(QPixmap::fromImage(readPng(QString::fromLatin1(drawingPath).arg(side)),
                                           Qt::NoFormatConversion));
    }
    return QIcon::fromTheme(QString::fromLatin1(themeIconName), drawn);
}

} // namespace quorvel
