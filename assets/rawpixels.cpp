// rawpixels IN OUT: writes the pixels of the picture IN to OUT as the window hands them to the
// toolkit, so that the program shows them without decoding: row after row, each pixel four
// bytes, blue, green, red and alpha, not premultiplied (a 32-bit 0xAARRGGBB word, least
// significant byte first), no header. The reader knows the size. Run by the build.

#include <QImage>
#include <QString>
#include <cstdio>
#include <vector>

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: rawpixels IN OUT\n");
        return 2;
    }
    const QImage picture =
        QImage(QString::fromLocal8Bit(argv[1])).convertToFormat(QImage::Format_ARGB32);
    if (picture.isNull()) {
        std::fprintf(stderr, "rawpixels: cannot read %s\n", argv[1]);
        return 1;
    }
    std::vector<unsigned char> bytes;
    bytes.reserve(std::size_t(picture.width()) * std::size_t(picture.height()) * 4);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb pixel = picture.pixel(x, y);
            bytes.insert(bytes.end(), {static_cast<unsigned char>(qBlue(pixel)),
                                       static_cast<unsigned char>(qGreen(pixel)),
                                       static_cast<unsigned char>(qRed(pixel)),
                                       static_cast<unsigned char>(qAlpha(pixel))});
        }
    }
    std::FILE* out = std::fopen(argv[2], "wb");
    const bool written =
        out != nullptr && std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    const bool closed = out != nullptr && std::fclose(out) == 0;
    if (!written || !closed) {
        std::fprintf(stderr, "rawpixels: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
