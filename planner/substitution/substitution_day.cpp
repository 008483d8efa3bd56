#include "planner/substitution/substitution_day.h"

#include "platform/datafile.h"
#include "platform/dates.h"
#include "platform/numbers.h"

#include <QFileInfo>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

namespace {
using TeacherTable = decltype(Model::gTeacherAbsence);
using ClassTable = decltype(Model::gClassAbsence);
using RecordTable = decltype(Model::gSubstRows);
using MarkTable = decltype(Model::gTeacherAbsentPeriods);

const QString kDateList = QStringLiteral("date.sup");
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
// Empty lines an editor or a copy may leave after a day's marks.
constexpr long kEditorsEmptyLines = 2;
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
    explicit DayReader(const QStringList& lines) : m_lines(lines), m_in(lines) {}
    bool intact() const { return m_damage.isEmpty(); }
    // The damage is the file's end, before a line its layout calls for.
    bool endedEarly() const { return m_endedEarly; }
    long linesLeft() const { return m_lines.size() - m_in.lineNumber(); }
    // The lines at the end of the file, not yet read, that hold nothing.
    long emptyLinesAtEnd() const
    {
        long empty = 0;
        while (empty < linesLeft() && m_lines.at(m_lines.size() - 1 - empty).trimmed().isEmpty())
            ++empty;
        return empty;
    }
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
    void endsEarly()
    {
        m_damage = datafile::endsEarlyReason(m_lines.size());
        m_endedEarly = true;
    }
    // Why a mark block read at a size is not sure to stand where it was
    // saved: its file lacks `-extra` lines at its end (`extra` < 0), or has
    // `extra` lines more than the size calls for.
    QString misfit(long extra) const
    {
        const long lines = m_lines.size();
        if (extra < 0)
            return QStringLiteral("ist beschädigt und endet nach Zeile %1").arg(lines);
        return QStringLiteral("ist beschädigt, nach Zeile %1 stehen %2 Zeilen zu viel").arg(lines - extra).arg(extra);
    }
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

