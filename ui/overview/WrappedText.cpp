#include "ui/overview/WrappedText.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QTextLine>
#include <QTextOption>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace {

// The width a passage asks for before its window has one: about a line of a typical window.
constexpr int PreferredCharacters = 60;

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
}

void TWrappedText::SetText(const QString& text, const QList<QTextLayout::FormatRange>& spans) {
    if (text == fText && spans == fSpans)
        return;
    const int heightBefore = fLaidOutWidth < 0 ? -1 : fHeight;
    fText = text;
    fSpans = spans;
    fAnchor = fCursor = 0;
    fLaidOutWidth = -1;
    setAccessibleName(text);
    if (width() <= 0 || layOut(width()) != heightBefore)
        updateGeometry(); // for the room its new height needs
    update();
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

void TWrappedText::paintEvent(QPaintEvent* /*event*/) {
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
    fLayout.draw(&painter, QPointF(0, 0), selection);
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
