#include "model/KeyTable.h"
#include "ui/ControlPlacement.h"
#include "ui/main/MainWindow.h"
#include "ui/main/OnScreenKey.h"

#include <QFrame>
#include <QLabel>
#include <array>

using namespace Qt::Literals::StringLiterals;

namespace {

using Colour = TOnScreenKey::Colour;
using Symbol = TOnScreenKey::Symbol;

enum class Kind { Key, Modifier, Hidden };

// One button of the on-screen keyboard: its name, the key code it carries as its tag, its place in
// the window, its legend (a second line is the unshifted character under the shifted one), colour and
// hint.
struct OnScreenKeyRow {
    const char16_t* name;
    int tag;
    int left;
    int top;
    int width;
    int height;
    const char16_t* legend;
    Colour colour;
    Kind kind = Kind::Key;
    Symbol symbol = Symbol::None;
    const char16_t* hint = u"";
};

constexpr int W = 25; // the usual key size
constexpr Colour G = Colour::Green;
constexpr Colour Y = Colour::Grey;
constexpr const char16_t* CtrlHint = u"Use Ctrl+Key to enter ASCII control codes";

// clang-format off
constexpr std::array<OnScreenKeyRow, 86> OnScreenKeys = {{
    {u"SpeedButton105", DelayKeyCode, 512, 285, 29, 27, u"Insert\nDelay", Y, Kind::Key, Symbol::None, u"3 byte Delay command"},
    {u"spdBtnEsc",        1,  18, 290, W, W, u"Esc", G},
    {u"SpeedButton25",   59,  70, 290, W, W, u"F1", Y, Kind::Hidden},
    {u"SpeedButton26",   60,  96, 290, W, W, u"F2", Y, Kind::Hidden},
    {u"SpeedButton28",   61, 122, 290, W, W, u"F3", Y, Kind::Hidden},
    {u"SpeedButton29",   62, 148, 290, W, W, u"F4", Y, Kind::Hidden},
    {u"SpeedButton27",   63, 187, 290, W, W, u"F5", Y, Kind::Hidden},
    {u"SpeedButton53",   64, 213, 290, W, W, u"F6", Y, Kind::Hidden},
    {u"SpeedButton54",   65, 239, 290, W, W, u"F7", Y, Kind::Hidden},
    {u"SpeedButton55",   66, 265, 290, W, W, u"F8", Y, Kind::Hidden},
    {u"SpeedButton51",   67, 304, 290, W, W, u"F9", Y, Kind::Hidden},
    {u"SpeedButton52",   68, 330, 290, W, W, u"F10", Y, Kind::Hidden},
    {u"SpeedButton49",   84, 356, 290, W, W, u"F11", Y, Kind::Hidden},

    {u"SpeedButton30",   41,  18, 322, W, W, u"~\n`", G},
    {u"SpeedButton31",    2,  44, 322, W, W, u"!\n1", G},
    {u"SpeedButton32",    3,  70, 322, W, W, u"@\n2", G},
    {u"SpeedButton33",    4,  96, 322, W, W, u"#\n3", G},
    {u"SpeedButton36",    5, 122, 322, W, W, u"$\n4", G},
    {u"SpeedButton37",    6, 148, 322, W, W, u"%\n5", G},
    {u"SpeedButton34",    7, 174, 322, W, W, u"^\n6", G},
    {u"SpeedButton35",    8, 200, 322, W, W, u"&\n7", G},
    {u"SpeedButton41",    9, 226, 322, W, W, u"*\n8", G},
    {u"SpeedButton42",   10, 252, 322, W, W, u"(\n9", G},
    {u"SpeedButton43",   11, 278, 322, W, W, u")\n0", G},
    {u"SpeedButton44",   12, 304, 322, W, W, u"_\n-", G},
    {u"SpeedButton39",   13, 330, 322, W, W, u"+\n=", G},
    {u"SpeedButton40",   14, 356, 322, 51, W, u"Backspace", Y, Kind::Key, Symbol::None,
     u"Click to add BS character, use keyboard to erase"},
    {u"SpeedButton67",  100, 514, 322, W, W, u"Del", Y, Kind::Key, Symbol::None,
     u"Click to add DEL character, use keyboard to erase"},
    {u"SpeedButton46",   88, 539, 322, W, W, u"/", G},
    {u"SpeedButton47",   55, 565, 322, W, W, u"*", G},
    {u"SpeedButton45",   74, 591, 322, W, W, u"-", G},

    {u"SpeedButton58",   15,  18, 348, 38, W, u"Tab", G, Kind::Key, Symbol::TabArrows},
    {u"SpeedButton97",   16,  57, 348, W, W, u"Q", G},
    {u"SpeedButton59",   17,  83, 348, W, W, u"W", G},
    {u"SpeedButton60",   18, 109, 348, W, W, u"E", G},
    {u"SpeedButton65",   19, 135, 348, W, W, u"R", G},
    {u"SpeedButton66",   20, 161, 348, W, W, u"T", G},
    {u"SpeedButton61",   21, 187, 348, W, W, u"Y", G},
    {u"SpeedButton64",   22, 213, 348, W, W, u"U", G},
    {u"SpeedButton69",   23, 239, 348, W, W, u"I", G},
    {u"SpeedButton70",   24, 265, 348, W, W, u"O", G},
    {u"SpeedButton71",   25, 291, 348, W, W, u"P", G},
    {u"SpeedButton72",   26, 317, 348, W, W, u"{\n[", G},
    {u"SpeedButton68",   27, 343, 348, W, W, u"}\n]", G},
    {u"SpeedButton94",   43, 369, 348, 38, W, u"|\n\\", G},
    {u"SpeedButton77",   71, 513, 348, W, W, u"7", G},
    {u"SpeedButton73",   72, 539, 348, W, W, u"8", G},
    {u"SpeedButton74",   73, 565, 348, W, W, u"9", G},
    {u"SpeedButton90",   78, 591, 348, W, 51, u"+", G},

    {u"spdbtnCapsLock",  58,  18, 374, 44, W, u"Caps\nLock", Y, Kind::Modifier},
    {u"SpeedButton79",   30,  63, 374, W, W, u"A", G},
    {u"SpeedButton80",   31,  89, 374, W, W, u"S", G},
    {u"SpeedButton83",   32, 115, 374, W, W, u"D", G},
    {u"SpeedButton84",   33, 141, 374, W, W, u"F", G},
    {u"SpeedButton81",   34, 167, 374, W, W, u"G", G},
    {u"SpeedButton82",   35, 193, 374, W, W, u"H", G},
    {u"SpeedButton86",   36, 219, 374, W, W, u"J", G},
    {u"SpeedButton87",   37, 245, 374, W, W, u"K", G},
    {u"SpeedButton88",   38, 271, 374, W, W, u"L", G},
    {u"SpeedButton89",   39, 297, 374, W, W, u":\n;", G},
    {u"SpeedButton85",   40, 323, 374, W, W, u"\"\n'", G},
    {u"SpeedButton95",   28, 349, 374, 58, W, u"Enter", G, Kind::Key, Symbol::EnterArrow},
    {u"SpeedButton96",   75, 513, 374, W, W, u"4", G},
    {u"SpeedButton91",   76, 539, 374, W, W, u"5", G},
    {u"SpeedButton92",   77, 565, 374, W, W, u"6", G},

    {u"sbtnLShift",      42,  18, 400, 58, W, u"Shift", G, Kind::Modifier, Symbol::ShiftArrow},
    {u"SpeedButton99",   44,  77, 400, W, W, u"Z", G},
    {u"SpeedButton100",  45, 103, 400, W, W, u"X", G},
    {u"SpeedButton103",  46, 129, 400, W, W, u"C", G},
    {u"SpeedButton104",  47, 155, 400, W, W, u"V", G},
    {u"SpeedButton101",  48, 181, 400, W, W, u"B", G},
    {u"SpeedButton102",  49, 207, 400, W, W, u"N", G},
    {u"SpeedButton109",  50, 233, 400, W, W, u"M", G},
    {u"SpeedButton110",  51, 259, 400, W, W, u"<\n,", G},
    {u"SpeedButton111",  52, 285, 400, W, W, u">\n.", G},
    {u"SpeedButton112",  53, 311, 400, W, W, u"?\n/", G},
    {u"sbtnRShift",      54, 337, 400, 70, W, u"Shift", Y, Kind::Modifier, Symbol::ShiftArrow},
    {u"SpeedButton120",  79, 513, 400, W, W, u"1", G},
    {u"SpeedButton115",  80, 539, 400, W, W, u"2", G},
    {u"SpeedButton116",  81, 565, 400, W, W, u"3", G},
    {u"SpeedButton129",  86, 591, 400, W, 51, u"Ent", G},

    {u"sbtnLCtrl",       29,  18, 426, 38, W, u"Ctrl", Y, Kind::Modifier, Symbol::None, CtrlHint},
    {u"SpeedButton93",   57, 135, 426, 116, W, u"", G},
    {u"sbtnRCtrl",       87, 369, 426, 38, W, u"Ctrl", Y, Kind::Modifier, Symbol::None, CtrlHint},
    {u"SpeedButton136",  82, 513, 426, 51, W, u"0", G},
    {u"SpeedButton132",  83, 565, 426, W, W, u".\nDel", G},
}};
// clang-format on

QString text(const char16_t* characters) {
    return QString::fromUtf16(characters);
}

} // namespace

