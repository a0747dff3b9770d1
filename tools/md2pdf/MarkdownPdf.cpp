#include "tools/md2pdf/MarkdownPdf.h"

#include "ui/ProgramFont.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QPixmap>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextTable>
#include <QUrl>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int Resolution = 300;          // dots per inch of the PDF's drawing surface
constexpr qreal MarginMillimetres = 20;  // on all four sides
constexpr qreal FooterPoints = 20;       // kept free under the text for the footer
constexpr qreal BodyPoints = 10;         // the size of the body text
constexpr qreal ReferenceDpi = 96;       // picture sizes are counted in pixels of this density
constexpr qreal HeadingRoomShare = 0.12; // a heading this near a page's end moves to the next page
const QString ContentsMarker = u"[contents]"_s;

// The help documents are set in the program's face, chosen by the same names as the windows' font.
QFont helpFont(qreal points) {
    QFont font = ProgramFont();
    font.setPointSizeF(points);
    return font;
}

qreal pointsToDots(qreal points) {
    return points * Resolution / 72.0;
}

// Margins, rules, padding and tab positions in a text document's formats are given in pixels of the
// reference density; the layout scales them to the PDF's dots.
qreal pointsToPixels(qreal points) {
    return points * ReferenceDpi / 72.0;
}
qreal dotsToPixels(qreal dots) {
    return dots * ReferenceDpi / Resolution;
}

std::vector<QTextBlock> blocksOf(const QTextDocument& document) {
    std::vector<QTextBlock> blocks;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        blocks.push_back(block);
    return blocks;
}

void mergeBlockFormat(QTextDocument& document, const QTextBlock& block, const QTextBlockFormat& format) {
    QTextCursor cursor(&document);
    cursor.setPosition(block.position());
    cursor.mergeBlockFormat(format);
}

void breakPageBefore(QTextDocument& document, const QTextBlock& block) {
    QTextBlockFormat format;
    format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    mergeBlockFormat(document, block, format);
}

// A loaded resource comes as the file's bytes or, once drawn, as a picture.
QImage pictureOf(const QVariant& resource) {
    switch (resource.typeId()) {
    case QMetaType::QImage: return resource.value<QImage>();
    case QMetaType::QPixmap: return resource.value<QPixmap>().toImage();
    default: return QImage::fromData(resource.toByteArray());
    }
}

// Sizes every picture to its drawn size (half the pixels for "@2x" pictures, never wider than the
// text) and returns the names of the pictures that could not be read.
QStringList fitPictures(QTextDocument& document, qreal textWidthPixels) {
    struct Placement {
        int position;
        int length;
        QTextImageFormat format;
    };
    std::vector<Placement> placements;
    QStringList missing;
    for (const QTextBlock& block : blocksOf(document)) {
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            const QTextFragment part = fragment.fragment();
            if (!part.charFormat().isImageFormat())
                continue;
            QTextImageFormat format = part.charFormat().toImageFormat();
            const QVariant data = document.resource(QTextDocument::ImageResource, QUrl(format.name()));
            const QImage image = pictureOf(data);
            if (image.isNull()) {
                missing << format.name();
                continue;
            }
            const qreal density = format.name().endsWith(u"@2x.png"_s) ? 2.0 : 1.0;
            QSizeF size = QSizeF(image.size()) / density;
            if (size.width() > textWidthPixels)
                size *= textWidthPixels / size.width();
            format.setWidth(size.width());
            format.setHeight(size.height());
            placements.push_back({part.position(), part.length(), format});
        }
    }
    for (const Placement& placement : placements) {
        QTextCursor cursor(&document);
        cursor.setPosition(placement.position);
        cursor.setPosition(placement.position + placement.length, QTextCursor::KeepAnchor);
        cursor.setCharFormat(placement.format);
    }
    return missing;
}

// Thin grey rules between the cells of every table, a little room in them, and the header row again
// on every page a table runs onto.
void styleTables(QTextDocument& document) {
    for (QTextFrame* frame : document.rootFrame()->childFrames()) {
        auto* table = qobject_cast<QTextTable*>(frame);
        if (table == nullptr)
            continue;
        QTextTableFormat format = table->format();
        format.setBorder(pointsToPixels(0.5));
        format.setBorderBrush(QColor(150, 150, 150));
        format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        format.setBorderCollapse(true);
        format.setCellSpacing(0);
        format.setCellPadding(pointsToPixels(3));
        format.setHeaderRowCount(1);
        table->setFormat(format);
    }
}

