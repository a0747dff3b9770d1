#include "ui/overview/KeyLabelsPdf.h"

#include "ui/ProgramFont.h"

#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr double PointsPerMm = 72.0 / 25.4;
constexpr double TextMarginMm = 1.0;
constexpr double CutMarkMm = 1.5;
constexpr double LargestTextPt = 9.0;
constexpr double SmallestWrappedPt = 4.0;

class TSheet final {
public:
    explicit TSheet(QPdfWriter& writer)
        : fPainter(&writer)
        , fDotsPerMm(writer.resolution() / 25.4)
        , fDevice(&writer) {}

    bool isActive() const { return fPainter.isActive(); }
    double px(double mm) const { return mm * fDotsPerMm; }
    QRectF rect(double x, double y, double w, double h) const { return {px(x), px(y), px(w), px(h)}; }

    // text in box, as large as LargestTextPt and the box's height allow. A text too wide for one line
    // is broken at its blanks onto more lines when that keeps it at a readable size; otherwise it is
    // drawn on one line, as much smaller as it needs to fit.
    void fitText(const QString& text, const QRectF& box, int flags, QColor colour, bool bold = false) {
        if (text.isEmpty())
            return;
        QFont font = ProgramFont();
        font.setBold(bold);
        double size = std::min(LargestTextPt, box.height() / fDotsPerMm * PointsPerMm * 0.8);
        font.setPointSizeF(size);
        const double width = QFontMetricsF(font, fDevice).horizontalAdvance(text);
        if (width > box.width()) {
            const double oneLine = size * box.width() / width * 0.98;
            const double wrapped = text.contains(u' ') ? wrappedSize(text, font, box) : 0.0;
            if (wrapped > oneLine) {
                size = wrapped;
                flags |= Qt::TextWordWrap;
            } else {
                size = oneLine;
            }
            font.setPointSizeF(size);
        }
        fPainter.setFont(font);
        fPainter.setPen(colour);
        fPainter.drawText(box, flags | Qt::TextDontClip, text);
    }

    void line(double x1, double y1, double x2, double y2) {
        fPainter.drawLine(QPointF(px(x1), px(y1)), QPointF(px(x2), px(y2)));
    }
    QPainter& painter() { return fPainter; }

private:
    // The largest size down to SmallestWrappedPt at which text broken at its blanks fits box; 0 when
    // none does.
    double wrappedSize(const QString& text, QFont font, const QRectF& box) const {
        for (double size = font.pointSizeF(); size >= SmallestWrappedPt; size -= 0.25) {
            font.setPointSizeF(size);
            const QRectF needed =
                QFontMetricsF(font, fDevice)
                    .boundingRect(QRectF(0, 0, box.width(), 1e6), Qt::TextWordWrap | Qt::AlignHCenter, text);
            if (needed.width() <= box.width() && needed.height() <= box.height())
                return size;
        }
        return 0.0;
    }

    QPainter fPainter;
    double fDotsPerMm;
    QPaintDevice* fDevice;
};

void drawCutMarks(TSheet& sheet, double x, double y, double w, double h) {
    QPen pen(Qt::black);
    pen.setWidthF(sheet.px(0.1));
    sheet.painter().setPen(pen);
    const double gap = 0.5;
    for (const double cx : {x, x + w})
        for (const double cy : {y, y + h}) {
            const double dx = cx == x ? -1 : 1;
            const double dy = cy == y ? -1 : 1;
            sheet.line(cx + dx * gap, cy, cx + dx * (gap + CutMarkMm), cy);
            sheet.line(cx, cy + dy * gap, cx, cy + dy * (gap + CutMarkMm));
        }
    QPen outline(QColor(0xc8, 0xc8, 0xc8));
    outline.setWidthF(sheet.px(0.1));
    sheet.painter().setPen(outline);
    sheet.painter().drawRect(sheet.rect(x, y, w, h));
}

} // namespace

bool WriteKeyLabelsPdf(QIODevice& device, const std::array<KeyLabel, KeyCount>& labels, QSizeF labelMm,
                       const QString& title) {
    QPdfWriter writer(&device);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setTitle(title);
    writer.setCreator(u"Keywright24"_s);
    TSheet sheet(writer);
    if (!sheet.isActive())
        return false;

    const double pageWidth = QPageSize(QPageSize::A4).size(QPageSize::Millimeter).width();
    const double w = labelMm.width();
    const double h = labelMm.height();
    const double left = (pageWidth - (4 * w + 3 * LabelGapMm)) / 2;
    sheet.fitText(title, sheet.rect(left, SheetTopMm - 14, 4 * w + 3 * LabelGapMm, 5),
                  Qt::AlignLeft | Qt::AlignBottom, Qt::black, true);
    sheet.fitText(u"%1 x %2 mm. Print at actual size (100 %), then cut at the marks."_s.arg(w).arg(h),
                  sheet.rect(left, SheetTopMm - 9, 4 * w + 3 * LabelGapMm, 4),
                  Qt::AlignLeft | Qt::AlignBottom, Qt::black);

    for (int key = 0; key < KeyCount; ++key) {
        const KeyLabel& label = labels[static_cast<std::size_t>(key)];
        const double x = left + (key % 4) * (w + LabelGapMm);
        const double y = SheetTopMm + (key / 4) * (h + LabelGapMm);
        drawCutMarks(sheet, x, y, w, h);
        const double lineHeight = (h - 2 * TextMarginMm) / 2;
        const double textWidth = w - 2 * TextMarginMm;
        const double mark = label.type != ktNormal ? std::min(w, h) / 4 : 0.0;
        if (label.type != ktNormal) {
            // The mark takes the top right corner; the level 1 text keeps clear of it.
            sheet.fitText(label.type == ktShift ? u"S"_s : u"T"_s,
                          sheet.rect(x + w - TextMarginMm - mark, y + TextMarginMm / 2, mark, mark),
                          Qt::AlignRight | Qt::AlignTop,
                          label.type == ktShift ? QColor(0xcc, 0x10, 0x10) : QColor(0x10, 0x30, 0xcc), true);
        }
        for (int level = 0; level < LevelCount; ++level)
            sheet.fitText(QString::fromStdString(label.lines[static_cast<std::size_t>(level)]),
                          sheet.rect(x + TextMarginMm, y + TextMarginMm + level * lineHeight,
                                     textWidth - (level == 0 ? mark : 0.0), lineHeight),
                          Qt::AlignHCenter | Qt::AlignVCenter, Qt::black);
    }
    return sheet.painter().end();
}
