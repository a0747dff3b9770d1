#include "resources/Pictures.h"

#include <QString>
#include <array>

using namespace Qt::Literals::StringLiterals;

// The resource file lives in a static library; registering it here makes every user of a picture
// pull it into the program. Outside any namespace, as the registration macro requires.
static void registerPictures() {
    static const bool registered = [] {
        Q_INIT_RESOURCE(pictures);
        return true;
    }();
    Q_UNUSED(registered);
}

namespace {

QIcon picture(const QString& name) {
    registerPictures();
    return QIcon(u":/pictures/"_s + name);
}

} // namespace

namespace Pictures {

QIcon ToolbarPicture(int index) {
    static const std::array<QString, 10> names = {
        u"new.svg"_s,      u"open.svg"_s, u"save.svg"_s, u"saveas.svg"_s,    u"properties.svg"_s,
        u"download.svg"_s, u"test.svg"_s, u"help.svg"_s, u"keylabels.svg"_s, u"setport.svg"_s};
    if (index < 0 || index >= static_cast<int>(names.size()))
        return {};
    return picture(names[static_cast<std::size_t>(index)]);
}

QIcon LevelImage(int index) {
    switch (index) {
    case 1: return picture(u"shiftlevel.svg"_s);
    case 2: return picture(u"togglelevel.svg"_s);
    default: return {};
    }
}

// ManualEntry.cpp
QIcon InsertPicture() {
    return picture(u"insert.svg"_s);
}

QIcon ProgramIcon() {
    return picture(u"keywright24.svg"_s);
}

} // namespace Pictures
