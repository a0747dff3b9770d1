#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

// The program's pictures. They are drawn from SVG drawings when the program is built, at one and two
// times their size, so they stay sharp on high-density screens and cost no decoding at run time.
namespace Pictures {

// The toolbar's picture list: 0 New, 1 Open, 2 Save, 3 Save As, 4 Properties, 5 Download, 6 Test,
// 7 Help, 8 Key Labels, 9 Set Port, 10 View. Any other index gives a null icon.
QIcon ToolbarPicture(int index);

// The key-type pictures, numbered by key type: 1 the red S of a shift-level key, 2 the blue T of a
// toggle-level key. Any other index gives a null icon.
QIcon LevelImage(int index);

// ManualEntry.cpp: the manual entry box's insert button, a blue arrow pointing right with a red plus.
QIcon InsertPicture();
// The program's own icon, as the desktop shows it.
QIcon ProgramIcon();

// One of the program's plain pictures from the resources. A null pixmap when there is none there.
QPixmap ReadPicture(const QString& resourcePath);

} // namespace Pictures
