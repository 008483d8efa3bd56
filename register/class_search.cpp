#include "register/class_search.h"

#include "core/model.h"
#include "register/day_file.h"

int FindClassNumber(const QString& name)
{
    int found = 0;
    if (name.isEmpty())
        return found;
    for (int c = 1; c <= 24; ++c) {
        if (IsSameClass(gClassNames(c).toString(), name))
            found = c;
    }
    return found;
}
