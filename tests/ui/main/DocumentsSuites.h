#pragma once

#include "platform/MessageBox.h"

#include <QMetaType>

Q_DECLARE_METATYPE(MessageBox::Answer)

// The suites of ui_documents_tests; main runs them all.
int RunDocumentCommandsTests(int argc, char** argv);
int RunExternalProgramsTests(int argc, char** argv);
