#include "planner/substitution/substitution_day.h"

#include "platform/datafile.h"
#include "platform/dates.h"
#include "platform/numbers.h"

#include <QFileInfo>
#include <QStringList>
#include <algorithm>

namespace {
using TeacherTable = decltype(Model::gTeacherAbsence);
using ClassTable = decltype(Model::gClassAbsence);
using RecordTable = decltype(Model::gSubstRows);
using MarkTable = decltype(Model::gTeacherAbsentPeriods);

const QString kDateList = QStringLiteral("date.sup");
const QString kPreset = QStringLiteral("suppl.dat");
constexpr int kRecordFields = 5;
constexpr int kRecordPaidField = 5;
// A preset's status line: the number in print form, " 0 " or " 1 ".
constexpr int kPresetStatusWidth = 3;
// Counts are read as numbers; beyond this a file is damaged, and reading past
// the values it announces ends at the end of the file anyway.
constexpr double kLargestCount = 1'000'000;

// Why the day read last by ReadSubstitutionDay could not be read.
QString lastUnreadableDay;

int teacherSlots() { return std::clamp(gMaxTeachers.toInt(), 0, static_cast<int>(TeacherTable::upper())); }
int classSlots() { return std::clamp(gMaxClasses.toInt(), 0, static_cast<int>(ClassTable::upper())); }
int recordCount() { return std::clamp<int>(gSubstRowCount, 0, static_cast<int>(RecordTable::upper())); }

template <class Table>
bool fits(long index)
{
    return index >= 1 && index <= Table::upper();
}

// One value a line, with the end-of-file semantics of the original's reading:
// a read past the end leaves the variable as it was and returns false.
class DayReader {
public:
    explicit DayReader(const QString& path) : m_in(path) {}
    explicit DayReader(QStringList lines) : m_in(std::move(lines)) {}
    bool isOpen() const { return m_in.isOpen(); }
    const QString& unreadable() const { return m_in.unreadable(); }
    bool atEnd() const { return m_in.atEnd(); }

    bool line(QString& into) { return m_in.lineInput(into); }
    bool line(Variant& into) { return m_in.lineInput(into); }