    QStringList m_lines;
    datafile::Reader m_in;
    QString m_damage;
    bool m_endedEarly = false;
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
    const int periods = SubstitutionDayPeriods();
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

bool listsKey(const QStringList& lines, const QString& key)
{
    return std::any_of(lines.begin(), lines.end(),
                       [&](const QString& line) { return listedValue(line) == Variant(key); });
}

bool isListed(const QString& key) { return listsKey(datafile::readLines(gFileName).value_or(QStringList{}), key); }

// What a day holds before its marks that its mark block is read by: for
// each mark row (each teacher, then each class the file counts) whether the
// day lists it as absent.
struct DayEntries {
    long teachers = 0;
    std::vector<bool> listed;
};

// The status and reason of every teacher or class the file counts, into the
// tables where they fit; `day` learns whether each is listed as absent.
template <class Statuses, class Reasons>
void readAbsences(DayReader& in, long count, Statuses& statuses, Reasons& reasons, DayEntries& day)
{
    for (long i = 1; i <= count && in.intact(); ++i) {
        Variant status;
        in.number(status);
        day.listed.push_back(status == 1);
        if (fits<Statuses>(i)) {
            statuses(i) = status;
            in.line(reasons(i));
        } else {
            in.skip(1);
        }
    }
}

// How a mark block is read: the periods of each row, and the lines that hold
// marks; the lines after them are empty ones that belong to no mark.
// `misfit` says why the block may not stand where it was saved, for the
// notice: "" when its lines fit the size.
struct MarkBlock {
    int periods;
    long lines;
    QString misfit;
};

// The size the mark block, the rest of the file, is read at. The file holds
// no number of periods, and the marks are not checked against the absences:
// marks and records left from earlier days stand on teachers the day does
// not list, in every day the program saves. A block whole for a number of
// periods a school can have (the school's, or another from 9 to 11) is read
// at that number, which is told when it is not the school's: a day saved
// before the school changed its periods, or a file cut or lengthened by
// whole rows. So is one with an editor's slack, one or two empty lines after
// it or its last line lost. Any other block fits no size, and is read at
// the size it is nearest to and told, the school's or not: lines added,
// fewer than half a period's block (a line for each teacher and class), are
// empty ones and are left out; lines lost, as many, are the last marks, and
// the block is read as far as it goes. The file does not say which it is
// (cut by more than half a period's block, it is nearest a smaller size
// with lines added), so the notice says that its marks may stand elsewhere.
// A block half a period's block or more from every size (so also one
// equally near two), with a mark among the lines taken as added, or read as
// far as it goes where a teacher or class the file lists as absent would
// lack marks (the lines lost may have held them) is damaged. (Any empty lines after a day without teachers and
// classes are left out.)
std::optional<MarkBlock> markPeriods(DayReader& in, const DayEntries& day)
{
    if (!in.intact())
        return std::nullopt;
    const long left = in.linesLeft();
    const long rows = static_cast<long>(day.listed.size());
    const int school = SubstitutionPeriods();
    if (rows == 0) {
        if (left <= in.emptyLinesAtEnd())
            return MarkBlock{school, 0, {}};
        in.fitsNoDay();
        return std::nullopt;
    }
    std::vector<int> sizes{school};
    for (int periods = kFewestPeriods; periods <= kMostPeriods; ++periods) {
        if (periods != school)
            sizes.push_back(periods);
    }
    // The lines a reading assumes added (more than 0) or lost (less than 0).
    const auto changed = [&](int periods) { return left - rows * periods; };
    // Read at a size with lines lost, the rows from the first one short lack
    // marks: none of them may be listed as absent.
    const auto asFarAsItGoes = [&](int periods) {
        const auto firstShort = day.listed.begin() + left / periods;
        return std::none_of(firstShort, day.listed.end(), [](bool listed) { return listed; });
    };
    for (const int periods : sizes) {
        if (changed(periods) == 0)
            return MarkBlock{periods, rows * periods, {}};
    }
    // An editor's slack is no damage: one or two empty lines after the block,
    // or its last line gone with its line break (a never-set mark is an empty
    // line, and an empty last line without its break is none). It is taken
    // as such only where no other size lies within the lines it spans: with
    // few teachers and classes, a few lines more or less make a period.
    const auto alone = [&](int periods) {
        return std::all_of(sizes.begin(), sizes.end(), [&](int other) {
            return other == periods || std::abs(changed(other)) > kEditorsEmptyLines + 1;
        });
    };
    for (const int periods : sizes) {
        const long slack = changed(periods);
        if (!alone(periods))
            continue;
        if (slack > 0 && slack <= std::min(kEditorsEmptyLines, in.emptyLinesAtEnd()))
            return MarkBlock{periods, rows * periods, {}};
        if (slack == -1 && asFarAsItGoes(periods))
            return MarkBlock{periods, left, {}};
    }
    // Of two sizes equally near, the one with lines added is taken: the file
    // is damaged either way, and its notice must not say it ends early when
    // it may hold lines added.
    const int nearest = *std::min_element(sizes.begin(), sizes.end(), [&](int a, int b) {
        const long byA = changed(a);
        const long byB = changed(b);
        return std::abs(byA) != std::abs(byB) ? std::abs(byA) < std::abs(byB) : byA > byB;
    });
    const long assumed = changed(nearest);
    if (2 * std::abs(assumed) < rows) {
        if (assumed > 0 && assumed <= in.emptyLinesAtEnd())
            return MarkBlock{nearest, rows * nearest, in.misfit(assumed)};
        if (assumed < 0 && asFarAsItGoes(nearest))
            return MarkBlock{nearest, left, in.misfit(assumed)};
    }
    if (assumed < 0)
        in.endsEarly();
    else
        in.fitsNoDay();
    return std::nullopt;
}

// The periods of a mark row after `last`: none of them is the day's.
template <class Table>
void emptyPeriodsAfter(Table& marks, long row, int last)
{
    for (int p = last + 1; p <= Table::upper(1); ++p)
        marks(row, p) = Variant();
}

// The marks of every teacher or class the file counts, `saved` periods each,
// periods inner, as far as `lines` marks go. Periods the school no longer
// has are kept too, to be saved again; those the day was saved without stay
// empty.
template <class Table>
void readMarks(DayReader& in, long count, Table& marks, int saved, long& lines)
{
    Variant ignored;
    for (long i = 1; i <= count && lines > 0 && in.intact(); ++i) {
        for (int p = 1; p <= saved && lines > 0; ++p, --lines)
            in.number(fits<Table>(i) ? marks(i, p) : ignored);
        if (fits<Table>(i))
            emptyPeriodsAfter(marks, i, saved);
    }
}

// A day without a file is a new day of the school's periods. Marks of later
// periods, carried from a day read with more, would be saved with it where
// no window shows them or lets them be changed.
void takeSchoolPeriods()
{
    const int school = SubstitutionPeriods();
    for (long t = 1; t <= MarkTable::upper(); ++t)
        emptyPeriodsAfter(gTeacherAbsentPeriods, t, school);
    for (long c = 1; c <= decltype(Model::gClassAbsentPeriods)::upper(); ++c)
        emptyPeriodsAfter(gClassAbsentPeriods, c, school);
    gSubstDayPeriods = 0;
}

// The periods a day was saved with when they are not the school's, else 0.
int otherThanSchool(int saved) { return saved == SubstitutionPeriods() ? 0 : saved; }

// The marks of the teachers and classes the file counts, at the size they
// were saved with, or are nearest to; how they were read, for the notice.
SubstitutionFileRead readMarkBlock(DayReader& in, const DayEntries& day)
{
    const std::optional<MarkBlock> block = markPeriods(in, day);
    if (!block)
        return {};
    long lines = block->lines;
    readMarks(in, day.teachers, gTeacherAbsentPeriods, block->periods, lines);
    readMarks(in, static_cast<long>(day.listed.size()) - day.teachers, gClassAbsentPeriods, block->periods, lines);
    if (in.intact())
        gSubstDayPeriods = static_cast<short>(block->periods);
    return {true, {}, otherThanSchool(block->periods), block->misfit};
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
    gSubstDayPeriods = 0;
    clearRecordTables(dayRecordTables());
}

QString dayFileNotice(const QString& path, const QString& reason)
{
    return datafile::unreadableNotice(QStringLiteral("Tagesdatei"), path, reason);
}

QString presetNotice(const QString& name, const QString& reason)
{
    return datafile::unreadableNotice(QStringLiteral("Voreinstellung"), name, reason);
}

// The tables the absences of a day file are read into.
struct AbsenceTables {
    TeacherTable& teachers;
    decltype(Model::gTeacherAbsenceReason)& teacherReasons;
    ClassTable& classes;
    decltype(Model::gClassAbsenceReason)& classReasons;
};

// Everything of a day file before its marks: the counts, the absences and the
// paid flags and records; what the mark block is read by.
DayEntries readDayHead(DayReader& in, const AbsenceTables& absences, const SubstitutionRecordTables& records)
{
    DayEntries day;
    long classes = 0;
    in.count(day.teachers);
    in.count(classes);
    readAbsences(in, day.teachers, absences.teachers, absences.teacherReasons, day);
    readAbsences(in, classes, absences.classes, absences.classReasons, day);
    readPaidAndRecords(in, day.teachers, records);
    return day;
}

// The absences of the day variables as they were before a preset was read
// over them: a preset that cannot be used puts them back.
class HeldAbsences {
public:
    void restore() const
    {
        gTeacherAbsence = m_teachers;
        gTeacherAbsenceReason = m_teacherReasons;
        gTeacherPaid = m_paid;
        gTeacherAbsentPeriods = m_teacherMarks;
        gClassAbsence = m_classes;
        gClassAbsenceReason = m_classReasons;
        gClassAbsentPeriods = m_classMarks;
    }

private:
    TeacherTable m_teachers = gTeacherAbsence;
    decltype(Model::gTeacherAbsenceReason) m_teacherReasons = gTeacherAbsenceReason;
    decltype(Model::gTeacherPaid) m_paid = gTeacherPaid;
    MarkTable m_teacherMarks = gTeacherAbsentPeriods;
    ClassTable m_classes = gClassAbsence;
    decltype(Model::gClassAbsenceReason) m_classReasons = gClassAbsenceReason;
    decltype(Model::gClassAbsentPeriods) m_classMarks = gClassAbsentPeriods;
};

// One preset status line: exactly three characters, or the preset ends here.
bool readPresetStatus(DayReader& in, Variant& status)
{
    QString text;
    if (!in.line(text) || text.size() != kPresetStatusWidth)
        return false;
    status = numbers::val(text);
    return true;
}

// The status and reason of each of `count` teachers or classes of a preset;
// false where the preset ends, at a status line of another width or at the
// end of the file.
template <class Statuses, class Reasons>
bool readPresetAbsences(DayReader& in, int count, Statuses& statuses, Reasons& reasons, DayEntries& day)
{
    for (int i = 1; i <= count; ++i) {
        if (!readPresetStatus(in, statuses(i)))
            return false;
        day.listed.push_back(statuses(i) == 1);
        if (!in.line(reasons(i)))
            return false;
    }
    return true;
}

bool presetCountMatches(DayReader& in, const Variant& capacity)
{
    Variant count;
    return in.line(count) && Variant(numbers::val(count.toString())) == capacity;
}
// The notice of a file whose marks were read at a size they may not have
// been saved with: the periods a day the school does not have, or lines
// that fit no size exactly. What the file holds, what is shown of it, and
// that its marks may stand elsewhere. "" for marks that fit the school's
// periods.
QString readNotice(const QString& file, const SubstitutionFileRead& read)
{
    if (read.misfit.isEmpty() && read.otherPeriods == 0)
        return {};
    const int school = SubstitutionPeriods();
    const int periods = read.otherPeriods == 0 ? school : read.otherPeriods;
    const QString shown = periods > school
                              ? QStringLiteral("Abwesenheiten nach der %1. Stunde werden nicht gezeigt").arg(school)
                              : QStringLiteral("nach der %1. Stunde ist niemand abwesend eingetragen").arg(periods);
    if (read.misfit.isEmpty())
        return file
               + QStringLiteral(" enthält Abwesenheiten für %1 Stunden am Tag, die Schule hat jetzt %2 (%3); wurde "
                                "die Datei nicht mit %1 Stunden am Tag gespeichert, ist sie beschädigt, und ihre "
                                "Abwesenheiten können an falscher Stelle stehen.")
                     .arg(periods)
                     .arg(school)
                     .arg(shown);
    QString notice = file + QLatin1Char(' ') + read.misfit
                     + QStringLiteral(". Sie wurde mit %1 Stunden am Tag gelesen").arg(periods);
    if (read.otherPeriods != 0)
        notice += QStringLiteral(", die Schule hat jetzt %1 (%2)").arg(school).arg(shown);
    return notice + QStringLiteral("; ihre Abwesenheiten können an falscher Stelle stehen.");
}
}

