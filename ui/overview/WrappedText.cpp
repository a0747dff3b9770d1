#include "ui/overview/WrappedText.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <QTextLine>
#include <QTextOption>
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {

// The width a passage asks for before its window has one: about a line of a typical window.
constexpr int PreferredCharacters = 60;

// The first position at which text with spans may look different from the text shown before.
int firstDifference(const QString& before, const QList<QTextLayout::FormatRange>& spansBefore,
                    const QString& after, const QList<QTextLayout::FormatRange>& spansAfter) {
    const qsizetype shorter = std::min(before.size(), after.size());
    qsizetype same = 0;
    while (same < shorter && before[same] == after[same])
        ++same;
    const qsizetype spans = std::max(spansBefore.size(), spansAfter.size());
    for (qsizetype i = 0; i < spans; ++i) {
        const bool inBoth = i < spansBefore.size() && i < spansAfter.size();
        if (inBoth && spansBefore[i] == spansAfter[i])
            continue;
        int start = i < spansBefore.size() ? spansBefore[i].start : spansAfter[i].start;
        if (inBoth)
            start = std::min(spansBefore[i].start, spansAfter[i].start);
        return std::min(static_cast<int>(same), start);
    }
    return static_cast<int>(same);
}

// Whether text runs left to right throughout, so that a character's place on its line says which
// pixels are left of it.
bool leftToRightOnly(QStringView text) {
    return std::none_of(text.begin(), text.end(), [](QChar c) {
        switch (c.direction()) {
        case QChar::DirR:
        case QChar::DirAL:
        case QChar::DirRLE:
        case QChar::DirRLO:
        case QChar::DirRLI:
        case QChar::DirFSI:
        case QChar::DirAN: return true;
        default: return false;
        }
    });
}

} // namespace

TWrappedText::TWrappedText(QWidget* parent)
    : QWidget(parent) {
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    setFocusPolicy(Qt::ClickFocus); // for Ctrl+C after selecting
    setCursor(Qt::IBeamCursor);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    fLayout.setTextOption(option);
    // Keep the shaped glyphs after laying out: painting and finding where a character sits would
    // otherwise shape each line again.
    fLayout.setCacheEnabled(true);
}

void TWrappedText::SetText(const QString& text, const QList<QTextLayout::FormatRange>& spans) {
    if (text == fText && spans == fSpans)
        return;
    // Lines laid out as before and made only of characters that did not change are not painted
    // again: typing at the end of a long passage repaints its last line or two, not all of it.
    const bool shown = width() > 0 && fLaidOutWidth == width() && fAnchor == fCursor;
    std::vector<std::pair<int, int>> linesBefore;
    if (shown)
        for (int i = 0; i < fLayout.lineCount(); ++i)
            linesBefore.emplace_back(fLayout.lineAt(i).textStart(), fLayout.lineAt(i).textLength());
    const int unchangedBefore = shown ? firstDifference(fText, fSpans, text, spans) : 0;
    const int heightBefore = fLaidOutWidth < 0 ? -1 : fHeight;
    fText = text;
    fSpans = spans;
    fAnchor = fCursor = 0;
    fLaidOutWidth = -1;
    setAccessibleName(text);
    if (width() <= 0 || layOut(width()) != heightBefore)
        updateGeometry(); // for the room its new height needs
    if (!shown) {
        update();
        return;
    }
    int same = 0;
    while (same < fLayout.lineCount() && static_cast<std::size_t>(same) < linesBefore.size()) {
        const QTextLine line = fLayout.lineAt(same);
        const auto [start, length] = linesBefore[static_cast<std::size_t>(same)];
        if (line.textStart() != start || line.textLength() != length || start + length > unchangedBefore)
            break;
        ++same;
    }
    const int top =
        same < fLayout.lineCount() ? static_cast<int>(std::floor(fLayout.lineAt(same).y())) : fHeight;
    QRegion stale(QRect(0, top, width(), std::max(heightBefore, fHeight) - top));
    // The first changed line keeps its pixels left of the first changed character when it starts
    // where it started before. Its glyphs stay where they were up to there; the repaint begins a
    // character early, so a changed glyph reaching left of its place is repainted whole.
    if (same < fLayout.lineCount() && static_cast<std::size_t>(same) < linesBefore.size()) {
        const QTextLine line = fLayout.lineAt(same);
        const int changedAt = unchangedBefore - 1;
        if (line.textStart() == linesBefore[static_cast<std::size_t>(same)].first &&
            changedAt > line.textStart() && leftToRightOnly(QStringView(fText).mid(line.textStart()))) {
            const int keptWidth = static_cast<int>(std::floor(line.cursorToX(changedAt)));
            const int lineBottom = static_cast<int>(std::ceil(line.y() + line.height()));
            stale -= QRect(0, top, keptWidth, lineBottom - top);
        }
    }
    update(stale);
}

