#include "platform/FileFilter.h"

using namespace Qt::Literals::StringLiterals;

QStringList NameFiltersFromPairs(const QString& pairs) {
    const QStringList items = pairs.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < items.size(); i += 2) {
        QStringList patterns = items.at(i + 1).split(u';', Qt::SkipEmptyParts);
        for (QString& pattern : patterns) {
            pattern = pattern.trimmed();
            if (pattern == u"*.*"_s)
                pattern = u"*"_s;
        }
        filters << items.at(i) + u" ("_s + patterns.join(u' ') + u')';
    }
    return filters;
}
