#include "planner/substitution/substitution_day.h"

#include "platform/datafile.h"
#include "platform/dates.h"
#include "platform/numbers.h"

#include <QStringList>
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

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
// A count beyond this is no count of a day: reading the lines it announces
// would only run into the end of the file.
constexpr double kLargestCount = 1'000'000;
// The periods a day a school can have: a day file's marks are whole for one
// of these.
constexpr int kFewestPeriods = 9;
constexpr int kMostPeriods = 11;
static_assert(kMostPeriods == MarkTable::upper(1));

int teacherSlots() { return std::clamp(gMaxTeachers.toInt(), 0, static_cast<int>(TeacherTable::upper())); }
int classSlots() { return std::clamp(gMaxClasses.toInt(), 0, static_cast<int>(ClassTable::upper())); }
int recordCount() { return std::clamp<int>(gSubstRowCount, 0, static_cast<int>(RecordTable::upper())); }

template <class Table>
bool fits(long index)
{
    return index >= 1 && index <= Table::upper();
}

// One value a line, read as the layout of a day file says. A value the file
// does not hold as the layout says (a line that is not there, or no number
// where a number stands) makes the file damaged: from there on nothing more
// is read, and the reader tells the damage instead of taking what it read
// for a whole day.
class DayReader {
public:
    explicit DayReader(QStringList lines) : m_lines(static_cast<long>(lines.size())), m_in(std::move(lines)) {}
    bool intact() const { return m_damage.isEmpty(); }
    long linesLeft() const { return m_lines - m_in.lineNumber(); }
    // Why the file is damaged, for the user; empty while it is intact.
    const QString& damage() const { return m_damage; }

    bool line(QString& into)
    {
        if (!intact())
            return false;
        if (m_in.lineInput(into))
            return true;
        endsEarly();
        return false;
    }
    void endsEarly() { m_damage = datafile::endsEarlyReason(m_lines); }
    // The lines left are whole for no day a school can have.
    void fitsNoDay()
    {
        m_damage = QStringLiteral("Sie ist beschädigt, ihre Zeilen ab Zeile %1 passen zu keinem Tag von %2 bis %3 "
                                  "Stunden")
                       .arg(m_in.lineNumber() + 1)
                       .arg(kFewestPeriods)
                       .arg(kMostPeriods);
    }
    bool line(Variant& into)
    {
        QString text;
        if (!line(text))
            return false;
        into = text;
        return true;
    }

    // A status or mark: a number, or an empty line for one never set.
    bool number(Variant& into)
    {
        QString text;
        if (!line(text))
            return false;
        if (text.trimmed().isEmpty()) {
            into = Variant();
            return true;
        }
        const std::optional<double> value = numberIn(text);
        if (value)
            into = *value;
        return value.has_value();
    }
    // A paid flag or a record field: always written as a whole number.
    bool number(short& into)
    {
        const std::optional<double> value = wholeNumber(std::numeric_limits<short>::min(),
                                                        std::numeric_limits<short>::max());
        if (value)
            into = static_cast<short>(*value);
        return value.has_value();
    }
    bool count(long& into)
    {
        const std::optional<double> value = wholeNumber(0, kLargestCount);
        if (value)
            into = static_cast<long>(*value);
        return value.has_value();
    }
    void skip(long lines)
    {
        QString ignored;
        for (long i = 0; i < lines && line(ignored); ++i)
            ;
    }

private:
    std::optional<double> numberIn(const QString& text)
    {
        const Variant value(text);
        if (value.isNumeric())
            return value.toDouble();
        notANumber();
        return std::nullopt;
    }
    std::optional<double> wholeNumber(double lowest, double highest)
    {
        QString text;
        if (!line(text))
            return std::nullopt;
        const std::optional<double> value = numberIn(text);
        if (!value)
            return std::nullopt;
        if (*value < lowest || *value > highest || *value != std::floor(*value)) {
            notANumber();
            return std::nullopt;
        }
        return value;
    }
    void notANumber() { m_damage = datafile::notANumberReason(m_in.lineNumber()); }

