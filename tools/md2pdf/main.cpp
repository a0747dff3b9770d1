// Turns a Markdown document into a PDF:
//   kw24_md2pdf --title TITLE INPUT.md OUTPUT.pdf
// It needs a Qt platform for its fonts; the build runs it on the offscreen platform.
#include "tools/md2pdf/MarkdownPdf.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <cstdio>

using namespace Qt::Literals::StringLiterals;

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(u"Turns a Markdown document into a PDF."_s);
    parser.addHelpOption();
    const QCommandLineOption title(u"title"_s, u"The document's title."_s, u"TITLE"_s);
    parser.addOption(title);
    parser.addPositionalArgument(u"INPUT.md"_s, u"The Markdown document."_s);
    parser.addPositionalArgument(u"OUTPUT.pdf"_s, u"The PDF to write."_s);
    parser.process(application);

    const QStringList files = parser.positionalArguments();
    if (files.size() != 2 || !parser.isSet(title)) {
        std::fputs("usage: kw24_md2pdf --title TITLE INPUT.md OUTPUT.pdf\n", stderr);
        return 2;
    }
    const QString error = WriteMarkdownPdf(files.at(0), files.at(1), PdfOptions{parser.value(title)});
    if (!error.isEmpty()) {
        std::fprintf(stderr, "kw24_md2pdf: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
