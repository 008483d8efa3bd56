#include "planner/substitution/substitution_export.h"

#include "core/model.h"
#include "planner/substitution/substitution_records.h"
#include "planner/substitution/substitution_standings.h"
#include "platform/clock.h"
#include "platform/controls.h"
#include "platform/dates.h"
#include "platform/dialogs.h"
#include "platform/units.h"

#include <QLabel>
#include <QPushButton>
#include <cmath>

namespace {
const QString kExportFile = QStringLiteral("MDL.txt");
const QString kNumberFile = QStringLiteral("MDLNr.dat");
// Without "MDLNr.dat" the first record gets the number 1000.
constexpr int kNumberBeforeFirst = 999;
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

QString recordLine(int number, const QDate& day, const DayRecords& records, int r)
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
        QString::number(std::lround(gSubstCounts(substitute, kUnpaidColumn))) + QStringLiteral(",00"),
    };
    return datafile::sanitizeField(fields.join(kSeparator));
}

int lastNumberUsed()
{
    datafile::Reader in(gDataPath + kNumberFile);
    if (!in.isOpen())
        return kNumberBeforeFirst;
    int number = 0;
    in.numberInput(number);
    return number;
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
    int number = lastNumberUsed();
    QStringList lines = {headerLine()};
    std::optional<QDate> keyDate;
    // Without a key date no day counts from it: the export is its header.
    if (ReadStandings(keyDate, gSubstCounts) && keyDate) {
        gKeyDate = dates::shortText(*keyDate);
        DayRecords records;
        for (const ListedDay& listed : ListedSubstitutionDays()) {
            if (listed.day > last || listed.day < *keyDate || !records.read(listed.key))
                continue;
            const bool inRange = listed.day >= first;
            for (int r = 1; r <= records.count; ++r) {
                const int substitute = records.field(r, kSubstituteField);
                if (substitute < 1 || !records.inTables(r))
                    continue;
                if (inRange)
                    lines << recordLine(++number, listed.day, records, r);
                CountHeldSubstitution(gSubstCounts, substitute, records.field(r, kPaidField));
            }
        }
    }
    if (const datafile::WriteResult written = datafile::rewrite(gDataPath + kExportFile, lines); !written)
        return {false, kExportFile + QStringLiteral(": ") + written.reason};
    datafile::Writer numberFile;
    numberFile.number(number);
    if (const datafile::WriteResult written = datafile::rewrite(gDataPath + kNumberFile, numberFile.lines()); !written)
        return {false, kNumberFile + QStringLiteral(": ") + written.reason};
    return {};
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
    if (const datafile::WriteResult written = ExportSubstitutionRecords(*first, *last); !written)
        MsgBox(QStringLiteral("Der Export konnte nicht geschrieben werden, die Nummerierung bleibt unverändert.\n")
               + written.reason);
}

void Form50::Command1_Click() { unload(); }
