#pragma once

class QWidget;

// Fails the current test when a caption of any named control in window does not fit the control whole
// in the font the control has, or a control reaches outside its parent.
void VerifyEveryControlFits(const QWidget& window);
