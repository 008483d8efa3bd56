#include "planner/substitution/substitution_export.h"

#include "core/model.h"
#include "planner/substitution/substitution_records.h"
#include "planner/substitution/substitution_standings.h"
#include "platform/clock.h"
#include "platform/controls.h"
#include "platform/dates.h"
#include "platform/dialogs.h"
#include "platform/numbers.h"
#include "platform/units.h"

#include <QLabel>
#include <QPushButton>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

namespace {
const QString kExportFile = QStringLiteral("MDL.txt");
const QString kNumberFile = QStringLiteral("MDLNr.dat");
// Without "MDLNr.dat" the first record gets the number 1000.
constexpr int kNumberBeforeFirst = 999;
// The numbers are those of a 32-bit number: the importer counts no further.
constexpr qint64 kLastNumber = std::numeric_limits<std::int32_t>::max();
constexpr int kSubjectPrintColumn = 2;
constexpr int kRedColour = 3;
constexpr int kGreenColour = 6;
const QLatin1Char kQuote('"');
const QLatin1Char kSeparator(';');
const QStringList kHeader = {"Nr", "Schluessel", "SuDatum", "Std", "Fach", "Kl",
                             "Vertr", "Text", "StdZahl", "bu", "Abwes", "unb"};

// A value quoted; a quote inside it stays as it is, as the importer expects.
QString quoted(const QString& value) { return kQuote + value + kQuote; }

QString headerLine()
{
    QStringList fields;
    for (const QString& name : kHeader)
        fields << quoted(name);
    return fields.join(kSeparator);
}

// A paid flag other than 0 or 1 keeps its field, empty, so that the fields
// after it stay in their columns for the importer.
QString paidField(int flag)
{
    if (flag == kRecordUnpaid)
        return QStringLiteral("u");
    if (flag == kRecordPaid)
        return QStringLiteral("b");
    return QString();
}

QString recordLine(qint64 number, const QDate& day, const DayRecords& records, int r, const SubstitutionCounts& counts)
{
    const int substitute = records.field(r, kSubstituteField);
    const QStringList fields = {
        QString::number(number),
        quoted(QStringLiteral("abc")),
        dates::shortText(day),
        quoted(QString::number(records.field(r, kPeriodField))),
        quoted(gSubjectNames(records.field(r, kSubjectField), kSubjectPrintColumn)),
        quoted(gClassNames(records.field(r, kClassField)).toString()),
        quoted(gTeacherShort(substitute)),
        quoted(records.texts(r)),
        QStringLiteral("1,00"),
        quoted(paidField(records.field(r, kPaidField))),
        quoted(gTeacherShort(records.field(r, kAbsentTeacherField))),
        QString::number(std::lround(counts(substitute, kUnpaidColumn))) + QStringLiteral(",00"),
    };
    return datafile::sanitizeField(fields.join(kSeparator));
}

// The last number used, or the notice why "MDLNr.dat" could not be read:
// taken as missing, the numbering would start again at 1000, and taken as 0
// at 1, handing out numbers already used either way.
struct LastNumber {
    int number = kNumberBeforeFirst;
    QString unreadable;
};

// The highest number of the last export, if "MDL.txt" holds one: the first
// field of each of its lines but the header.
std::optional<qint64> highestExported()
{
    std::optional<qint64> highest;
    for (const QString& line : datafile::readLines(gDataPath + kExportFile).value_or(QStringList{})) {
        bool isNumber = false;
        const qint64 number = line.section(kSeparator, 0, 0).toLongLong(&isNumber);
        if (isNumber && number >= 0 && number > highest.value_or(-1))
            highest = number;
    }
    return highest;
}

// A "MDLNr.dat" the numbering cannot go on from. Deleting it would start the
// numbering at 1000 again, handing out numbers used before: the user is asked
// to write the last number handed out into it instead.
QString damagedNumberNotice(const QString& reason)
{
    QString notice = datafile::unreadableNotice(QStringLiteral("Datei"), gDataPath + kNumberFile, reason)
                     + QStringLiteral(" Bitte die zuletzt vergebene Nummer in die Datei schreiben");
    if (const std::optional<qint64> highest = highestExported())
        notice += QStringLiteral(", die höchste Nummer in %1 ist %2").arg(kExportFile).arg(*highest);
    return notice + QLatin1Char('.');
}

LastNumber lastNumberUsed()
{
    const QString path = gDataPath + kNumberFile;
    const datafile::FileRead file = datafile::readFile(path);
    if (file.state == datafile::FileRead::State::Missing)
        return {};
    const QString kind = QStringLiteral("Datei");
    if (file.state == datafile::FileRead::State::Unreadable)
        return {kNumberBeforeFirst, datafile::unreadableNotice(kind, path, file.reason)};
    const Variant first(file.lines.value(0));
    const std::optional<int> number = first.isNumeric() ? numbers::toInt32(first.toDouble()) : std::nullopt;
    // A number below 0 was never handed out: counting on from it would hand
    // out the numbers above it again.
    if (number && *number == first.toDouble() && *number >= 0)
        return {*number, {}};
    return {kNumberBeforeFirst, damagedNumberNotice(QStringLiteral("Sie enthält keine gültige Nummer"))};
}

QStringList numberLines(qint64 number)
{
    datafile::Writer out;
    out.number(static_cast<double>(number));
    return out.lines();
}

const QString kNothingWritten = QStringLiteral("Der Export wurde nicht geschrieben, die Nummerierung bleibt unverändert.\n");

datafile::WriteResult notWritten(const QString& reason) { return {false, kNothingWritten + reason}; }

// An export as it is built before anything is written: the last number
// used, the running counts and the lines of "MDL.txt".
// The number runs in 64 bits, so that one beyond the last number the
// importer takes is found before anything is written.
struct ExportDraft {
    qint64 number;
    SubstitutionCounts counts;
    QStringList lines = {headerLine()};

