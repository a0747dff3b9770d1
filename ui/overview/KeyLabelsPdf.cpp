#include "ui/overview/KeyLabelsPdf.h"

#include "platform/UserSettings.h"
#include "ui/ProgramFont.h"

#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextLayout>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr double PointsPerMm = 72.0 / 25.4;
constexpr double TextMarginMm = 1.0;
constexpr double CutMarkMm = 1.5;
constexpr double LargestTextPt = 9.0;      // on labels of the default size; larger labels scale it up
constexpr double SmallestReadablePt = 5.0; // no label text is drawn smaller
constexpr double SizeStepPt = 0.25;

// A text broken into lines at one font size.
struct FittedText {
    QFont font;
    QStringList lines;
    bool whole = true; // false when the text had to be cut short
};

class TSheet final {
public:
    explicit TSheet(QPdfWriter& writer)
        : fPainter(&writer)
        , fDotsPerMm(writer.resolution() / 25.4)
        , fDevice(&writer) {}

    bool isActive() const { return fPainter.isActive(); }
    double px(double mm) const { return mm * fDotsPerMm; }
    QRectF rect(double x, double y, double w, double h) const { return {px(x), px(y), px(w), px(h)}; }

    // text in box, as large as largestPt and the box's height allow. A text too wide for one line goes
    // onto more lines, broken at its blanks, before it is drawn smaller; a word too long for a line is
    // broken between two characters rather than drawn below SmallestReadablePt. What still does not fit
    // at that size is cut short with an ellipsis. False when the text had to be cut short.
    bool fitText(const QString& text, const QRectF& box, Qt::Alignment align, QColor colour, double largestPt,
                 bool bold = false) {
        if (text.isEmpty())
            return true;
        QFont font = ProgramFont();
        font.setBold(bold);
        const FittedText fitted = fit(text, font, box, std::min(largestPt, toPoints(box.height()) * 0.8));
        const double lineHeight = QFontMetricsF(fitted.font, fDevice).height();
        const double height = lineHeight * static_cast<double>(fitted.lines.size());
        double y = box.top();
        if (align & Qt::AlignBottom)
            y = box.bottom() - height;
        else if (align & Qt::AlignVCenter)
            y = box.center().y() - height / 2;
        fPainter.setFont(fitted.font);
        fPainter.setPen(colour);
        for (const QString& line : fitted.lines) {
            fPainter.drawText(QRectF(box.left(), y, box.width(), lineHeight),
                              (align & Qt::AlignHorizontal_Mask) | Qt::AlignTop | Qt::TextDontClip, line);
            y += lineHeight;
        }
        return fitted.whole;
    }

    void line(double x1, double y1, double x2, double y2) {
        fPainter.drawLine(QPointF(px(x1), px(y1)), QPointF(px(x2), px(y2)));
    }
    QPainter& painter() { return fPainter; }

private:
    double toPoints(double dots) const { return dots / fDotsPerMm * PointsPerMm; }

    // The largest size from startPt down at which text fits box: whole words first, then words broken
    // anywhere, down to SmallestReadablePt; below that, cut short at SmallestReadablePt.
    FittedText fit(const QString& text, QFont font, const QRectF& box, double startPt) const {
        const double smallest = std::min(startPt, SmallestReadablePt);
        for (const auto mode : {QTextOption::WordWrap, QTextOption::WrapAtWordBoundaryOrAnywhere})
            for (double size = startPt; size >= smallest; size -= SizeStepPt) {
                font.setPointSizeF(size);
                const QStringList lines = breakLines(text, font, box.width(), mode);
                if (fits(lines, font, box))
                    return {font, lines, true};
            }
        font.setPointSizeF(smallest);
        return cutShort(text, font, box);
    }