// Lays the whole document out anew. After format changes the layout may keep stale places for the
// items of lists, which then are not drawn.
void relayout(QTextDocument& document) {
    document.markContentsDirty(0, document.characterCount());
    document.pageCount();
}

// The page, counted from 1, on which a block's first line stands.
int pageOf(const QTextDocument& document, const QTextBlock& block) {
    qreal top = document.documentLayout()->blockBoundingRect(block).top();
    if (block.layout() != nullptr && block.layout()->lineCount() > 0)
        top += block.layout()->lineAt(0).y();
    return static_cast<int>(top / document.pageSize().height()) + 1;
}

// Room above and below the headings, more for the higher levels.
void spaceHeadings(QTextDocument& document) {
    for (const QTextBlock& block : blocksOf(document)) {
        const int level = block.blockFormat().headingLevel();
        if (level == 0)
            continue;
        QTextBlockFormat format;
        format.setTopMargin(pointsToPixels(level == 1 ? 0 : level == 2 ? 16 : 10));
        format.setBottomMargin(pointsToPixels(level == 1 ? 14 : 5));
        mergeBlockFormat(document, block, format);
    }
}

// Every level-one heading after the first starts a page. A heading that would stand apart from the
// text it heads, at the foot of a page or with that text on the next page, moves to the next page.
void paginate(QTextDocument& document) {
    bool first = true;
    for (const QTextBlock& block : blocksOf(document)) {
        if (block.blockFormat().headingLevel() == 1) {
            if (!first)
                breakPageBefore(document, block);
            first = false;
        }
    }
    const qreal pageHeight = document.pageSize().height();
    bool changed = true;
    for (const QTextBlock& block : blocksOf(document)) {
        if (block.blockFormat().headingLevel() < 2 || !block.next().isValid())
            continue;
        if (changed)
            relayout(document);
        const int page = pageOf(document, block);
        const qreal onPage =
            document.documentLayout()->blockBoundingRect(block).top() - (page - 1) * pageHeight;
        changed = pageOf(document, block.next()) != page || onPage > pageHeight * (1 - HeadingRoomShare);
        if (changed)
            breakPageBefore(document, block);
    }
}

// The contents table in the making: its lines carry a stand-in page number until the document is
// paginated.
struct Contents {
    std::vector<QTextBlock> headings;
    std::vector<int> numberPositions;
};
const QString StandInNumber = u"00"_s;

// Replaces the paragraph "[contents]" by one line per chapter (level one, in bold) and section (level
// two, indented) after it, the page number at the right margin. A chapter without sections, such as
// one on the keyboard, is listed too.
Contents insertContents(QTextDocument& document) {
    Contents contents;
    QTextBlock marker;
    for (const QTextBlock& block : blocksOf(document))
        if (block.text() == ContentsMarker)
            marker = block;
    if (!marker.isValid())
        return contents;
    for (QTextBlock block = marker.next(); block.isValid(); block = block.next())
        if (const int level = block.blockFormat().headingLevel(); level == 1 || level == 2)
            contents.headings.push_back(block);

    QTextCursor cursor(&document);
    cursor.setPosition(marker.position());
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    QTextBlockFormat lineFormat = marker.blockFormat();
    lineFormat.setTabPositions(
        {QTextOption::Tab(dotsToPixels(document.pageSize().width()) - 1, QTextOption::RightTab)});
    lineFormat.setTopMargin(0);
    lineFormat.setBottomMargin(pointsToPixels(3));
    cursor.setBlockFormat(lineFormat);
    QTextBlockFormat sectionFormat = lineFormat;
    const qreal indent = pointsToPixels(12);
    sectionFormat.setLeftMargin(indent);
    // Tab positions count from the block's own left edge, so the indented lines' number stops short by
    // the indent.
    sectionFormat.setTabPositions(
        {QTextOption::Tab(dotsToPixels(document.pageSize().width()) - 1 - indent, QTextOption::RightTab)});
    QTextBlockFormat chapterFormat = lineFormat;
    chapterFormat.setTopMargin(pointsToPixels(4));
    const QTextCharFormat plain = cursor.charFormat();
    QTextCharFormat bold = plain;
    bold.setFontWeight(QFont::Bold);
    for (std::size_t i = 0; i < contents.headings.size(); ++i) {
        const bool chapter = contents.headings[i].blockFormat().headingLevel() == 1;
        if (i > 0)
            cursor.insertBlock(chapter ? chapterFormat : sectionFormat);
        else
            cursor.setBlockFormat(chapter ? lineFormat : sectionFormat);
        cursor.insertText(contents.headings[i].text() + u'\t', chapter ? bold : plain);
        contents.numberPositions.push_back(cursor.position());
        cursor.insertText(StandInNumber, chapter ? bold : plain);
    }
    return contents;
}