int SubstitutionPeriods()
{
    return std::clamp(gPeriodsPerDay.toInt(), 0, static_cast<int>(MarkTable::upper(1)));
}

int SubstitutionDayPeriods() { return std::max<int>(SubstitutionPeriods(), gSubstDayPeriods); }

QString SubstitutionDayKey(const QString& dateText)
{
    const std::optional<QDate> day = dates::parse(dateText);
    return day ? dates::key(*day) : QString();
}

QString SubstitutionDayFile(const QString& key) { return gDataPath + key + QStringLiteral(".sup"); }

QString DayReadNotice(const QString& key, const SubstitutionFileRead& read)
{
    return readNotice(QStringLiteral("Die Tagesdatei %1.sup").arg(key), read);
}

QString PresetReadNotice(const QString& name, const SubstitutionFileRead& read)
{
    return readNotice(QStringLiteral("Die Voreinstellung %1").arg(name), read);
}

SubstitutionDaySave SaveSubstitutionDay()
{
    gCheckOk = 0;
    const QString key = SubstitutionDayKey(gWorkDate.toString());
    gText4 = key;
    gFileName = gDataPath + kDateList;
    if (key.isEmpty())
        return {};
    // The day file is replaced as a whole through a temporary file, so a
    // failed write leaves the earlier day intact.
    const QString dayFile = SubstitutionDayFile(key);
    const QStringList lines = dayFileLines().lines();
    // The user must learn which of the two files failed.
    const auto failedOn = [](const QString& path, const QString& reason) {
        return SubstitutionDaySave{false, false, QFileInfo(path).fileName() + QStringLiteral(": ") + reason};
    };
    if (isListed(key)) {
        const datafile::WriteResult written = datafile::rewrite(dayFile, lines);
        return written ? SubstitutionDaySave{true} : failedOn(dayFile, written.reason);
    }
    // A key listed without its day would stand among the finished days as
    // one never saved, so it is listed, with one append of the whole line,
    // only once the day is written; and a day whose key cannot be listed is
    // taken back, as the statistics, the standings and the export would
    // never see it. A day file that cannot be read could not be taken back:
    // it is not replaced while its key is still to be listed.
    const datafile::FileBefore earlier = datafile::fileBefore(dayFile);
    if (!earlier.unreadable.isEmpty())
        return failedOn(dayFile, earlier.unreadable);
    if (const datafile::WriteResult written = datafile::rewrite(dayFile, lines); !written)
        return failedOn(dayFile, written.reason);
    // Another PC that saves the same new day meanwhile lists it too: the key
    // is looked for again as it is appended, or each substitution of the day
    // would get two record numbers in the export. A key whose line end did
    // not fit, and stayed where its piece could not be cut off, is listed
    // all the same: its day must stay with it.
    const datafile::WriteResult listed =
        datafile::appendLine(gFileName, key, [&key](const QStringList& lines) { return listsKey(lines, key); });
    if (listed || isListed(key))
        return {true};
    SubstitutionDaySave failed = failedOn(gFileName, listed.reason);
    failed.dayFileChanged = !datafile::giveBack(dayFile, earlier, datafile::bytesOf(lines));
    return failed;
}

