#include "window/appearance.h"

#include "window/colors.h"

#include <QApplication>
#include <QFont>
#include <QStyleFactory>
#include <QToolTip>

namespace quorvel {

namespace {
// The window is laid out for these metrics: Arial's on Windows, and its metric twin elsewhere;
// the generic sans-serif stands in where it is missing.
#ifdef Q_OS_WIN
const char* const fontFamily = "Arial";
#else
const char* const fontFamily = "Liberation Sans";
#endif
constexpr int fontPointSize = 8;
const char* const styleName = "Windows";
} // namespace

void applyAppearance(QApplication& app)
{
    if (auto* style = QStyleFactory::create(styleName)) {
        QApplication::setStyle(style);
    }
    QFont font(fontFamily, fontPointSize);
    font.setStyleHint(QFont::SansSerif);
    app.setFont(font);
    // The window keeps its light scheme on a dark desktop, and so do its tooltips, menus and
    // message boxes, which take their colours from the application rather than the window.
    QApplication::setPalette(lightScheme());
    QToolTip::setPalette(lightScheme());
    // The display name follows the application name; set apart, Qt would append it to every
    // window title, the warnings' included.
    app.setApplicationName("Quorvel");
}

} // namespace quorvel