    // Where each line of text starts when it is broken to width with font.
    QList<qsizetype> lineStarts(const QString& text, const QFont& font, double width,
                                QTextOption::WrapMode mode) const {
        QTextLayout layout(text, font, fDevice);
        QTextOption option;
        option.setWrapMode(mode);
        layout.setTextOption(option);
        QList<qsizetype> starts;
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            starts << line.textStart();
        }
        layout.endLayout();
        return starts;
    }

    QStringList breakLines(const QString& text, const QFont& font, double width,
                           QTextOption::WrapMode mode) const {
        const QList<qsizetype> starts = lineStarts(text, font, width, mode);
        QStringList lines;
        for (qsizetype i = 0; i < starts.size(); ++i) {
            const qsizetype end = i + 1 < starts.size() ? starts[i + 1] : text.size();
            lines << text.mid(starts[i], end - starts[i]).trimmed();
        }
        return lines;
    }

    bool fits(const QStringList& lines, const QFont& font, const QRectF& box) const {
        const QFontMetricsF metrics(font, fDevice);
        if (metrics.height() * static_cast<double>(lines.size()) > box.height())
            return false;
        return std::all_of(lines.begin(), lines.end(), [&](const QString& line) {
            return metrics.horizontalAdvance(line) <= box.width();
        });
    }

    // As many lines as box holds (at least one), the last one ending in an ellipsis.
    FittedText cutShort(const QString& text, const QFont& font, const QRectF& box) const {
        const QFontMetricsF metrics(font, fDevice);
        const auto room = std::max<qsizetype>(1, static_cast<qsizetype>(box.height() / metrics.height()));
        const auto mode = QTextOption::WrapAtWordBoundaryOrAnywhere;
        QStringList lines = breakLines(text, font, box.width(), mode);
        if (lines.size() > room) {
            const QString rest = text.mid(lineStarts(text, font, box.width(), mode)[room - 1]);
            lines = lines.mid(0, room - 1);
            lines << metrics.elidedText(rest, Qt::ElideRight, box.width());
        }
        return {font, lines, false};
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

std::optional<std::vector<LabelText>> WriteKeyLabelsPdf(QIODevice& device,
                                                        const std::array<KeyLabel, KeyCount>& labels,
                                                        QSizeF labelMm, const QString& title) {
    QPdfWriter writer(&device);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setTitle(title);
    writer.setCreator(u"Keywright24"_s);
    TSheet sheet(writer);
    if (!sheet.isActive())
        return std::nullopt;

    const double pageWidth = QPageSize(QPageSize::A4).size(QPageSize::Millimeter).width();
    const double w = labelMm.width();
    const double h = labelMm.height();
    const double left = (pageWidth - (4 * w + 3 * LabelGapMm)) / 2;
    sheet.fitText(title, sheet.rect(left, SheetTopMm - 14, 4 * w + 3 * LabelGapMm, 5),
                  Qt::AlignLeft | Qt::AlignBottom, Qt::black, LargestTextPt, true);
    sheet.fitText(u"%1 x %2 mm. Print at actual size (100 %), then cut at the marks."_s.arg(w).arg(h),
                  sheet.rect(left, SheetTopMm - 9, 4 * w + 3 * LabelGapMm, 4),
                  Qt::AlignLeft | Qt::AlignBottom, Qt::black, LargestTextPt);
    // Labels larger than the default give their text room to grow in proportion.
    const double largest = LargestTextPt * std::max(1.0, std::min(w / DefaultKeyLabelMm.width(),
                                                                  h / DefaultKeyLabelMm.height()));

    std::vector<LabelText> cutShort;

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
                          label.type == ktShift ? QColor(0xcc, 0x10, 0x10) : QColor(0x10, 0x30, 0xcc),
                          largest, true);
        }
        for (int level = 0; level < LevelCount; ++level)
            if (!sheet.fitText(QString::fromStdString(label.lines[static_cast<std::size_t>(level)]),
                               sheet.rect(x + TextMarginMm, y + TextMarginMm + level * lineHeight,
                                          textWidth - (level == 0 ? mark : 0.0), lineHeight),
                               Qt::AlignHCenter | Qt::AlignVCenter, Qt::black, largest))
                cutShort.push_back({key, level});
    }
    if (!sheet.painter().end())
        return std::nullopt;
    return cutShort;
}