    // Numbers the records of the days from `first` to `last` that lie on or
    // after the key date; every substitution from the key date on counts.
    FinishedDaysRead addDays(const QDate& keyDate, const QDate& first, const QDate& last)
    {
        return ReadFinishedDays(keyDate, last, [&](const ListedDay& listed, const DayRecords& records) {
            for (int r = 1; r <= records.count; ++r) {
                const int substitute = records.field(r, kSubstituteField);
                if (substitute < 1 || !records.inTables(r))
                    continue;
                if (listed.day >= first)
                    lines << recordLine(++number, listed.day, records, r, counts);
                CountHeldSubstitution(counts, substitute, records.field(r, kPaidField));
            }
        });
    }
};

// The number and the export are written all or none, the number first: a
// number on record whose export failed is at worst skipped, while an export
// whose number was not recorded would hand its numbers out again. A file that
// holds its new bytes already keeps its time stamp.
datafile::WriteResult writeExport(qint64 before, const ExportDraft& draft)
{
    const std::pair<QString, QStringList> files[] = {{kNumberFile, numberLines(draft.number)},
                                                     {kExportFile, draft.lines}};
    std::vector<datafile::FileBytes> set;
    for (const auto& [name, lines] : files) {
        if (!datafile::holds(gDataPath + name, lines))
            set.push_back({gDataPath + name, datafile::bytesOf(lines)});
    }
    const datafile::WriteResult written = datafile::rewriteSet(set);
    if (written)
        return written;
    // The earlier "MDL.txt" stays whole and holds none of the new numbers, so
    // they may be handed out again; unless "MDLNr.dat" kept them.
    if (!written.changed.contains(gDataPath + kNumberFile))
        return notWritten(written.reason);
    return {false, QStringLiteral("Der Export wurde nicht geschrieben, die Nummern %1 bis %2 bleiben ungenutzt.\n")
                           .arg(before + 1)
                           .arg(draft.number)
                       + written.reason};
}

std::uint32_t colour(int entry) { return static_cast<std::uint32_t>(gBackColours(entry).toDouble()); }

// Green for a date, red otherwise; the date, or none.
std::optional<QDate> showDateState(TextBox* box)
{
    const std::optional<QDate> day = dates::parse(box->text().trimmed());
    controls::setBackColor(box, colour(day ? kGreenColour : kRedColour));
    return day;
}
}

