#include "planner/substitution/substitution_statistics.h"

#include "core/model.h"
#include "planner/masterdata/printer_choice.h"
#include "planner/substitution/substitution_records.h"
#include "platform/clock.h"
#include "platform/controls.h"
#include "platform/datafile.h"
#include "platform/dates.h"
#include "platform/dialogs.h"
#include "platform/numbers.h"
#include "platform/printer.h"
#include "platform/runtime.h"
#include "platform/units.h"

#include <QLabel>
#include <QPushButton>

namespace {
constexpr double kLeft = 15;
constexpr double kRight = 182;
constexpr double kMissedX = 90;
constexpr double kPaidX = 120;
constexpr double kUnpaidX = 150;
constexpr double kTitleY = 8;
constexpr double kHeadingY = 21;
constexpr double kHeaderRuleY = 27;
constexpr double kTitleSize = 16;
constexpr double kHeadingSize = 11;
constexpr double kLineSize = 8;
constexpr double kHeaderPen = 5;
constexpr double kNormalPen = 1;
constexpr double kLinePitch = 6;
constexpr double kTextOffset = 22;
constexpr double kUnderlineOffset = 26;
constexpr int kLinesPerPage = 41;
constexpr int kUnderlineEvery = 3;
constexpr int kBlack = 0;
// The rules are drawn in colour number 1, the darkest grey short of black.
constexpr std::uint32_t kRuleColour = 1;
constexpr int kRedColour = 3;
constexpr int kGreenColour = 6;
const QString kDesignFirstDay = QStringLiteral("01.01.1997");

int teacherSlots() { return std::clamp(gMaxTeachers.toInt(), 0, static_cast<int>(StatisticsTallies().size()) - 1); }

std::uint32_t black() { return units::bgrFromText(gColourValues(kBlack)); }

void rule(double y)
{
    printer().setColour(kRuleColour);
    printer().line(kLeft, y, kRight, y);
    printer().setColour(black());
}

void printHeader(const QString& title)
{
    printer().setOrientation(QPageLayout::Portrait);
    printer().setScaleMode(Printer::Scale::Millimetres);
    printer().setColour(black());
    printer().setFontSize(kTitleSize);
    printer().setFontBold(true);
    printTitleAt(kLeft, kTitleY, title);
    printer().setFontSize(kHeadingSize);
    printAt(kLeft, kHeadingY, QStringLiteral("Name"));
    printAt(kMissedX, kHeadingY, QStringLiteral("gefehlt"));
    printAt(kPaidX, kHeadingY, QStringLiteral("bez.Sup."));
    printAt(kUnpaidX, kHeadingY, QStringLiteral("unbez."));
    printer().setPenWidth(kHeaderPen);
    rule(kHeaderRuleY);
    printer().setPenWidth(kNormalPen);
}

void printCount(double x, double y, int count)
{
    if (count > 0)
        printAt(x, y, numbers::printForm(count));
}

void tallyDay(const DayRecords& day, StatisticsTallies& tallies)
{
    for (int r = 1; r <= day.count; ++r) {
        const int absent = day.field(r, kAbsentTeacherField);
        if (absent < 1 || !day.inTables(r))
            continue;
        const int substitute = day.field(r, kSubstituteField);
        ++tallies[static_cast<std::size_t>(absent)].missed;
        if (substitute < 1)
            continue;
        TeacherTally& held = tallies[static_cast<std::size_t>(substitute)];
        const int paid = day.teacherPaid(absent);
        if (paid == kRecordPaid)
            ++held.paid;
        else if (paid == kRecordUnpaid)
            ++held.unpaid;
    }
}

std::uint32_t colour(int entry) { return static_cast<std::uint32_t>(gBackColours(entry).toDouble()); }
}

SubstitutionStatistics CountSubstitutionStatistics(const QDate& first, const QDate& last)
{
    SubstitutionStatistics counted;
    FinishedDaysRead read = ReadFinishedDays(
        first, last, [&](const ListedDay&, const DayRecords& day) { tallyDay(day, counted.tallies); }, true);
    counted.unreadable = std::move(read.unreadable);
    return counted;
}

