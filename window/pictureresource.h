#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace quorvel {

// The program's pictures in its resources: the icon's drawings and the double-size logo as PNG
// files, the logo as raw pixels. PNGs read by these go straight to the PNG reader: a reader
// left to detect the format would first load and ask every image plug-in, even with the format
// named.

/// The picture at the resource path, or a null image if it cannot be read.
QImage readPng(const QString& path);

/// The picture's size from its header alone, or an invalid size if it cannot be read.
QSize pngSize(const QString& path);

/// The opaque picture of the given size stored uncompressed as raw pixels at the resource path
/// (blue, green, red, 255, row after row), shown in place without decoding or copying; a null
/// image if the resource is missing or holds another number of pixels.
QImage readRawPixels(const QString& path, QSize size);

} // namespace quorvel
