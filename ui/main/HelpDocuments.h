#pragma once

class QWidget;

// The help documents in the Help folder of the program folder, opened with the desktop's default
// handler. When a document cannot be opened, an error box over parent says so.
void OpenGettingStarted(QWidget* parent);
void OpenUserManual(QWidget* parent);