datafile::WriteResult ExportSubstitutionRecords(const QDate& first, const QDate& last)
{
    const LastNumber before = lastNumberUsed();
    if (!before.unreadable.isEmpty())
        return notWritten(before.unreadable);
    ExportDraft draft{before.number, gSubstCounts};
    std::optional<QDate> keyDate;
    const SubstitutionFileRead standings = ReadStandings(keyDate, draft.counts);
    if (!standings.unreadable.isEmpty())
        return notWritten(standings.unreadable);
    // Without a key date no day would count from it: the export would be its
    // header alone, in place of the last one.
    if (standings && !keyDate)
        return notWritten(MissingKeyDateNotice());
    if (standings) {
        // A day left out would shift every number and unpaid count after it.
        const FinishedDaysRead read = draft.addDays(*keyDate, first, last);
        if (!read.unreadable.isEmpty())
            return notWritten(read.unreadable.join(QLatin1Char('\n')));
        gKeyDate = dates::shortText(*keyDate);
    }
    if (draft.number > kLastNumber)
        return notWritten(damagedNumberNotice(
            QStringLiteral("Nach ihrer Nummer %1 reichen die Nummern nicht für die %2 Vertretungen dieses Exports")
                .arg(before.number)
                .arg(draft.number - before.number)));
    const datafile::WriteResult written = writeExport(before.number, draft);
    if (written)
        gSubstCounts = draft.counts;
    return written;
}

Form50::Form50() : FormBase(50)
{
    setObjectName(QStringLiteral("Form50"));
    setWindowTitle(QStringLiteral("Export ins MDL-Programm"));

    Label1 = controls::label(this, "Label1", QStringLiteral("von"));
    Text1 = controls::named<TextBox>(this, "Text1");
    Text1->setText(QStringLiteral("24.2.2002"));
    Label2 = controls::label(this, "Label2", QStringLiteral("bis"));
    Text2 = controls::named<TextBox>(this, "Text2");
    Text2->setText(QStringLiteral("1.3.2002"));
    Command2 = controls::button(this, "Command2", QStringLiteral("Export starten"));
    Command1 = controls::button(this, "Command1", QStringLiteral("Exit"));

    place(Label1, 120, 180, 600, 255);
    place(Text1, 780, 120, 1500, 330);
    place(Label2, 2460, 180, 600, 255);
    place(Text2, 3120, 120, 1500, 330);
    place(Command2, 120, 660, 2160, 420);
    place(Command1, 3120, 660, 1500, 420);
    resize(units::twipsToPixels(4860), units::twipsToPixels(1260));

    connect(Text1, &TextBox::Change, this, &Form50::Text1_Change);
    connect(Text2, &TextBox::Change, this, &Form50::Text2_Change);
    connect(Command2, &QPushButton::clicked, this, &Form50::Command2_Click);
    connect(Command1, &QPushButton::clicked, this, &Form50::Command1_Click);
}

void Form50::Form_Load()
{
    if (datafile::exists(gDataPath + QStringLiteral("stand.sup"))) {
        const std::optional<QDate> keyDate = ReadStandingsKeyDate();
        gKeyDate = keyDate ? Variant(dates::shortText(*keyDate)) : Variant();
        Text1->setText(gKeyDate.toString());
    }
    gRangeTo = dates::shortText(Clock::today().addDays(-1));
    Text2->setText(gRangeTo.toString());
    enableExport();
}

void Form50::Text1_Change()
{
    if (const std::optional<QDate> day = showDateState(Text1))
        gRangeFrom = QDateTime(*day, QTime(0, 0));
    enableExport();
}

void Form50::Text2_Change()
{
    if (const std::optional<QDate> day = showDateState(Text2))
        gRangeTo = dates::shortText(*day);
    enableExport();
}

void Form50::enableExport()
{
    Command2->setEnabled(dates::isValid(Text1->text().trimmed()) && dates::isValid(Text2->text().trimmed()));
}

// The range is the one the boxes show: another window may have set the
// shared range meanwhile.
void Form50::Command2_Click()
{
    const std::optional<QDate> first = dates::parse(Text1->text().trimmed());
    const std::optional<QDate> last = dates::parse(Text2->text().trimmed());
    if (!first || !last)
        return;
    if (const datafile::WriteResult written = ExportSubstitutionRecords(*first, *last); !written.reason.isEmpty())
        MsgBox(written.reason, kPlannerDialogTitle);
}

void Form50::Command1_Click() { unload(); }
