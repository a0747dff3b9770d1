#pragma once

class QString;

// Records in the settings file in userFolder that the startup prompt is not to be shown again, creating
// userFolder and its parent folder when they are missing. Every other key of the file is kept. Throws
// FileError when a folder cannot be created or the file cannot be read or written.
void HideStartupPromptFromNowOn(const QString& userFolder);
