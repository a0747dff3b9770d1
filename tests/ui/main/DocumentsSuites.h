#pragma once

#include "platform/MessageBox.h"

#include <QMetaType>

Q_DECLARE_METATYPE(MessageBox::Answer)
int RunDocumentCommandsTests(int argc, char** argv);
int RunExternalProgramsTests(int argc, char** argv);
