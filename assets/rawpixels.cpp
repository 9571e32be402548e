// rawpixels IN OUT: writes the pixels of the opaque picture IN to OUT as the window draws them,
// so that the program shows them without decoding: row after row, each pixel four bytes, blue,
// green, red and 255 (a 32-bit 0xffRRGGBB word, least significant byte first), no header. The
// reader takes the size from the place the picture fills. Run by the build.

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
    const QImage picture(QString::fromLocal8Bit(argv[1]));
    if (picture.isNull() || picture.hasAlphaChannel()) {
        std::fprintf(stderr, "rawpixels: %s is not an opaque picture\n", argv[1]);
        return 1;
    }
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    std::vector<unsigned char> bytes;
    bytes.reserve(std::size_t(rgb.width()) * std::size_t(rgb.height()) * 4);
    for (int y = 0; y < rgb.height(); ++y) {
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb pixel = rgb.pixel(x, y);
            bytes.insert(bytes.end(), {static_cast<unsigned char>(qBlue(pixel)),
                                       static_cast<unsigned char>(qGreen(pixel)),
                                       static_cast<unsigned char>(qRed(pixel)), 255});
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