    // A number on its own line; an empty line gives an empty value, as a
    // status or mark that was never set is written.
    bool number(Variant& into)
    {
        QString text;
        if (!line(text))
            return false;
        into = text.trimmed().isEmpty() ? Variant() : Variant(numbers::numberInput(text));
        return true;
    }
    bool number(short& into)
    {
        QString text;
        if (!line(text))
            return false;
        if (auto value = numbers::toInt16(numbers::numberInput(text)))
            into = *value;
        return true;
    }
    bool count(long& into)
    {
        Variant value;
        if (!number(value))
            return false;
        into = static_cast<long>(std::clamp(value.toDouble(), 0.0, kLargestCount));
        return true;
    }
    void skip(long lines)
    {
        QString ignored;
        for (long i = 0; i < lines && line(ignored); ++i)
            ;
    }

private:
    datafile::Reader m_in;
};

// A value as it is written: a number in print form, a text as it is (one
// line), an empty value as an empty line.
void writeValue(datafile::Writer& out, const Variant& value)
{
    if (value.isEmpty())
        out.line(QString());
    else if (value.isNumber())
        out.number(value.toDouble());
    else
        out.line(datafile::sanitizeField(value.toString()));
}

datafile::Writer dayFileLines()
{
    const int teachers = teacherSlots();
    const int classes = classSlots();
    const int records = recordCount();
    const int periods = SubstitutionPeriods();
    datafile::Writer out;
    out.number(teachers);
    out.number(classes);
    for (int t = 1; t <= teachers; ++t) {
        writeValue(out, gTeacherAbsence(t));
        writeValue(out, gTeacherAbsenceReason(t));
    }
    for (int c = 1; c <= classes; ++c) {
        writeValue(out, gClassAbsence(c));
        out.line(datafile::sanitizeField(gClassAbsenceReason(c)));
    }
    for (int t = 1; t <= teachers; ++t)
        out.number(gTeacherPaid(t));
    out.number(records);
    for (int r = 1; r <= records; ++r) {
        for (int f = 0; f < kRecordFields; ++f)
            out.number(gSubstRows(r, f));
    }
    for (int r = 1; r <= records; ++r)
        out.line(datafile::sanitizeField(gSubstRowTexts(r)));
    for (int r = 1; r <= records; ++r)
        out.number(gSubstRows(r, kRecordPaidField));
    for (int t = 1; t <= teachers; ++t) {
        for (int p = 1; p <= periods; ++p)
            writeValue(out, gTeacherAbsentPeriods(t, p));
    }
    for (int c = 1; c <= classes; ++c) {
        for (int p = 1; p <= periods; ++p)
            writeValue(out, gClassAbsentPeriods(c, p));
    }
    return out;
}

// A line of "date.sup" as the original reads it into a variant: a number when
// it reads as one, so " 20260914 " is the key 20260914.
Variant listedValue(const QString& line)
{
    const Variant text(line.trimmed());
    return text.isNumeric() ? Variant(text.toDouble()) : text;
}

bool isListed(const QString& key)
{
    const QStringList lines = datafile::readLines(gFileName).value_or(QStringList{});
    return std::any_of(lines.begin(), lines.end(),
                       [&](const QString& line) { return listedValue(line) == Variant(key); });
}

// The marks of every teacher or class the file counts, periods inner.
template <class Table>
void readMarks(DayReader& in, long count, Table& marks, int periods)
{
    for (long i = 1; i <= count && !in.atEnd(); ++i) {
        if (!fits<Table>(i)) {
            in.skip(periods);
            continue;
        }
        for (int p = 1; p <= periods; ++p)
            in.number(marks(i, p));
    }
}

// A file may count more teachers, classes or records than the tables hold:
// what fits is kept and the rest is read past, so that every value after them
// stays in its place and nothing is written outside a table.
void readPaidAndRecords(DayReader& in, long teachers, const SubstitutionRecordTables& into)
{
    for (long t = 1; t <= teachers && !in.atEnd(); ++t) {
        if (fits<TeacherTable>(t))
            in.number(into.teacherPaid(t));
        else
            in.skip(1);
    }
    long records = 0;
    if (!in.count(records))
        return;
    into.count = static_cast<short>(std::min<long>(records, RecordTable::upper()));
    for (long r = 1; r <= records && !in.atEnd(); ++r) {
        if (!fits<RecordTable>(r)) {
            in.skip(kRecordFields);
            continue;
        }
        for (int f = 0; f < kRecordFields; ++f)
            in.number(into.rows(r, f));
    }
    for (long r = 1; r <= records && !in.atEnd(); ++r) {
        if (fits<RecordTable>(r))
            in.line(into.texts(r));
        else
            in.skip(1);
    }
    for (long r = 1; r <= records && !in.atEnd(); ++r) {
        if (fits<RecordTable>(r))
            in.number(into.rows(r, kRecordPaidField));
        else
            in.skip(1);
    }
}

// The day variables' own record tables.
SubstitutionRecordTables dayRecordTables() { return {gTeacherPaid, gSubstRowCount, gSubstRows, gSubstRowTexts}; }

// One preset status line: exactly three characters, or the preset ends here.
bool readPresetStatus(DayReader& in, Variant& status)
{
    QString text;
    if (!in.line(text) || text.size() != kPresetStatusWidth)
        return false;
    status = numbers::val(text);
    return true;
}

bool presetCountMatches(DayReader& in, const Variant& capacity)
{
    Variant count;
    return in.line(count) && Variant(numbers::val(count.toString())) == capacity;
}
}

int SubstitutionPeriods()
{
    return std::clamp(gPeriodsPerDay.toInt(), 0, static_cast<int>(MarkTable::upper(1)));
}

