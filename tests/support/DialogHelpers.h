#pragma once

#include <QString>
#include <functional>

class QDialog;
class QWidget;

// Runs a dialog modally, as the main window does, with body acting inside the dialog's event loop. A
// body that fails or leaves the dialog open has it rejected afterwards, so a fault never blocks the run.
int ExecWith(QDialog& dialog, const std::function<void()>& body);

// Fails the current test when a caption of any control in window does not fit the control in the font in
// use, or a control reaches outside its parent.
void VerifyEveryControlFits(const QWidget& window);

// Fails the current test when the window does not stand centred on its screen's available area.
void VerifyCentredOnScreen(const QWidget& window);

// Fails the current test when a test left a window visible.
void VerifyNoWindowLeftOpen();
