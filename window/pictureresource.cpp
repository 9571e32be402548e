#include "window/pictureresource.h"

#include <QImageReader>
#include <QResource>
#include <bit>

namespace quorvel {

namespace {
const char* const pngFormat = "png";
constexpr int bytesPerRawPixel = 4;
} // namespace

QImage readPng(const QString& path)
{
    QImageReader reader(path);
    reader.setFormat(pngFormat);
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

QImage readRawPixels(const QString& path, QSize size, QImage::Format format)
{
    const QResource resource(path);
    const qint64 rowBytes = qint64(size.width()) * bytesPerRawPixel;
    const bool known = format == QImage::Format_RGB32 || format == QImage::Format_ARGB32;
    if (!known || size.isEmpty() || !resource.isValid() ||
        resource.compressionAlgorithm() != QResource::NoCompression ||
        resource.size() != rowBytes * size.height()) {
        return {};
    }
    // The bytes stay in the program's resources for its lifetime, so the image can show them
    // where they are, as long as its rows are word-aligned.
    const uchar* bytes = resource.data();
    if constexpr (std::endian::native == std::endian::little) {
        const QImage pixels(bytes, size.width(), size.height(), rowBytes, format);
        const bool aligned = reinterpret_cast<quintptr>(bytes) % alignof(quint32) == 0;
        return aligned ? pixels : pixels.copy();
    } else {
        // Read in byte order, red and blue change places.
        const auto byteOrder =
            format == QImage::Format_RGB32 ? QImage::Format_RGBX8888 : QImage::Format_RGBA8888;
        return QImage(bytes, size.width(), size.height(), rowBytes, byteOrder).rgbSwapped();
    }
}

} // namespace quorvel
