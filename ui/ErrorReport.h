#pragma once

#include <QString>

class QWidget;

// The one way the program shows an error: an error box titled with the program's name and text as it is.
void ShowError(QWidget* parent, const QString& text);

// The top-level error report: ShowError with ErrorReportText of the error's text.
void ReportError(QWidget* parent, const QString& text);

// The report's text: text with a full stop added when its last character comes after "." in
// character order.
QString ErrorReportText(const QString& text);
