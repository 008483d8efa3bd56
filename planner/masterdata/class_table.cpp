#include "planner/masterdata/class_table.h"

#include "core/master_data.h"
#include "core/model.h"
#include "core/text_procedures.h"
#include "core/timetable.h"
#include "platform/datafile.h"

#include <QFileInfo>

#include <algorithm>
#include <functional>
#include <vector>

namespace {
constexpr int kClassSlots = 24;
constexpr int kSubjectSlots = 99;
constexpr int kTeacherSlots = 10;
// The plan tables are moved in their full size, whatever the week in use.
constexpr int kDays = 6;
constexpr int kPeriods = 11;
constexpr int kCombinationRows = 40;
// Rows 41..80 hold rows 1..40 seen from their other side.
constexpr int kRenumberedRows = 2 * kCombinationRows;
constexpr int kCombinationFields = 4;
constexpr int kClassFields[] = {2, 4};
const QString kNewClass = QStringLiteral("neu");
const QString kClassListFile = QStringLiteral("Klassen.txt");

QString className(int c) { return gClassNames(c).toString(); }

// The class, its form teacher and flag, as the year change moves them.
struct ClassSlot {
    QString name;
    QString printName;
    short flag = 0;
    short formTeacher = 0;
};

ClassSlot slotAt(int c) { return {className(c), gClassPrintNames(c), gClassSkipFlag(c), gFormTeacher(c)}; }

void put(int c, const ClassSlot& slot)
{
    gClassNames(c) = slot.name;
    gClassPrintNames(c) = slot.printName;
    gClassSkipFlag(c) = slot.flag;
    gFormTeacher(c) = slot.formTeacher;
}

void forEachCell(const std::function<void(int day, int period, int half)>& f)
{
    for (int d = 1; d <= kDays; ++d) {
        for (int p = 1; p <= kPeriods; ++p) {
            for (int half = 0; half <= 1; ++half)
                f(d, p, half);
        }
    }
}

// Class `to` takes everything of class `from`.
void moveClass(int from, int to)
{
    put(to, slotAt(from));
    for (int s = 1; s <= kSubjectSlots; ++s) {
        gCurriculumHours(to, s) = gCurriculumHours(from, s);
        gClassSubjectHours(to, s) = gClassSubjectHours(from, s);
        for (int k = 0; k < kTeacherSlots; ++k)
            gSubjectTeachers(to, s, k) = gSubjectTeachers(from, s, k);
    }
    forEachCell([&](int d, int p, int half) {
        gTimetable(d, p, to, half) = gTimetable(d, p, from, half);
        gFixations(d, p, to, half) = gFixations(d, p, from, half);
    });
}

void makeNewClass(int c)
{
    put(c, {kNewClass, kNewClass, 0, 0});
    for (int s = 1; s <= kSubjectSlots; ++s) {
        gCurriculumHours(c, s) = 0;
        gClassSubjectHours(c, s) = Currency();
        for (int k = 0; k < kTeacherSlots; ++k)
            gSubjectTeachers(c, s, k) = 0;
    }
    forEachCell([&](int d, int p, int half) {
        gTimetable(d, p, c, half) = 0;
        gFixations(d, p, c, half) = 0;
    });
}

// Everything an insertion moves of the classes, to be put back.
class HeldClasses {
public:
    void restore() const
    {
        gClassNames = m_names;
        gClassPrintNames = m_printNames;
        gClassSkipFlag = m_flags;
        gFormTeacher = m_formTeachers;
        gClassCombinations = m_combinations;
        gCurriculumHours = m_curriculum;
        gClassSubjectHours = m_subjectHours;
        gSubjectTeachers = m_subjectTeachers;
        gTimetable = m_timetable;
        gFixations = m_fixations;
    }

private:
    decltype(Model::gClassNames) m_names = gClassNames;
    decltype(Model::gClassPrintNames) m_printNames = gClassPrintNames;
    decltype(Model::gClassSkipFlag) m_flags = gClassSkipFlag;
    decltype(Model::gFormTeacher) m_formTeachers = gFormTeacher;
    decltype(Model::gClassCombinations) m_combinations = gClassCombinations;
    decltype(Model::gCurriculumHours) m_curriculum = gCurriculumHours;
    decltype(Model::gClassSubjectHours) m_subjectHours = gClassSubjectHours;
    decltype(Model::gSubjectTeachers) m_subjectTeachers = gSubjectTeachers;
    decltype(Model::gTimetable) m_timetable = gTimetable;
    decltype(Model::gFixations) m_fixations = gFixations;
};

void renumberCombinations(int from)
{
    for (int row = 1; row <= kRenumberedRows; ++row) {
        for (int field : kClassFields) {
            Variant& cls = gClassCombinations(row, field);
            if (cls.toDouble() >= from)
                cls = cls.toInt() + 1;
        }
    }
}

// The teacher-side tables, which name classes by number, follow the moved
// classes; the rebuild's scratch goes back to what the editor had.
void rebuildTeacherSide()
{
    const Variant subject = gSubject;
    const Variant teacher = gTeacher;
    RebuildTeacherTimetables();
    gSubject = subject;
    gTeacher = teacher;
}

int leadingDigits(const QString& text)
{
    int n = 0;
    while (n < text.size() && text[n] >= QLatin1Char('0') && text[n] <= QLatin1Char('9'))
        ++n;
    return n;
}

enum class NameStyle { Small, Capital, Dotted };

// "1A" names the new classes with capitals, "1.a" with a point; a first
// class of any other form (or none) gives "1a", "1b", ...
NameStyle styleOf(const QString& firstClass)
{
    const int digits = leadingDigits(firstClass);
    const QString rest = firstClass.mid(digits);
    if (digits == 0 || rest.isEmpty())
        return NameStyle::Small;
    if (rest[0] == QLatin1Char('.'))
        return NameStyle::Dotted;
    return rest[0].isUpper() ? NameStyle::Capital : NameStyle::Small;
}

QString newClassName(NameStyle style, int k)
{
    const char small = static_cast<char>('a' + k - 1);
    switch (style) {
    case NameStyle::Capital: return QStringLiteral("1") + QChar::fromLatin1(static_cast<char>('A' + k - 1));
    case NameStyle::Dotted: return QStringLiteral("1.") + QChar::fromLatin1(small);
    case NameStyle::Small: break;
    }
    return QStringLiteral("1") + QChar::fromLatin1(small);
}

int gradeOf(const QString& name)
{
    const QString trimmed = TrimBlanks(name);
    bool ok = false;
    const int grade = trimmed.left(leadingDigits(trimmed)).toInt(&ok);
    return ok ? grade : 0;
}
}

