#include "window/pngresource.h"

#include <QImageReader>

namespace quorvel {

namespace {
const char* const pngFormat = "png";

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

} // namespace quorvel
