#include "window/pictureresource.h"

#include <QImageReader>
#include <QResource>
#include <bit>

namespace quorvel {

namespace {
const char* const pngFormat = "png";
constexpr int bytesPerRawPixel = 4;

void readAsPng(QImageReader& reader)
{
    reader.setFormat(pngFormat);
    reader.setAutoDetectImageFormat(false);
}
} // namespace

QImage readPng(const QString& path)
{
    QImageReader reader(path);
    readAsPng(reader);
    return reader.read();
}

QSize pngSize(const QString& path)
{
    QImageReader reader(path);
    readAsPng(reader);
    return reader.size();
}

QImage readRawPixels(const QString& path, QSize size)
{
    const QResource resource(path);
    const qint64 rowBytes = qint64(size.width()) * bytesPerRawPixel;
    if (size.isEmpty() || !resource.isValid() ||
        resource.compressionAlgorithm() != QResource::NoCompression ||
        resource.size() != rowBytes * size.height()) {
        return {};
    }
    // The bytes stay in the program's resources for its lifetime, so the image can show them
    // where they are, as long as its rows are word-aligned.
    const uchar* bytes = resource.data();
    if constexpr (std::endian::native == std::endian::little) {
        const QImage pixels(bytes, size.width(), size.height(), rowBytes, QImage::Format_RGB32);
        const bool aligned = reinterpret_cast<quintptr>(bytes) % alignof(quint32) == 0;
        return aligned ? pixels : pixels.copy();
    } else {
        // Read in byte order, red and blue change places.
        return QImage(bytes, size.width(), size.height(), rowBytes, QImage::Format_RGBX8888)
            .rgbSwapped();
    }
}

} // namespace quorvel
