#include "register/class_search.h"

#include "core/model.h"

int FindClassNumber(const QString& name)
{
    int found = 0;
    if (name.isEmpty())
        return found;
    for (int c = 1; c <= 24; ++c) {
        if (gClassNames(c).toString().compare(name, Qt::CaseInsensitive) == 0)
            found = c;
    }
    return found;
}
