#include "planner/editor/rule_lookup.h"

#include "core/model.h"

namespace rules {

void refuse(const QString& message)
{
    gCheckOk = 0;
    gText = message;
}

bool isSubject(int subject) { return subject >= 1 && subject < gSubjectAttr.upper(0); }
bool isClass(int cls) { return cls >= 1 && cls <= gClassNames.upper(0); }

short property(int subject, int column) { return isSubject(subject) ? gSubjectAttr(subject, column) : 0; }

QString shortName(int subject) { return isSubject(subject) ? gSubjectNames(subject, 1) : QString::number(subject); }
QString longName(int subject) { return isSubject(subject) ? gSubjectNames(subject, 0) : QString::number(subject); }
QString className(int cls) { return gClassNames(cls).toString(); }

short lesson(int day, int period, int cls, int row) { return gTimetable(day, period, cls, row); }
short fixation(int day, int period, int cls, int row) { return gFixations(day, period, cls, row); }

bool holds(int day, int period, int cls, int subject)
{
    return lesson(day, period, cls, 0) == subject || lesson(day, period, cls, 1) == subject;
}
bool isEmpty(int day, int period, int cls)
{
    return lesson(day, period, cls, 0) == 0 && lesson(day, period, cls, 1) == 0;
}

}
