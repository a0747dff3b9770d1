#pragma once

#include <QString>
#include <QStringList>

// The file dialog name filters of a filter written as description and pattern pairs with "|" between
// all items ("Text (*.txt)|*.txt|All Files (*.*)|*.*"). Each pair becomes "description (patterns)",
// the patterns separated by blanks; "*.*" becomes "*", so that it matches every file on every system.
// The dialogs show only the descriptions. A description without a pattern is dropped.
QStringList NameFiltersFromPairs(const QString& pairs);
