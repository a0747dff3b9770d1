#pragma once

#include <QList>
#include <QString>
#include <QTextLayout>
#include <QWidget>

// A read-only passage of text wrapped at the widget's width, as a word-wrapped label shows it, with
// spans of it set apart by their own format. The text can be selected with the mouse and copied
// (Ctrl+C or the context menu; with nothing selected, the whole text).
//
// It is laid out once per change of its text or width, and asks its window's layout for room again
// only when its height changes: a word-wrapped label lays its text out several times to answer the
// layout's size questions and again to paint, which made every typed character cost the preview
// several layouts of its longest lines.
class TWrappedText final : public QWidget {
public:
    explicit TWrappedText(QWidget* parent);

    // Shows text with spans, each a range of text with the format it is shown in.
    void SetText(const QString& text, const QList<QTextLayout::FormatRange>& spans = {});
    const QString& Text() const { return fText; }
    // The selected part of the text; empty when nothing is selected.
    QString SelectedText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Lays the text out at width unless it already is; returns its height.
    int layOut(int width) const;
    int cursorAt(QPoint point) const;
    void copy() const;

    QString fText;
    QList<QTextLayout::FormatRange> fSpans;
    mutable QTextLayout fLayout;
    mutable int fLaidOutWidth = -1;
    mutable int fHeight = 0;
    int fAnchor = 0; // where the selection started
    int fCursor = 0; // where it ends
};
