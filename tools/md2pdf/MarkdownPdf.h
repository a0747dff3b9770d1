#pragma once

#include <QString>

// How a Markdown document becomes a PDF.
struct PdfOptions {
    // The document's title: the PDF's title and the left part of every page's footer.
    QString title;
};

// Writes the Markdown file at markdownPath (GitHub dialect, HTML taken as text) as an A4 PDF at pdfPath.
// Every level-one heading after the first starts a new page; a heading, a paragraph ending in ":", a
// single line of a paragraph and a single item of a list never stand apart at a page's foot or head. A
// paragraph that reads "[contents]" becomes a table of the level-one and level-two headings with their
// page numbers. Pictures are looked for beside the Markdown file; a picture named "*@2x.png" is drawn at
// half its pixel size, and no picture is wider than the text. Returns an empty text on success,
// otherwise what went wrong (a missing picture is an error too).
QString WriteMarkdownPdf(const QString& markdownPath, const QString& pdfPath, const PdfOptions& options);