QString TWrappedText::SelectedText() const {
    const int from = std::min(fAnchor, fCursor);
    return fText.mid(from, std::max(fAnchor, fCursor) - from);
}

int TWrappedText::layOut(int width) const {
    width = std::max(width, 1);
    if (width == fLaidOutWidth)
        return fHeight;
    fLayout.setText(fText);
    fLayout.setFont(font());
    fLayout.setFormats(fSpans);
    qreal y = 0;
    fLayout.beginLayout();
    for (QTextLine line = fLayout.createLine(); line.isValid(); line = fLayout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    fLayout.endLayout();
    fLaidOutWidth = width;
    fHeight = std::max(static_cast<int>(std::ceil(y)), fontMetrics().height());
    return fHeight;
}

int TWrappedText::heightForWidth(int width) const {
    return layOut(width);
}

QSize TWrappedText::sizeHint() const {
    const int preferred = fontMetrics().averageCharWidth() * PreferredCharacters;
    return {preferred, heightForWidth(width() > 0 ? width() : preferred)};
}

QSize TWrappedText::minimumSizeHint() const {
    return {fontMetrics().averageCharWidth() * 10, fontMetrics().height()};
}

void TWrappedText::paintEvent(QPaintEvent* event) {
    layOut(width());
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    QList<QTextLayout::FormatRange> selection;
    if (fAnchor != fCursor) {
        QTextLayout::FormatRange selected;
        selected.start = std::min(fAnchor, fCursor);
        selected.length = std::abs(fAnchor - fCursor);
        selected.format.setBackground(palette().brush(QPalette::Highlight));
        selected.format.setForeground(palette().brush(QPalette::HighlightedText));
        selection << selected;
    }
    fLayout.draw(&painter, QPointF(0, 0), selection, event->rect()); // only the lines to repaint
}

int TWrappedText::cursorAt(QPoint point) const {
    layOut(width());
    for (int i = 0; i < fLayout.lineCount(); ++i) {
        const QTextLine line = fLayout.lineAt(i);
        if (point.y() < line.rect().bottom() || i + 1 == fLayout.lineCount())
            return line.xToCursor(point.x());
    }
    return 0;
}

void TWrappedText::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        fAnchor = fCursor = cursorAt(event->position().toPoint());
        update();
    }
    QWidget::mousePressEvent(event);
}

void TWrappedText::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons().testFlag(Qt::LeftButton)) {
        fCursor = cursorAt(event->position().toPoint());
        update();
    }
}

void TWrappedText::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy))
        copy();
    else if (event->matches(QKeySequence::SelectAll)) {
        fAnchor = 0;
        fCursor = static_cast<int>(fText.size());
        update();
    } else
        QWidget::keyPressEvent(event);
}

void TWrappedText::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.addAction(u"&Copy"_s, this, [this] { copy(); });
    menu.exec(event->globalPos());
}

void TWrappedText::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        fLaidOutWidth = -1;
        updateGeometry();
    }
    QWidget::changeEvent(event);
}

void TWrappedText::copy() const {
    const QString selected = SelectedText();
    QApplication::clipboard()->setText(selected.isEmpty() ? fText : selected);
}