void PrintSubstitutionStatistics(const QString& firstText, const QDate& last, const StatisticsTallies& tallies)
{
    const QString title = QStringLiteral("Supplierstatistik:  ") + firstText + QStringLiteral(" - ")
                          + dates::shortText(last) + QStringLiteral("  ") + gSchoolName.toString();
    printer().setFontName(QStringLiteral("Arial"));
    printHeader(title);
    int line = 0;
    int printed = 0;
    for (int t = 1; t <= teacherSlots(); ++t) {
        const TeacherTally& tally = tallies[static_cast<std::size_t>(t)];
        if (tally.total() == 0)
            continue;
        if (++line > kLinesPerPage) {
            printer().endDoc();
            printHeader(title);
            line = 1;
        }
        if (++printed % kUnderlineEvery == 0)
            rule(kLinePitch * line + kUnderlineOffset);
        const double y = kLinePitch * line + kTextOffset;
        printer().setFontSize(kLineSize);
        printer().setFontBold(false);
        printAt(kLeft, y, gTeacherNames(t).toString());
        printCount(kMissedX, y, tally.missed);
        printCount(kPaidX, y, tally.paid);
        printCount(kUnpaidX, y, tally.unpaid);
    }
    printer().endDoc();
}

Form41::Form41() : FormBase(41)
{
    setObjectName(QStringLiteral("Form41"));
    setWindowTitle(QStringLiteral("Statistik"));

    Label1 = controls::label(this, "Label1", QStringLiteral("von"));
    Text1 = controls::named<TextBox>(this, "Text1");
    Label2 = controls::label(this, "Label2", QStringLiteral("bis"));
    Text2 = controls::named<TextBox>(this, "Text2");
    Label3 = controls::label(this, "Label3", QString());
    Command2 = controls::button(this, "Command2", QStringLiteral("Auswertung starten"));
    Command3 = controls::button(this, "Command3", QStringLiteral("Drucker"));
    Command1 = controls::button(this, "Command1", QStringLiteral("Ende"));

    place(Label1, 120, 180, 600, 255);
    place(Text1, 780, 120, 1500, 330);
    place(Label2, 2460, 180, 600, 255);
    place(Text2, 3120, 120, 1500, 330);
    place(Label3, 120, 660, 4500, 255);
    place(Command2, 120, 1080, 1800, 420);
    place(Command3, 2040, 1080, 1200, 420);
    place(Command1, 3420, 1080, 1200, 420);
    resize(units::twipsToPixels(4860), units::twipsToPixels(1680));

    connect(Text1, &TextBox::Change, this, [this] { showDateState(Text1); });
    connect(Text2, &TextBox::Change, this, [this] { showDateState(Text2); });
    connect(Text1, &TextBox::LostFocus, this, &Form41::Text1_LostFocus);
    connect(Text2, &TextBox::LostFocus, this, &Form41::Text2_LostFocus);
    connect(Command2, &QPushButton::clicked, this, &Form41::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form41::Command3_Click);
    connect(Command1, &QPushButton::clicked, this, &Form41::Command1_Click);
}

void Form41::Form_Load()
{
    Text1->setText(kDesignFirstDay);
    Text2->setText(dates::shortText(Clock::today()));
}

void Form41::Form_Activate() { Label3->setText(printer().deviceName()); }

void Form41::showDateState(TextBox* box)
{
    controls::setBackColor(box, colour(dates::isValid(box->text().trimmed()) ? kGreenColour : kRedColour));
}

// A box that holds no date keeps what was typed, to be corrected.
void Form41::Text1_LostFocus()
{
    if (const std::optional<QDate> day = dates::parse(Text1->text().trimmed()))
        Text1->setText(dates::shortText(*day));
}

void Form41::Text2_LostFocus()
{
    if (const std::optional<QDate> day = dates::parse(Text2->text().trimmed()))
        Text2->setText(dates::shortText(*day));
}

// The range must be two dates: a box that is no date (red) starts nothing.
void Form41::Command2_Click()
{
    const std::optional<QDate> first = dates::parse(Text1->text().trimmed());
    const std::optional<QDate> last = dates::parse(Text2->text().trimmed());
    if (!first || !last)
        return;
    SubstitutionStatistics counted;
    {
        const BusyPointer busy;
        counted = CountSubstitutionStatistics(*first, *last);
    }
    // Every count of a teacher is a sum over the days: a printout that lacks
    // a day is wrong on every line and does not show it.
    if (!counted.unreadable.isEmpty()) {
        MsgBox(QStringLiteral("Die Statistik wurde nicht gedruckt:\n") + counted.unreadable.join(QLatin1Char('\n')),
               kPlannerDialogTitle);
        return;
    }
    if (!datafile::exists(gDataPath + QStringLiteral("date.sup")))
        return;
    PrintRun run;
    {
        const BusyPointer busy;
        printer().beginRun(QStringLiteral("Supplierstatistik"), gDataPath + QStringLiteral("Ausdrucke"));
        PrintSubstitutionStatistics(Text1->text().trimmed(), *last, counted.tallies);
        run = printer().endRun();
    }
    reportPrintRun(run);
}

void Form41::Command3_Click() { forms::show<Form28>(); }

void Form41::Command1_Click() { unload(); }