// Back to front, so the positions before each replacement stay valid.
void writePageNumbers(QTextDocument& document, const Contents& contents) {
    relayout(document);
    for (std::size_t i = contents.headings.size(); i-- > 0;) {
        QTextCursor number(&document);
        number.setPosition(contents.numberPositions[i]);
        number.setPosition(contents.numberPositions[i] + static_cast<int>(StandInNumber.size()),
                           QTextCursor::KeepAnchor);
        number.insertText(QString::number(pageOf(document, contents.headings[i])));
    }
}

void drawFooter(QPainter& painter, const QRectF& area, const QString& title, int page, int pages) {
    QFont font = helpFont(8);
    painter.setFont(font);
    painter.setPen(QColor(110, 110, 110));
    painter.drawLine(QPointF(area.left(), area.top()), QPointF(area.right(), area.top()));
    const QRectF text = area.adjusted(0, pointsToDots(4), 0, 0);
    painter.drawText(text, Qt::AlignLeft | Qt::AlignTop, title);
    painter.drawText(text, Qt::AlignRight | Qt::AlignTop, u"Page %1 of %2"_s.arg(page).arg(pages));
}

// Draws the laid-out document page by page, each with its footer. False when the PDF cannot be written.
bool printPages(QPdfWriter& writer, QTextDocument& document, const QString& title) {
    const QSizeF textSize = document.pageSize();
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    const int pages = document.pageCount();
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, Qt::black);
    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            writer.newPage();
        painter.save();
        // The layout draws every line of a block that reaches into the page; cut off what belongs to
        // the pages before and after.
        painter.setClipRect(QRectF(QPointF(0, 0), textSize));
        painter.translate(0, -page * textSize.height());
        context.clip = QRectF(QPointF(0, page * textSize.height()), textSize);
        document.documentLayout()->draw(&painter, context);
        painter.restore();
        drawFooter(painter,
                   QRectF(0, textSize.height() + pointsToDots(6), textSize.width(), pointsToDots(14)), title,
                   page + 1, pages);
    }
    return painter.end();
}

} // namespace

QString WriteMarkdownPdf(const QString& markdownPath, const QString& pdfPath, const PdfOptions& options) {
    QFile input(markdownPath);
    if (!input.open(QIODevice::ReadOnly))
        return u"cannot read %1: %2"_s.arg(markdownPath, input.errorString());
    const QString markdown = QString::fromUtf8(input.readAll());

    QPdfWriter writer(pdfPath);
    writer.setResolution(Resolution);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(
        QMarginsF(MarginMillimetres, MarginMillimetres, MarginMillimetres, MarginMillimetres),
        QPageLayout::Millimeter);
    writer.setTitle(options.title);
    writer.setCreator(u"Keywright24"_s);
    const QRectF paintArea = writer.pageLayout().paintRectPixels(Resolution);
    const QSizeF textSize(paintArea.width(), paintArea.height() - pointsToDots(FooterPoints));

    QTextDocument document;
    document.documentLayout()->setPaintDevice(&writer);
    QFont body = helpFont(BodyPoints);
    // Without ligatures, so the text copied or searched in a viewer reads as it was written.
    body.setStyleStrategy(QFont::PreferNoShaping);
    document.setDefaultFont(body);
    document.setDocumentMargin(0);
    document.setBaseUrl(QUrl::fromLocalFile(QFileInfo(markdownPath).absoluteDir().absolutePath() + u'/'));
    // Without HTML: a text such as "<not set>" is text, not a tag.
    document.setMarkdown(markdown, QTextDocument::MarkdownFeatures(QTextDocument::MarkdownDialectGitHub |
                                                                   QTextDocument::MarkdownNoHTML));
    document.setPageSize(textSize);

    const QStringList missing = fitPictures(document, dotsToPixels(textSize.width()));
    if (!missing.isEmpty())
        return u"cannot read the pictures %1 of %2"_s.arg(missing.join(u", "_s), markdownPath);
    styleTables(document);
    spaceHeadings(document);
    const Contents contents = insertContents(document);
    paginate(document);
    writePageNumbers(document, contents);
    relayout(document);

    if (!printPages(writer, document, options.title))
        return u"cannot write %1"_s.arg(pdfPath);
    return {};
}