void TfrmMain::CreateOnScreenKeyboard() {
    Panel1 = Place(new QFrame(this), u"Panel1"_s, {52, 289, 349, 27});
    // A styled panel draws all four edges on any palette; a plain sunken one loses two on a light one.
    Panel1->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    Label2 = Place(new QLabel(u"Click on any key below or type on PC keyboard (green keys only)"_s, Panel1),
                   u"Label2"_s, Panel1->contentsRect());
    Label2->setAlignment(Qt::AlignCenter);

    for (const OnScreenKeyRow& row : OnScreenKeys) {
        auto* key = Place(new TOnScreenKey(row.tag, text(row.legend), row.colour, row.symbol, this),
                          text(row.name), {row.left, row.top, row.width, row.height});
        key->setToolTip(text(row.hint));
        if (row.kind == Kind::Hidden)
            key->hide();
        if (row.kind == Kind::Modifier) {
            key->setCheckable(true);
            connect(key, &TOnScreenKey::clicked, this, [this, key] { sbtnLShiftClick(key); });
        } else {
            connect(key, &TOnScreenKey::clicked, this, [this, key] { spdBtnEscClick(key); });
        }
    }
    sbtnLShift = findChild<QToolButton*>(u"sbtnLShift"_s, Qt::FindDirectChildrenOnly);
    sbtnRShift = findChild<QToolButton*>(u"sbtnRShift"_s, Qt::FindDirectChildrenOnly);
    sbtnLCtrl = findChild<QToolButton*>(u"sbtnLCtrl"_s, Qt::FindDirectChildrenOnly);
    sbtnRCtrl = findChild<QToolButton*>(u"sbtnRCtrl"_s, Qt::FindDirectChildrenOnly);
    spdbtnCapsLock = findChild<QToolButton*>(u"spdbtnCapsLock"_s, Qt::FindDirectChildrenOnly);
}
