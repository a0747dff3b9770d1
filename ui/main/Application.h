#pragma once

#include "ui/ProgramFont.h"

#include <QApplication>
#include <QString>

// The program's application object. An error that a command does not handle itself ends that
// command and is shown here, in the top-level error report; the program then goes on.
class TKeywright24Application final : public QApplication {
    Q_OBJECT
public:
    TKeywright24Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

// The one way the program shows an error: an error box titled with the program's name and text as it is.
void ShowError(QWidget* parent, const QString& text);

// The top-level error report: ShowError with ErrorReportText of the error's text.
void ReportError(QWidget* parent, const QString& text);

// The report's text: text with a full stop added when its last character comes after "." in
// character order.
QString ErrorReportText(const QString& text);
