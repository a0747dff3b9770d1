#include "ui/ErrorReport.h"

#include "platform/MessageBox.h"
#include "platform/ProgramName.h"

void ShowError(QWidget* parent, const QString& text) {
    MessageBox::error(parent, ProgramName, text);
}

void ReportError(QWidget* parent, const QString& text) {
    ShowError(parent, ErrorReportText(text));
}

QString ErrorReportText(const QString& text) {
    if (!text.isEmpty() && text.back() > u'.')
        return text + u'.';
    return text;
}
