// scalelogo IN OUT WIDTH HEIGHT: scales the drawn logo to the size of its place with Qt's own
// smooth scaling, the one the window used to apply at every paint, so the stored logo shows
// exactly as before. Built and run by make-logo.sh only.

#include <QImage>
#include <cstdlib>

int main(int argc, char* argv[])
{
    if (argc != 5) {
        return 2;
    }
    const QImage drawn(QString::fromLocal8Bit(argv[1]));
    // Premultiplied, as a pixmap holds it; scaled unpremultiplied, edges would differ.
    const QImage placed = drawn.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                              .scaled(std::atoi(argv[3]), std::atoi(argv[4]), Qt::IgnoreAspectRatio,
                                      Qt::SmoothTransformation);
    // An opaque logo is stored without an alpha channel, which is cheaper to decode.
    const QImage opaque = placed.convertToFormat(QImage::Format_RGB32);
    const bool isOpaque = opaque.convertToFormat(placed.format()) == placed;
    const QImage& stored = isOpaque ? opaque : placed;
    return !drawn.isNull() && stored.save(QString::fromLocal8Bit(argv[2]), "PNG") ? 0 : 1;
}