QString SubstitutionDayKey(const QString& dateText)
{
    const std::optional<QDate> day = dates::parse(dateText);
    return day ? dates::key(*day) : QString();
}

QString SubstitutionDayFile(const QString& key) { return gDataPath + key + QStringLiteral(".sup"); }

bool SaveSubstitutionDay()
{
    gCheckOk = 0;
    const QString key = SubstitutionDayKey(gWorkDate.toString());
    gText4 = key;
    gFileName = gDataPath + kDateList;
    if (key.isEmpty())
        return false;
    // The day file is replaced as a whole through a temporary file, so a
    // failed write leaves the earlier day intact; a key is listed only for a
    // day that was written, with one append of the whole line.
    if (!dayFileLines().commit(SubstitutionDayFile(key)))
        return false;
    return isListed(key) || datafile::appendLine(gFileName, key);
}

const QString& UnreadableSubstitutionDayNotice() { return lastUnreadableDay; }

bool ReadSubstitutionDay(const QString& key)
{
    const QString path = SubstitutionDayFile(key);
    datafile::FileRead file = datafile::readFile(path);
    lastUnreadableDay = file.state == datafile::FileRead::State::Unreadable
                            ? QStringLiteral("Die Tagesdatei %1 konnte nicht gelesen werden: %2.")
                                  .arg(QFileInfo(path).fileName(), file.reason)
                            : QString();
    if (file.state != datafile::FileRead::State::Read)
        return false;
    DayReader in(std::move(file.lines));
    long teachers = 0;
    long classes = 0;
    in.count(teachers);
    in.count(classes);
    for (long t = 1; t <= teachers && !in.atEnd(); ++t) {
        if (!fits<TeacherTable>(t)) {
            in.skip(2);
            continue;
        }
        in.number(gTeacherAbsence(t));
        in.line(gTeacherAbsenceReason(t));
    }
    for (long c = 1; c <= classes && !in.atEnd(); ++c) {
        if (!fits<ClassTable>(c)) {
            in.skip(2);
            continue;
        }
        in.number(gClassAbsence(c));
        in.line(gClassAbsenceReason(c));
    }
    readPaidAndRecords(in, teachers, dayRecordTables());
    const int periods = SubstitutionPeriods();
    readMarks(in, teachers, gTeacherAbsentPeriods, periods);
    readMarks(in, classes, gClassAbsentPeriods, periods);
    return true;
}

bool ReadSubstitutionPreset()
{
    DayReader in(gDataPath + kPreset);
    if (!in.isOpen())
        return false;
    if (!presetCountMatches(in, gMaxTeachers) || !presetCountMatches(in, gMaxClasses))
        return true;
    const int teachers = teacherSlots();
    const int classes = classSlots();
    for (int t = 1; t <= teachers; ++t) {
        if (!readPresetStatus(in, gTeacherAbsence(t)))
            return true;
        in.line(gTeacherAbsenceReason(t));
    }
    for (int c = 1; c <= classes; ++c) {
        if (!readPresetStatus(in, gClassAbsence(c)))
            return true;
        in.line(gClassAbsenceReason(c));
    }
    for (int t = 1; t <= teachers; ++t)
        in.number(gTeacherPaid(t));
    const int periods = SubstitutionPeriods();
    readMarks(in, teachers, gTeacherAbsentPeriods, periods);
    readMarks(in, classes, gClassAbsentPeriods, periods);
    return true;
}

SubstitutionFileRead ReadSubstitutionRecords(const QString& key, const SubstitutionRecordTables& into)
{
    const QString path = SubstitutionDayFile(key);
    DayReader in(path);
    if (!in.isOpen())
        return {false, datafile::unreadableNotice(QStringLiteral("Tagesdatei"), path, in.unreadable())};
    long teachers = 0;
    long classes = 0;
    in.count(teachers);
    in.count(classes);
    in.skip(2 * (teachers + classes));
    readPaidAndRecords(in, teachers, into);
    return {true, {}};
}
