#include "planner/substitution/substitution_standings.h"

#include "platform/clock.h"
#include "platform/currency.h"
#include "platform/dates.h"

#include <algorithm>

namespace {
const QString kStandings = QStringLiteral("stand.sup");
constexpr int kColumns = 3;

int teacherSlots() { return std::clamp(gMaxTeachers.toInt(), 0, static_cast<int>(SubstitutionCounts::upper())); }

QString standingsFile() { return gDataPath + kStandings; }

constexpr int kKeyDateLine = 1;
constexpr int kFirstCounterLine = 2;

// A counter line. The file holds the counters in print form, a fraction with
// the German decimal comma (" 2,5 "); the original's number input stops at
// that comma and would take the 5 as the next counter, shifting every later
// one. The line is read whole, so a quota of 2.5 reads back as 2.5.
std::optional<float> counterValue(const QString& line)
{
    const std::optional<Currency> value = Currency::parse(line);
    return value ? std::optional<float>(static_cast<float>(value->toDouble())) : std::nullopt;
}

// Why the counters of "stand.sup" cannot be taken; empty when they can. A
// file cut off would leave the later teachers' counters as they were in
// memory, and a line that is no number would count 0.
QString counterDamage(const QStringList& lines)
{
    const int end = kFirstCounterLine + kColumns * teacherSlots();
    for (int at = kFirstCounterLine; at < end && at < lines.size(); ++at) {
        if (!counterValue(lines[at]))
            return datafile::notANumberReason(at + 1);
    }
    return lines.size() < end ? datafile::endsEarlyReason(lines.size()) : QString();
}

// A working date that is no date counts as today.
QDate workDate() { return dates::parse(gWorkDate.toString()).value_or(Clock::today()); }
}

SubstitutionFileRead ReadStandings(std::optional<QDate>& keyDate, SubstitutionCounts& counts)
{
    const datafile::FileRead file = datafile::readFile(standingsFile());
    if (file.state != datafile::FileRead::State::Read)
        return {false, datafile::unreadableNotice(QStringLiteral("Datei"), standingsFile(), file.reason)};
    const QStringList& lines = file.lines;
    if (const QString damage = counterDamage(lines); !damage.isEmpty())
        return {false, datafile::unreadableNotice(QStringLiteral("Datei"), standingsFile(), damage)};
    keyDate = dates::parse(lines[kKeyDateLine].trimmed());
    int at = kFirstCounterLine;
    for (int t = 1; t <= teacherSlots(); ++t) {
        for (int column = 0; column < kColumns; ++column)
            counts(t, column) = *counterValue(lines[at++]);
    }
    return {true, {}};
}

QString MissingKeyDateNotice()
{
    return datafile::unreadableNotice(QStringLiteral("Datei"), standingsFile(),
                                      QStringLiteral("In Zeile 2 steht kein Stichtag"))
           + QStringLiteral(" Bitte den Stichtag unter \"Stichtag festlegen\" neu eintragen.");
}

std::optional<QDate> ReadStandingsKeyDate()
{
    std::optional<QDate> keyDate;
    SubstitutionCounts ignored;
    ReadStandings(keyDate, ignored);
    return keyDate;
}

QStringList StandingsLines(const QString& keyDate, const SubstitutionCounts& counts)
{
    datafile::Writer out;
    out.line(gProgramVersion.toString());
    out.line(datafile::sanitizeField(keyDate.trimmed()));
    for (int t = 1; t <= teacherSlots(); ++t) {
        for (int column = 0; column < kColumns; ++column)
            out.numberSingle(counts(t, column));
    }
    return out.lines();
}

datafile::WriteResult WriteStandings(const QString& keyDate, const SubstitutionCounts& counts)
{
    return datafile::rewrite(standingsFile(), StandingsLines(keyDate, counts));
}

void CountHeldSubstitution(SubstitutionCounts& counts, int substitute, int paidFlag)
{
    if (paidFlag == kRecordPaid)
        counts(substitute, kPaidColumn) += 1;
    else if (paidFlag == kRecordUnpaid)
        counts(substitute, kUnpaidColumn) += 1;
}

std::optional<QDate> KeyDate() { return dates::parse(gKeyDate.toString()); }

FinishedDaysRead LoadSubstitutionTotals()
{
    std::optional<QDate> keyDate;
    if (const SubstitutionFileRead standings = ReadStandings(keyDate, gSubstCounts); !standings)
        return {standings.unreadable.isEmpty() ? QStringList{} : QStringList{standings.unreadable}};
    gKeyDate = keyDate ? Variant(dates::shortText(*keyDate)) : Variant();
    if (!keyDate)
        return {{MissingKeyDateNotice()}};
    return ReadFinishedDays(*keyDate, workDate().addDays(-1), [](const ListedDay&, const DayRecords& day) {
        for (int r = 1; r <= day.count; ++r) {
            const int substitute = day.field(r, kSubstituteField);
            if (substitute >= 1 && day.inTables(r))
                CountHeldSubstitution(gSubstCounts, substitute, day.field(r, kPaidField));
        }
    });
}
