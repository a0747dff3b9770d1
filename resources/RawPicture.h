#pragma once

#include <QByteArray>
#include <QImage>
#include <cstddef>

// The program carries its pictures as plain pixels, drawn when it is built: showing one then costs no
// decoding, which matters at start-up, where some thirty pictures are needed at once. A picture is the
// four bytes "KWPX", its width and height as two-byte little-endian numbers, then its pixels row by
// row as RGBA bytes with premultiplied alpha.
namespace RawPicture {

inline constexpr char Magic[4] = {'K', 'W', 'P', 'X'};
inline constexpr std::size_t HeaderSize = 8;
inline constexpr int LargestSide = 4096;

// The picture's bytes; empty for an image without pixels or larger than LargestSide.
inline QByteArray Encode(const QImage& image) {
    if (image.isNull() || image.width() > LargestSide || image.height() > LargestSide)
        return {};
    const QImage pixels = image.convertToFormat(QImage::Format_RGBA8888_Premultiplied);
    QByteArray bytes(Magic, sizeof Magic);
    for (const int side : {pixels.width(), pixels.height()}) {
        bytes.append(static_cast<char>(side & 0xFF));
        bytes.append(static_cast<char>(side >> 8));
    }
    const auto rowBytes = static_cast<qsizetype>(pixels.width()) * 4;
    for (int row = 0; row < pixels.height(); ++row)
        bytes.append(reinterpret_cast<const char*>(pixels.constScanLine(row)), rowBytes);
    return bytes;
}

// An image over the pixels in data, which must outlive it; a null image when data is not a whole
// picture.
inline QImage Decode(const unsigned char* data, std::size_t size) {
    if (data == nullptr || size < HeaderSize ||
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), 4) !=
            QByteArray::fromRawData(Magic, sizeof Magic))
        return {};
    const int width = data[4] | (data[5] << 8);
    const int height = data[6] | (data[7] << 8);
    if (width == 0 || height == 0 || width > LargestSide || height > LargestSide ||
        size != HeaderSize + static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4)
        return {};
    return QImage(data + HeaderSize, width, height, width * 4, QImage::Format_RGBA8888_Premultiplied);
}

} // namespace RawPicture
