#include "resources/Pictures.h"

#include "resources/RawPicture.h"
#include "tests/support/GuiTest.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// Whether any pixel of the image is not fully transparent.
bool drawsSomething(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 0)
                return true;
    return false;
}

} // namespace

class PicturesTest : public QObject {
    Q_OBJECT
private slots:
    void everyPictureIsThereAtEachSize_data();
    void everyPictureIsThereAtEachSize();
    void indexesOutsideTheListsGiveNoPicture();
    void plainPicturesKeepTheirPixels();
    void malformedPlainPicturesAreRefused_data();
    void malformedPlainPicturesAreRefused();
};

void PicturesTest::everyPictureIsThereAtEachSize_data() {
    QTest::addColumn<QIcon>("icon");
    QTest::addColumn<QList<int>>("sides");
    const QList<int> oneAndTwoTimes{16, 32};
    for (int index = 0; index < 11; ++index)
        QTest::addRow("toolbar %d", index) << Pictures::ToolbarPicture(index) << oneAndTwoTimes;
    QTest::newRow("shift level") << Pictures::LevelImage(1) << oneAndTwoTimes;
    QTest::newRow("toggle level") << Pictures::LevelImage(2) << oneAndTwoTimes;
    QTest::newRow("insert") << Pictures::InsertPicture() << oneAndTwoTimes;
    QTest::newRow("program icon") << Pictures::ProgramIcon() << QList<int>{16, 32, 48, 64};
}

void PicturesTest::everyPictureIsThereAtEachSize() {
    QFETCH(QIcon, icon);
    QFETCH(QList<int>, sides);
    QList<QSize> expected;
    for (const int side : sides)
        expected << QSize(side, side);
    QCOMPARE(icon.availableSizes(), expected);
    for (const QSize& size : expected) {
        const QImage image = icon.pixmap(size).toImage();
        QCOMPARE(image.size(), size);
        QVERIFY2(drawsSomething(image), qPrintable(u"nothing drawn at %1"_s.arg(size.width())));
    }
}

void PicturesTest::indexesOutsideTheListsGiveNoPicture() {
    for (const int index : {-1, 11, 1000})
        QVERIFY(Pictures::ToolbarPicture(index).isNull());
    for (const int index : {0, 3, -2})
        QVERIFY(Pictures::LevelImage(index).isNull());
    QVERIFY(Pictures::ReadPicture(u":/pictures/no such picture"_s).isNull());
}

void PicturesTest::plainPicturesKeepTheirPixels() {
    QImage original(3, 2, QImage::Format_ARGB32_Premultiplied);
    const QList<QRgb> colours{qRgba(255, 0, 0, 255),  qRgba(0, 0, 0, 0),         qRgba(0, 128, 255, 255),
                              qRgba(10, 20, 30, 255), qRgba(255, 255, 255, 255), qRgba(0, 0, 0, 0)};
    for (int i = 0; i < colours.size(); ++i)
        original.setPixel(i % 3, i / 3, colours[i]);
    const QByteArray bytes = RawPicture::Encode(original);
    QCOMPARE(bytes.size(), 8 + 3 * 2 * 4);
    const QImage decoded = RawPicture::Decode(reinterpret_cast<const unsigned char*>(bytes.constData()),
                                              std::size_t(bytes.size()));
    QCOMPARE(decoded.convertToFormat(QImage::Format_ARGB32_Premultiplied), original);
}

void PicturesTest::malformedPlainPicturesAreRefused_data() {
    QTest::addColumn<QByteArray>("bytes");
    QImage one(1, 1, QImage::Format_ARGB32_Premultiplied);
    one.fill(Qt::red);
    const QByteArray whole = RawPicture::Encode(one);
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("header only") << whole.left(8);
    QTest::newRow("a pixel short") << whole.chopped(1);
    QTest::newRow("a byte too many") << whole + 'x';
    QTest::newRow("another mark") << QByteArray(whole).replace(0, 4, "PNG\x89");
    QTest::newRow("no width") << QByteArray("KWPX\0\0\1\0", 8);
    QTest::newRow("wider than allowed") << QByteArray("KWPX\x01\x10\1\0", 8) + QByteArray(4097 * 4, '\0');
}

void PicturesTest::malformedPlainPicturesAreRefused() {
    QFETCH(QByteArray, bytes);
    QVERIFY(RawPicture::Decode(reinterpret_cast<const unsigned char*>(bytes.constData()),
                               std::size_t(bytes.size()))
                .isNull());
}

KW24_GUI_TEST(PicturesTest);

#include "PicturesTest.moc"