    long m_lines;
    datafile::Reader m_in;
    QString m_damage;
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

// One teacher's or class's status and reason, read past: the status is
// checked all the same, a damaged file is damaged wherever it is.
void skipAbsence(DayReader& in)
{
    Variant ignored;
    in.number(ignored);
    in.skip(1);
}

void skipAbsences(DayReader& in, long count)
{
    for (long i = 1; i <= count && in.intact(); ++i)
        skipAbsence(in);
}

// The status and reason of every teacher or class the file counts.
template <class Statuses, class Reasons>
void readAbsences(DayReader& in, long count, Statuses& statuses, Reasons& reasons)
{
    for (long i = 1; i <= count && in.intact(); ++i) {
        if (!fits<Statuses>(i)) {
            skipAbsence(in);
            continue;
        }
        in.number(statuses(i));
        in.line(reasons(i));
    }
}

// The periods a day the mark block of `marked` teachers and classes, the
// rest of the file, was saved with: the school's, or another number a school
// can have (a day saved before the school changed its periods). Read with any
// other number, every mark would land on another period, teacher or class, so
// a block of another size is damaged: one whole for fewer periods than any
// school has is a file cut off after a row of marks.
std::optional<int> markPeriods(DayReader& in, long marked)
{
    if (!in.intact())
        return std::nullopt;
    const long left = in.linesLeft();
    const int school = SubstitutionPeriods();
    if (left == marked * school)
        return school;
    if (marked > 0 && left % marked == 0 && left / marked >= kFewestPeriods && left / marked <= kMostPeriods)
        return static_cast<int>(left / marked);
    if (left < marked * kFewestPeriods)
        in.endsEarly();
    else
        in.fitsNoDay();
    return std::nullopt;
}

// The marks of every teacher or class the file counts, `saved` periods each,
// periods inner. Only the school's periods are kept; those the day was saved
// without stay empty.
template <class Table>
void readMarks(DayReader& in, long count, Table& marks, int saved)
{
    const int school = SubstitutionPeriods();
    Variant ignored;
    for (long i = 1; i <= count && in.intact(); ++i) {
        for (int p = 1; p <= saved; ++p)
            in.number(fits<Table>(i) && p <= school ? marks(i, p) : ignored);
        for (int p = saved + 1; p <= school && fits<Table>(i); ++p)
            marks(i, p) = Variant();
    }
}

// The periods a day was saved with when they are not the school's, else 0.
int otherThanSchool(int saved) { return saved == SubstitutionPeriods() ? 0 : saved; }

// The marks of the teachers and classes the file counts, at the size they
// were saved with; that size when it is not the school's, else 0.
int readMarkBlock(DayReader& in, long teachers, long classes)
{
    const std::optional<int> saved = markPeriods(in, teachers + classes);
    if (!saved)
        return 0;
    readMarks(in, teachers, gTeacherAbsentPeriods, *saved);
    readMarks(in, classes, gClassAbsentPeriods, *saved);
    return otherThanSchool(*saved);
}

// A file may count more teachers, classes or records than the tables hold:
// what fits is kept and the rest is read past, so that every value after them
// stays in its place and nothing is written outside a table.
void readPaidAndRecords(DayReader& in, long teachers, const SubstitutionRecordTables& into)
{
    short ignored = 0;
    QString ignoredText;
    for (long t = 1; t <= teachers && in.intact(); ++t)
        in.number(fits<TeacherTable>(t) ? into.teacherPaid(t) : ignored);
    long records = 0;
    if (!in.count(records))
        return;
    into.count = static_cast<short>(std::min<long>(records, RecordTable::upper()));
    for (long r = 1; r <= records && in.intact(); ++r) {
        for (int f = 0; f < kRecordFields; ++f)
            in.number(fits<RecordTable>(r) ? into.rows(r, f) : ignored);
    }
    for (long r = 1; r <= records && in.intact(); ++r)
        in.line(fits<RecordTable>(r) ? into.texts(r) : ignoredText);
    for (long r = 1; r <= records && in.intact(); ++r)
        in.number(fits<RecordTable>(r) ? into.rows(r, kRecordPaidField) : ignored);
}

void clearRecordTables(const SubstitutionRecordTables& tables)
{
    tables.teacherPaid = {};
    tables.count = 0;
    tables.rows = {};
    tables.texts = {};
}

// The day variables' own record tables.
SubstitutionRecordTables dayRecordTables() { return {gTeacherPaid, gSubstRowCount, gSubstRows, gSubstRowTexts}; }

// The day variables as no day file has filled them.
void clearDay()
{
    gTeacherAbsence = {};
    gTeacherAbsenceReason = {};
    gTeacherAbsentPeriods = {};
    gClassAbsence = {};
    gClassAbsenceReason = {};
    gClassAbsentPeriods = {};
    clearRecordTables(dayRecordTables());
}

QString dayFileNotice(const QString& path, const QString& reason)
{
    return datafile::unreadableNotice(QStringLiteral("Tagesdatei"), path, reason);
}

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

QString OtherPeriodsNotice(const QStringList& keys, int periods)
{
    if (keys.isEmpty() || periods == 0)
        return {};
    QStringList files;
    for (const QString& key : keys)
        files << key + QStringLiteral(".sup");
    const QString last = files.takeLast();
    const QString days = files.isEmpty() ? QStringLiteral("Die Tagesdatei %1 wurde").arg(last)
                                         : QStringLiteral("Die Tagesdateien %1 und %2 wurden")
                                               .arg(files.join(QStringLiteral(", ")), last);
    const int school = SubstitutionPeriods();
    const QString shown =
        periods > school ? QStringLiteral("Abwesenheiten in Stunden, die es nicht mehr gibt, werden nicht gezeigt.")
                         : QStringLiteral("In den Stunden, die es damals nicht gab, ist niemand abwesend eingetragen.");
    return days
           + QStringLiteral(" mit %1 Stunden am Tag gespeichert, die Schule hat jetzt %2: ").arg(periods).arg(school)
           + shown;
}

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

SubstitutionFileRead ReadSubstitutionDay(const QString& key)
{
    const QString path = SubstitutionDayFile(key);
    datafile::FileRead file = datafile::readFile(path);
    if (file.state == datafile::FileRead::State::Missing)
        return {};
    // A day file that is there replaces the day in memory even when it cannot
    // be used: nothing of the date shown before passes for this date's.
    clearDay();
    if (file.state == datafile::FileRead::State::Unreadable)
        return {false, dayFileNotice(path, file.reason)};
    DayReader in(std::move(file.lines));
    long teachers = 0;
    long classes = 0;
    in.count(teachers);
    in.count(classes);
    readAbsences(in, teachers, gTeacherAbsence, gTeacherAbsenceReason);
    readAbsences(in, classes, gClassAbsence, gClassAbsenceReason);
    readPaidAndRecords(in, teachers, dayRecordTables());
    const int otherPeriods = readMarkBlock(in, teachers, classes);
    if (in.intact())
        return {true, {}, otherPeriods};
    // Half a day is no day: it is shown empty, with the notice.
    clearDay();
    return {false, dayFileNotice(path, in.damage())};
}

bool ReadSubstitutionPreset()
{
    datafile::FileRead file = datafile::readFile(gDataPath + kPreset);
    if (file.state != datafile::FileRead::State::Read)
        return false;
    DayReader in(std::move(file.lines));
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
    readMarkBlock(in, teachers, classes);
    return true;
}

SubstitutionFileRead ReadSubstitutionRecords(const QString& key, const SubstitutionRecordTables& into)
{
    clearRecordTables(into);
    const QString path = SubstitutionDayFile(key);
    datafile::FileRead file = datafile::readFile(path);
    if (file.state != datafile::FileRead::State::Read)
        return {false, dayFileNotice(path, file.reason)};
    DayReader in(std::move(file.lines));
    long teachers = 0;
    long classes = 0;
    in.count(teachers);
    in.count(classes);
    skipAbsences(in, teachers);
    skipAbsences(in, classes);
    readPaidAndRecords(in, teachers, into);
    // The marks are not needed here, but a file cut off among them is damaged
    // all the same: nothing says where else it was hurt.
    const std::optional<int> saved = markPeriods(in, teachers + classes);
    if (in.intact())
        return {true, {}, otherThanSchool(*saved)};
    // A day read only in part would count some of its substitutions, as
    // unpaid and without their texts where the part ends.
    clearRecordTables(into);
    return {false, dayFileNotice(path, in.damage())};
}
