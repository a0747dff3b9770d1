#pragma once

#include "platform/MessageBox.h"

#include <QMetaType>

Q_DECLARE_METATYPE(MessageBox::Answer)
