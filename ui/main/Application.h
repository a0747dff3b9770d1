#pragma once

#include <QApplication>
#include "ui/ProgramFont.h"

#include <QString>

// The program's application object. An error that a command does not handle itself ends that
// command and is shown here, in the top-level error report; the program then goes on.
class TKeywright24Application final : public QApplication {
    Q_OBJECT
public:
    TKeywright24Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

// The top-level error report: an error box titled "Keywright24" with the error's text.
void ReportError(QWidget* parent, const QString& text);

// The report's text: text with a full stop added when its last character comes after "." in
// character order.
QString ErrorReportText(const QString& text);
