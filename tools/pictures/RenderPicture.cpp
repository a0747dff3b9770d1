// kw24_render_picture: draws an SVG drawing into a picture of the given size at build time, so that
// the program shows its pictures without parsing SVG, decoding images or loading an SVG library at
// start-up. The output is the program's plain picture (resources/RawPicture.h).
// Usage: kw24_render_picture INPUT.svg OUTPUT WIDTHxHEIGHT
#include "resources/RawPicture.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>
#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace {

bool parseSize(const QString& text, QSize& size) {
    const QStringList parts = text.split(u'x');
    if (parts.size() != 2)
        return false;
    bool widthOk = false;
    bool heightOk = false;
    size = QSize(parts[0].toInt(&widthOk), parts[1].toInt(&heightOk));
    return widthOk && heightOk && size.width() > 0 && size.height() > 0 &&
           size.width() <= RawPicture::LargestSide && size.height() <= RawPicture::LargestSide;
}

bool save(const QImage& picture, const QString& output) {
    QFile file(output);
    const QByteArray bytes = RawPicture::Encode(picture);
    return !bytes.isEmpty() && file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size() && file.flush();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fputs("usage: kw24_render_picture INPUT.svg OUTPUT WIDTHxHEIGHT\n", stderr);
        return 2;
    }
    // A drawing with text needs the fonts, and so an application; no screen is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QGuiApplication application(argc, argv);
    const QString input = QString::fromLocal8Bit(argv[1]);
    const QString output = QString::fromLocal8Bit(argv[2]);
    QSize size;
    if (!parseSize(QString::fromLatin1(argv[3]), size)) {
        std::fprintf(stderr, "kw24_render_picture: not a size: %s\n", argv[3]);
        return 2;
    }
    QSvgRenderer renderer(input);
    if (!renderer.isValid()) {
        std::fprintf(stderr, "kw24_render_picture: cannot read %s\n", argv[1]);
        return 1;
    }
    QImage picture(size, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    {
        QPainter painter(&picture);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    }
    if (!save(picture, output)) {
        std::fprintf(stderr, "kw24_render_picture: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