ClassFilesSaved SaveClassFiles(bool withCombinations)
{
    datafile::Writer classes;
    for (int c = 1; c <= kClassSlots; ++c)
        classes.line(datafile::sanitizeField(className(c)));
    for (int c = 1; c <= kClassSlots; ++c)
        classes.line(datafile::sanitizeField(gClassPrintNames(c)));
    for (int c = 1; c <= kClassSlots; ++c)
        classes.number(gClassSkipFlag(c));
    datafile::Writer formTeachers;
    for (int c = 1; c <= kClassSlots; ++c)
        formTeachers.number(gFormTeacher(c));
    std::vector<datafile::FileBytes> files{
        {gDataPath + kClassListFile, datafile::bytesOf(classes.lines())},
        {gDataPath + QStringLiteral("kv.dat"), datafile::bytesOf(formTeachers.lines())},
    };
    // A school without combinations keeps having none.
    if (withCombinations && FindDataFile(QStringLiteral("Kombi.dat"))) {
        datafile::Writer combinations;
        for (int row = 1; row <= kCombinationRows; ++row) {
            for (int field = 1; field <= kCombinationFields; ++field)
                combinations.number(gClassCombinations(row, field).toDouble());
        }
        files.push_back({gDataPath + QStringLiteral("Kombi.dat"), datafile::bytesOf(combinations.lines())});
    }
    QStringList names;
    for (const datafile::FileBytes& file : files) {
        datafile::clearAttributes(file.path);
        names << QFileInfo(file.path).fileName();
    }
    // The files name classes by their slots: one written without the others
    // would give every class the form teacher or combination of another
    // from the next start on.
    const datafile::WriteResult written = datafile::rewriteSet(files);
    if (written)
        return {};
    QStringList changed;
    for (const QString& path : written.changed)
        changed << QFileInfo(path).fileName();
    return {QStringLiteral("Die Klassen konnten nicht gespeichert werden (%1). %2.")
                .arg(written.reason, datafile::setChanges(written, names)),
            changed};
}

Inserted InsertClassBefore(int position)
{
    // The move would push the class of the last slot out of the table.
    if (!className(kClassSlots).isEmpty())
        return {Insertion::ListFull};
    const HeldClasses before;
    for (int c = kClassSlots; c > position; --c)
        moveClass(c - 1, c);
    renumberCombinations(position);
    makeNewClass(position);
    // The combinations name classes by number: after the next start they
    // must still join the classes they joined before.
    const ClassFilesSaved saved = SaveClassFiles(true);
    // A class list that could not be given its old bytes back holds the new
    // class: the classes stay in the slots it gives them, which a plan saved
    // later must keep.
    const bool inserted = saved.failure.isEmpty() || saved.changed.contains(kClassListFile);
    if (!inserted)
        before.restore();
    // The teacher-side tables name classes by number: without the rebuild a
    // teacher would go on teaching the class that moved away.
    rebuildTeacherSide();
    FindLastUsedClass();
    if (saved.failure.isEmpty())
        return {Insertion::Done};
    return {inserted ? Insertion::PartlyWritten : Insertion::NotWritten, saved.failure};
}

QString AdvanceClassName(const QString& name, int& highestGrade)
{
    const QString trimmed = TrimBlanks(name);
    const int grade = gradeOf(trimmed);
    if (grade == 0)
        return name;
    highestGrade = std::max(highestGrade, grade);
    return QString::number(grade + 1) + trimmed.mid(leadingDigits(trimmed));
}

YearChange ChangeSchoolYear(int newClasses)
{
    const NameStyle style = styleOf(TrimBlanks(className(1)));
    int highestGrade = 0;
    std::vector<ClassSlot> advanced;
    for (int c = 1; c <= kClassSlots; ++c) {
        ClassSlot slot = slotAt(c);
        slot.name = AdvanceClassName(slot.name, highestGrade);
        slot.printName = AdvanceClassName(slot.printName, highestGrade);
        advanced.push_back(slot);
    }
    // The gaps close before room is made at the front, so no class is pushed
    // out of the table; the classes that stay keep their order.
    std::vector<ClassSlot> staying;
    for (const ClassSlot& slot : advanced) {
        const bool leaves = gradeOf(slot.name) == highestGrade + 1;
        if (!TrimBlanks(slot.name).isEmpty() && !leaves)
            staying.push_back(slot);
    }
    const int classes = static_cast<int>(staying.size()) + newClasses;
    if (classes > kClassSlots)
        return {false, classes};

    int c = 1;
    for (int k = 1; k <= newClasses; ++k, ++c) {
        const QString name = newClassName(style, k);
        put(c, {name, name, 0, 0});
    }
    for (const ClassSlot& slot : staying)
        put(c++, slot);
    for (; c <= kClassSlots; ++c)
        put(c, {});
    FindLastUsedClass();
    return {true, classes};
}
