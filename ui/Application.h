#pragma once

#include "ui/ErrorReport.h"
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
