#include "platform/collate.h"

#include <QCollator>

namespace collate {
int compare(const QString& a, const QString& b)
{
    static const QCollator collator = [] {
        QCollator c(QLocale(QLocale::German, QLocale::Germany));
        c.setCaseSensitivity(Qt::CaseInsensitive);
        c.setIgnorePunctuation(false);
        c.setNumericMode(false);
        return c;
    }();
    return collator.compare(a, b);
}
}
