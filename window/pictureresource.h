#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace quorvel {

// The program's pictures in its resources: the logo at 100 %, shown at every start, as raw
// pixels; the double-size logo and the window icon's drawings as PNGs. PNGs read here go straight
// to the PNG reader: a reader left to detect the format would first load and ask every image
// plug-in, even with the format named.

/// The picture at the resource path, or a null image if it cannot be read.
QImage readPng(const QString& path);

/// The picture of the given size stored uncompressed as raw pixels at the resource path (blue,
/// green, red, alpha, row after row), shown in place without decoding or copying: as
/// QImage::Format_RGB32 when the picture is opaque, QImage::Format_ARGB32 when it is not. A null
/// image if the resource is missing or holds another number of pixels.
QImage readRawPixels(const QString& path, QSize size, QImage::Format format);

} // namespace quorvel
