#pragma once

#include "tests/support/CaptionChecks.h"

#include <QString>
#include <functional>

class QDialog;
class QWidget;

// Runs a dialog modally, as the main window does, with body acting inside the dialog's event loop. A
// body that fails or leaves the dialog open has it rejected afterwards, so a fault never blocks the run.
int ExecWith(QDialog& dialog, const std::function<void()>& body);

// Fails the current test when the window does not stand centred on its screen's available area.
void VerifyCentredOnScreen(const QWidget& window);

// Fails the current test when a test left a window visible.
void VerifyNoWindowLeftOpen();