SubstitutionFileRead ReadSubstitutionDay(const QString& key)
{
    const QString path = SubstitutionDayFile(key);
    datafile::FileRead file = datafile::readFile(path);
    if (file.state == datafile::FileRead::State::Missing) {
        takeSchoolPeriods();
        return {};
    }
    // A day file that is there replaces the day in memory even when it cannot
    // be used: nothing of the date shown before passes for this date's.
    clearDay();
    if (file.state == datafile::FileRead::State::Unreadable)
        return {false, dayFileNotice(path, file.reason)};
    DayReader in(file.lines);
    const DayEntries day =
        readDayHead(in, {gTeacherAbsence, gTeacherAbsenceReason, gClassAbsence, gClassAbsenceReason},
                    dayRecordTables());
    const SubstitutionFileRead read = readMarkBlock(in, day);
    if (in.intact())
        return read;
    // Half a day is no day: it is shown empty, with the notice.
    clearDay();
    return {false, dayFileNotice(path, in.damage())};
}

SubstitutionFileRead ReadSubstitutionPreset(const QString& name)
{
    datafile::FileRead file = datafile::readFile(gDataPath + kSubstitutionPreset);
    if (file.state == datafile::FileRead::State::Missing)
        return {};
    if (file.state == datafile::FileRead::State::Unreadable)
        return {false, presetNotice(name, file.reason)};
    DayReader in(file.lines);
    if (!presetCountMatches(in, gMaxTeachers) || !presetCountMatches(in, gMaxClasses))
        return {in.intact(), presetNotice(name, in.damage())};
    const HeldAbsences before;
    DayEntries day;
    day.teachers = teacherSlots();
    const bool absencesWhole =
        readPresetAbsences(in, teacherSlots(), gTeacherAbsence, gTeacherAbsenceReason, day)
        && readPresetAbsences(in, classSlots(), gClassAbsence, gClassAbsenceReason, day);
    // A status line of another width ends the preset; what was read up to it
    // stays.
    if (!absencesWhole && in.intact())
        return {true, {}};
    for (int t = 1; t <= day.teachers; ++t)
        in.number(gTeacherPaid(t));
    // A preset cut before its marks is read as far as it goes while it lists
    // nobody absent, who would stand on the list without a marked period.
    if (in.endedEarly() && std::none_of(day.listed.begin(), day.listed.end(), [](bool listed) { return listed; }))
        return {true, {}};
    const SubstitutionFileRead read = readMarkBlock(in, day);
    if (in.intact())
        return read;
    before.restore();
    return {false, presetNotice(name, in.damage())};
}

SubstitutionFileRead ReadSubstitutionRecords(const QString& key, const SubstitutionRecordTables& into)
{
    clearRecordTables(into);
    const QString path = SubstitutionDayFile(key);
    datafile::FileRead file = datafile::readFile(path);
    if (file.state != datafile::FileRead::State::Read)
        return {false, dayFileNotice(path, file.reason)};
    DayReader in(file.lines);
    // The absences are not kept here, but read all the same: a damaged one
    // is damage wherever it stands.
    TeacherTable statuses;
    decltype(Model::gTeacherAbsenceReason) reasons;
    ClassTable classStatuses;
    decltype(Model::gClassAbsenceReason) classReasons;
    readDayHead(in, {statuses, reasons, classStatuses, classReasons}, into);
    // The marks after the records are not read: however many lines they
    // take, the records before them are whole.
    if (in.intact())
        return {true, {}};
    // A day read only in part would count some of its substitutions, as
    // unpaid and without their texts where the part ends.
    clearRecordTables(into);
    return {false, dayFileNotice(path, in.damage())};
}
