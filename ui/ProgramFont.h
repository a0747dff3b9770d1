#pragma once

#include <QFont>
#include <QStringList>

// The face every window is laid out for: a sans-serif with Arial's widths. Asked for by name, in the
// order the desktop most likely has one, so the choice does not hang on one alias rule of the desktop;
// without any of them the desktop's sans-serif is used and captions shrink to fit.
inline QStringList ProgramFontFamilies() {
    using namespace Qt::Literals::StringLiterals;
    return {u"Liberation Sans"_s, u"Arial"_s, u"Arimo"_s};
}

// The program's font at the given pixel size; every window uses it at 11 pixels.
//
// Text is drawn with the font's own glyphs and advances, without OpenType shaping, as the desktop's
// classic text drawing does; scripts that cannot be read without shaping (Arabic, the Indic scripts)
// are still shaped. Shaping was most of the cost of laying out text, which the overview and the
// preview do for long runs of codes on every typed character.
inline QFont ProgramFont(int pixelSize = 11) {
    QFont font;
    font.setFamilies(ProgramFontFamilies());
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}
