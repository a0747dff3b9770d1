#include "resources/Pictures.h"

#include "resources/RawPicture.h"

#include <QResource>
#include <array>

using namespace Qt::Literals::StringLiterals;

namespace {

// A picture at its own size and, for high-density screens, at twice its size.
QIcon picture(const QString& name) {
    QIcon icon;
    for (const QString& file : {name, name + u"@2x"_s})
        icon.addPixmap(Pictures::ReadPicture(u":/pictures/"_s + file)); // a null pixmap is not added
    return icon;
}

} // namespace

namespace Pictures {

QPixmap ReadPicture(const QString& resourcePath) {
    const QResource resource(resourcePath);
    // The pictures are stored uncompressed, so their pixels are used where they lie: kept in their own
    // format, the pixmap shares them instead of holding a converted copy.
    if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression)
        return {};
    return QPixmap::fromImage(RawPicture::Decode(resource.data(), static_cast<std::size_t>(resource.size())),
                              Qt::NoFormatConversion);
}

QIcon ToolbarPicture(int index) {
    static const std::array<QString, 11> names = {u"new"_s,        u"open"_s,     u"save"_s,    u"saveas"_s,
                                                  u"properties"_s, u"download"_s, u"test"_s,    u"help"_s,
                                                  u"keylabels"_s,  u"setport"_s,  u"overview"_s};
    if (index < 0 || index >= static_cast<int>(names.size()))
        return {};
    return picture(names[static_cast<std::size_t>(index)]);
}

QIcon LevelImage(int index) {
    switch (index) {
    case 1: return picture(u"shiftlevel"_s);
    case 2: return picture(u"togglelevel"_s);
    default: return {};
    }
}

// ManualEntry.cpp
QIcon InsertPicture() {
    return picture(u"insert"_s);
}

// The window icon, up to 64 pixels: larger sizes come from the installed scalable icon, which the
// desktop finds through the program's desktop entry.
QIcon ProgramIcon() {
    QIcon icon;
    for (const int size : {16, 32, 48, 64})
        icon.addPixmap(ReadPicture(u":/pictures/keywright24-%1"_s.arg(size)));
    return icon;
}

} // namespace Pictures
