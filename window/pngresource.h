#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace quorvel {

// The program's pictures are PNG files in its resources. Read by these, they go straight to
// the PNG reader: a reader left to detect the format would first load and ask every image
// plug-in, even with the format named.

/// The picture at the resource path, or a null image if it cannot be read.
QImage readPng(const QString& path);

/// The picture's size from its header alone, or an invalid size if it cannot be read.
QSize pngSize(const QString& path);

} // namespace quorvel
