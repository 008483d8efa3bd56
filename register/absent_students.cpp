#include "register/absent_students.h"

#include "core/model.h"
#include "platform/clock.h"
#include "register/day_file.h"

#include <QMultiHash>

#include <algorithm>

namespace {
// The students the table can hold, whatever the count says.
int studentCount()
{
    return std::clamp<int>(gStudentCount, 0, decltype(Model::gStudentAbsent)::upper());
}

// A name is matched as a line holds it: a longer name by its first 50
// characters, a character beyond the line's code page as the "?" written.
QString nameAsWritten(const Variant& name) { return TrimBlanks(FitField(name.toString(), 50)); }

// The students by their name as a line holds it: a day of thousands of lines
// would otherwise compare every line with every student.
QMultiHash<QString, int> studentsByWrittenName()
{
    QMultiHash<QString, int> students;
    students.reserve(studentCount());
    for (int i = 1; i <= studentCount(); ++i)
        students.insert(nameAsWritten(gStudentNames(i)), i);
    return students;
}

void markStudent(const QMultiHash<QString, int>& students, const QString& line, short absent)
{
    const QString cls = LineClass(line);
    const auto [first, last] = students.equal_range(LineStudent(line));
    for (auto it = first; it != last; ++it) {
        if (IsSameClass(gStudentClass(*it), cls))
            gStudentAbsent(*it) = absent;
    }
}

// Lesson content of the class and subject that its teacher held, not a substitute.
bool isOwnLessonContent(const QString& line, const QString& cls, const QString& subject)
{
    return LineKind(line) == QLatin1String("03") && IsLineOfClass(line, cls) &&
           TrimBlanks(LineSubject(line)) == subject &&
           !LineText(line).contains(QLatin1String("SUPP"), Qt::CaseInsensitive);
}

// The short name of the first lesson content of the search in the store, or "".
QString lessonContentShort()
{
    const QString subject = gSearchSubject.toString();
    for (int i = 1; i <= gDayLineCount; ++i) {
        const QString& line = gDayLines(i);
        if (isOwnLessonContent(line, gSearchClass.toString(), subject))
            return TrimBlanks(LineShortName(line));
    }
    return {};
}
}

void MarkAbsentStudents()
{
    for (int i = 1; i <= studentCount(); ++i)
        gStudentAbsent(i) = 0;
    const QMultiHash<QString, int> students = studentsByWrittenName();
    for (int i = 1; i <= gDayLineCount; ++i) {
        const QString& line = gDayLines(i);
        const QString kind = LineKind(line);
        if (kind == QLatin1String("01"))
            markStudent(students, line, 1);
        else if (kind == QLatin1String("02"))
            markStudent(students, line, 0);
    }
}

void FindLessonContentEntry()
{
    gFoundContentShort.clear();
    const QDate today = Clock::today();
    for (int k = 1; k <= 60 && gFoundContentShort.isEmpty(); ++k) {
        gDayFilePath = DayFilePath(today.addDays(-k));
        LoadDayEntries();
        gFoundContentShort = lessonContentShort();
    }
}

QString LessonContentAuthor(const QStringList& lines, const QString& cls, const QString& subject)
{
    for (const QString& line : lines) {
        if (isOwnLessonContent(line, cls, subject))
            return TrimBlanks(LineShortName(line));
    }
    return {};
}
