#pragma once
// Helpers shared by the placement rules. Subject and class numbers in the
// subject properties, the combination table and the plan come from files
// written elsewhere; a number outside the tables names nothing.
#include <QString>

namespace rules {
// The rule refuses the placement with this message.
void refuse(const QString& message);

bool isSubject(int subject);
bool isClass(int cls);
// A subject property; 0 for a number that names no subject.
short property(int subject, int column);
// The screen short name and the long name of a subject; the number itself
// for one that names no subject.
QString shortName(int subject);
QString longName(int subject);
QString className(int cls);
// The subject and the fixation code in one group row of a class's cell.
short lesson(int day, int period, int cls, int row);
short fixation(int day, int period, int cls, int row);
// Whether either group row of the cell holds the subject; whether neither
// holds anything.
bool holds(int day, int period, int cls, int subject);
bool isEmpty(int day, int period, int cls);
}
