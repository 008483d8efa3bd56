#include "planner/substitution/cancellation_list.h"

#include "core/model.h"
#include "planner/editor/optimiser_runs.h"
#include "planner/editor/optimiser_window.h"
#include "planner/print/print_procedures.h"
#include "planner/substitution/absences_window.h"
#include "planner/substitution/substitution_day.h"
#include "platform/clock.h"
#include "platform/controls.h"
#include "platform/dates.h"
#include "platform/dialogs.h"
#include "platform/input_guard.h"
#include "platform/numbers.h"
#include "platform/printer.h"
#include "platform/runtime.h"
#include "platform/units.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace {
constexpr int kAway = 1;
constexpr int kWeekdays = 6;
constexpr int kPeriods = 11;
constexpr int kDefaultRangeDays = 4;
constexpr int kRowsPerPage = 40;
constexpr double kLeft = 10;
constexpr double kTitleY = 10;
constexpr double kTitleSize = 18;
constexpr double kNarrowTitleSize = 14;
constexpr double kWidestTitle = 180;
constexpr double kLineSize = 9;
constexpr double kFirstY = 30;
constexpr double kRowPitch = 6;
constexpr double kDayColumnX = 40;
constexpr double kDayColumnPitch = 20;
constexpr double kTotalX = 180;
constexpr double kFrameLeft = 8;
constexpr double kFrameRight = 186;
constexpr double kFrameAbove = 1.5;
constexpr int kBlack = 0;
const QString kDescription = QStringLiteral(
    "Erstellung von Entfallslisten und vorläufigen Supplierplaneinstellungen für Sportwochen, Schikurse und "
    "andere mehrtägige Veranstaltungen");

int teacherSlots() { return std::clamp(gMaxTeachers.toInt(), 0, static_cast<int>(decltype(Model::gTeacherAbsence)::upper())); }
int classSlots() { return std::clamp(gMaxClasses.toInt(), 0, static_cast<int>(decltype(Model::gClassAbsence)::upper())); }

bool classAway(int c) { return c >= 1 && c <= classSlots() && gClassAbsence(c) == kAway; }

QString printFontName()
{
    const int index = gFontIndex.toInt();
    return gFontNames(gFontNames.inBounds(index) ? index : 0);
}

QString cancellationTitle()
{
    QString title = QStringLiteral("Entfallsliste ");
    for (int c = 1; c <= classSlots(); ++c) {
        if (classAway(c))
            title += gClassPrintNames(c) + QStringLiteral("  ");
    }
    return title + QStringLiteral("-  ") + gSchoolName.toString();
}

void setLineFont()
{
    printer().setFontSize(kLineSize);
    printer().setFontBold(false);
}

void printTitle(const QString& title)
{
    printer().setScaleMode(Printer::Scale::Millimetres);
    printer().setOrientation(QPageLayout::Portrait);
    printer().setFontName(printFontName());
    printer().setColour(units::bgrFromText(gColourValues(kBlack)));
    printer().setFontBold(true);
    printer().setFontSize(kTitleSize);
    if (printer().textWidth(title) > kWidestTitle)
        printer().setFontSize(kNarrowTitleSize);
    printAt(kLeft, kTitleY, title);
    setLineFont();
}

double dayColumnX(int day) { return kDayColumnX + kDayColumnPitch * day; }

void printWeekdayNames()
{
    const int days = std::clamp(gDaysPerWeek.toInt(), 0, kWeekdays);
    for (int d = 1; d <= days; ++d)
        printAt(dayColumnX(d), kFirstY, gDayNames(d).toString());
}

void printRow(const CancelledLessons& lessons, int row)
{
    const double y = kFirstY + kRowPitch * row;
    printAt(kLeft, y, gTeacherNames(lessons.teacher).toString());
    for (int d = 1; d <= kWeekdays; ++d) {
        const int count = lessons.perDay[static_cast<std::size_t>(d)];
        if (count > 0)
            printAt(dayColumnX(d), y, QString(count, QLatin1Char('O')));
    }
    printAt(kTotalX, y, numbers::printForm(lessons.total));
    gRectX1 = kFrameLeft;
    gRectY1 = y - kFrameAbove;
    gRectX2 = kFrameRight;
    gRectY2 = static_cast<float>(y + kRowPitch - kFrameAbove);
    DrawPrinterRectangle();
}

bool isSchoolDay(const QDate& day) { return dates::weekday(day) <= gDaysPerWeek.toInt(); }

std::uint32_t colour(int entry) { return static_cast<std::uint32_t>(gBackColours(entry).toDouble()); }

// True, and told, while the plan in memory is a grid a run left unfinished.
bool toldUnfinishedGrid(const QString& refused)
{
    const QString told = optimiser::unfinishedGridRefusal(refused);
    if (!told.isEmpty())
        MsgBox(told + QLatin1Char('.'), kPlannerDialogTitle);
    return !told.isEmpty();
}
}

QList<CancelledLessons> CountCancelledLessons()
{
    QList<CancelledLessons> list;
    for (int t = 1; t <= teacherSlots(); ++t) {
        if (gTeacherAbsence(t) == kAway)
            continue;
        CancelledLessons lessons;
        lessons.teacher = t;
        for (int d = 1; d <= kWeekdays; ++d) {
            for (int p = 1; p <= kPeriods; ++p) {
                if (classAway(gTeacherPlanClass(t, d, p))) {
                    ++lessons.perDay[static_cast<std::size_t>(d)];
                    ++lessons.total;
                }
            }
        }
        if (lessons.total > 0)
            list << lessons;
    }
    return list;
}

// A page holds 40 rows under its title; a continuation page repeats the
// weekday names under the title and counts its rows from 1 again, so that
// no row stands on the names.
void PrintCancellationList(const QList<CancelledLessons>& lessons)
{
    const QString title = cancellationTitle();
    printTitle(title);
    int row = 0;
    for (const CancelledLessons& teacher : lessons) {
        if (++row > kRowsPerPage) {
            printWeekdayNames();
            printer().endDoc();
            printTitle(title);
            row = 1;
        }
        printRow(teacher, row);
    }
    printWeekdayNames();
    printer().endDoc();
}

ProvisionalDays SaveProvisionalDays(const QDate& first, const QDate& last)
{
    ProvisionalDays days;
    const Variant workDate = gWorkDate;
    const std::optional<QDate> dayInMemory = dates::parse(workDate.toString());
    const short readWith = gSubstDayPeriods;
    for (QDate day = first; day <= last; day = day.addDays(1)) {
        if (!isSchoolDay(day))
            continue;
        gWorkDate = dates::shortText(day);
        // Only the day read from its file keeps the periods it was read
        // with: its copies are new days of the school's periods, else each
        // would be told of other periods at every opening.
        gSubstDayPeriods = day == dayInMemory ? readWith : 0;
        if (const SubstitutionDaySave saved = SaveSubstitutionDay(); !saved) {
            days.failed = day;
            days.failure = saved.reason;
            days.failedDayChanged = saved.dayFileChanged;
            break;
        }
        days.written << day;
    }
    gWorkDate = workDate;
    gSubstDayPeriods = readWith;
    return days;
}

Form60::Form60() : FormBase(60)
{
    setObjectName(QStringLiteral("Form60"));
    setWindowTitle(QStringLiteral("Entfälle für eine Woche"));

    Label3 = controls::label(this, "Label3", kDescription);
    Label3->setWordWrap(true);
    Label3->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Shape1 = controls::named<QFrame>(this, "Shape1");
    Shape2 = controls::named<QFrame>(this, "Shape2");
    for (QFrame* shape : {Shape1, Shape2})
        shape->setFrameShape(QFrame::Box);
    Label13 = controls::label(this, "Label13", QStringLiteral("von"));
    Text2 = controls::named<TextBox>(this, "Text2");
    Text2->setText(QStringLiteral("13-12-2005"));
    Label8 = controls::label(this, "Label8", QStringLiteral("Wochentag"));
    Command14 = controls::button(this, "Command14", QStringLiteral("-"));
    Command13 = controls::button(this, "Command13", QStringLiteral("+"));
    Label1 = controls::label(this, "Label1", QStringLiteral("bis"));
    Text1 = controls::named<TextBox>(this, "Text1");
    Text1->setText(QStringLiteral("13-12-2005"));
    Label2 = controls::label(this, "Label2", QStringLiteral("Wochentag"));
    Command3 = controls::button(this, "Command3", QStringLiteral("-"));
    Command2 = controls::button(this, "Command2", QStringLiteral("+"));
    Command1 = controls::button(this, "Command1", QStringLiteral("Entfallsliste drucken"));
    Label4 = controls::label(this, "Label4", QStringLiteral("sind Sie sicher ?"));
    controls::setForeColor(Label4, colour(3));
    Command5 = controls::button(this, "Command5", QStringLiteral("vorläufige Vertretungspläne erstellen"));
    Command5->setToolTip(QStringLiteral(
        "Vertretungspläne werden neu erstellt - bestehende Pläne im eingestellten Zeitraum überschrieben"));
    Command6 = controls::button(this, "Command6", QStringLiteral("ja"));
    Command7 = controls::button(this, "Command7", QStringLiteral("nein"));
    Command4 = controls::button(this, "Command4", QStringLiteral("exit"));
    // A button does not wrap its caption; these are two and three lines high
    // so that their captions stand on lines of their own.
    for (QPushButton* wrapped : {Command1, Command5})
        wrapped->setText(wrapped->text().replace(QLatin1Char(' '), QLatin1Char('\n')));
    Command6->hide();
    Command7->hide();
    // They ask in place of a box.
    inputguard::asks(Command6);
    inputguard::asks(Command7);

    place(Label3, 270, 270, 4860, 1215);
    place(Shape1, 270, 1620, 1770, 1770);
    place(Shape2, 2835, 1620, 1770, 1770);
    place(Label13, 405, 1755, 1500, 255);
    place(Text2, 405, 2025, 1500, 405);
    place(Label8, 405, 2430, 1500, 255);
    place(Command14, 405, 2970, 285, 285);
    place(Command13, 1620, 2970, 285, 285);
    place(Label1, 2970, 1755, 1500, 255);
    place(Text1, 2970, 2025, 1500, 405);
    place(Label2, 2970, 2430, 1500, 255);
    place(Command3, 2970, 2970, 285, 285);
    place(Command2, 4185, 2970, 285, 285);
    place(Label4, 1755, 3915, 1770, 255);
    place(Command1, 270, 3780, 1395, 690);
    place(Command5, 1755, 3780, 1770, 690);
    place(Command4, 3645, 3780, 960, 690);
    place(Command6, 1755, 4455, 855, 375);
    place(Command7, 2700, 4455, 825, 375);
    resize(units::twipsToPixels(5400), units::twipsToPixels(5040));
    Command5->raise();

    connect(Text2, &TextBox::Change, this, &Form60::Text2_Change);
    connect(Text1, &TextBox::Change, this, &Form60::Text1_Change);
    connect(Command14, &QPushButton::clicked, this, &Form60::Command14_Click);
    connect(Command13, &QPushButton::clicked, this, &Form60::Command13_Click);
    connect(Command3, &QPushButton::clicked, this, &Form60::Command3_Click);
    connect(Command2, &QPushButton::clicked, this, &Form60::Command2_Click);
    connect(Command1, &QPushButton::clicked, this, &Form60::Command1_Click);
    connect(Command5, &QPushButton::clicked, this, &Form60::Command5_Click);
    connect(Command7, &QPushButton::clicked, this, &Form60::Command7_Click);
    connect(Command6, &QPushButton::clicked, this, &Form60::Command6_Click);
    connect(Command4, &QPushButton::clicked, this, &Form60::Command4_Click);
}

// A working date that is no date starts the range today.
void Form60::Form_Load()
{
    const QDate start = dates::parse(gWorkDate.toString()).value_or(Clock::today());
    Text2->setText(dates::shortText(start));
    Text1->setText(dates::shortText(start.addDays(kDefaultRangeDays)));
}

void Form60::Text2_Change()
{
    if (const std::optional<QDate> day = dates::parse(Text2->text())) {
        m_first = *day;
        gRangeFrom = QDateTime(*day, QTime(0, 0));
        Label8->setText(gDayNames(dates::weekday(*day)).toString());
    }
    enableCommands();
}

void Form60::Text1_Change()
{
    if (const std::optional<QDate> day = dates::parse(Text1->text())) {
        m_last = *day;
        gRangeTo = dates::shortText(*day);
        Label2->setText(gDayNames(dates::weekday(*day)).toString());
    }
    enableCommands();
}

bool Form60::rangeValid() const
{
    return dates::isValid(Text2->text()) && dates::isValid(Text1->text()) && m_first <= m_last;
}

void Form60::enableCommands()
{
    Command1->setEnabled(rangeValid());
    Command5->setEnabled(rangeValid());
}

void Form60::Command14_Click()
{
    if (m_first.isValid())
        Text2->setText(dates::shortText(m_first.addDays(-1)));
}

void Form60::Command13_Click()
{
    if (m_first.isValid())
        Text2->setText(dates::shortText(m_first.addDays(1)));
}

void Form60::Command3_Click()
{
    if (m_last.isValid())
        Text1->setText(dates::shortText(m_last.addDays(-1)));
}

void Form60::Command2_Click()
{
    if (m_last.isValid())
        Text1->setText(dates::shortText(m_last.addDays(1)));
}

// The list and the provisional days are drawn from the grid: while a run
// fills it they wait for the run to return with its best plan.
void Form60::Command1_Click()
{
    AfterOptimisationRun(this, [this] { printList(); });
}

void Form60::printList()
{
    if (!rangeValid() || toldUnfinishedGrid(QStringLiteral("wird nicht gedruckt")))
        return;
    PrintRun run;
    {
        const BusyPointer busy;
        // Shown again when the window is next opened.
        Command1->hide();
        printer().beginRun(QStringLiteral("Entfallsliste"), gDataPath + QStringLiteral("Ausdrucke"));
        PrintCancellationList(CountCancelledLessons());
        run = printer().endRun();
    }
    reportPrintRun(run);
}

void Form60::Command5_Click()
{
    Command5->hide();
    Command6->show();
    Command7->show();
}

void Form60::Command7_Click()
{
    Command5->show();
    Command6->hide();
    Command7->hide();
}

// The range is checked again: the dates may have changed while the question
// was shown, and a range that is no longer valid writes nothing.
void Form60::Command6_Click()
{
    AfterOptimisationRun(this, [this] { saveProvisionalDays(); });
}

void Form60::saveProvisionalDays()
{
    Command5->show();
    Command5->setEnabled(false);
    Command6->hide();
    Command7->hide();
    if (!rangeValid()) {
        MsgBox(QStringLiteral("Der Zeitraum ist ungültig; es wurde nichts geschrieben."), kPlannerDialogTitle);
        return;
    }
    if (toldUnfinishedGrid(QStringLiteral("ergibt keine Vertretungspläne")))
        return;
    ProvisionalDays days;
    {
        const BusyPointer busy;
        days = SaveProvisionalDays(m_first, m_last);
    }
    if (!days.failed)
        return;
    QStringList written;
    for (const QDate& day : days.written)
        written << dates::shortText(day);
    // A day file left changed though its date is not listed is on disk and
    // counts nowhere: the user must learn of it to write the day again.
    const QString unlisted =
        days.failedDayChanged
            ? QStringLiteral("Seine Tagesdatei wurde dennoch geändert, sein Datum steht aber nicht in date.sup; "
                             "Statistik, Stand und Export sehen diesen Tag nicht.\n")
            : QString();
    MsgBox(QStringLiteral("Der Vertretungsplan für den %1 konnte nicht geschrieben werden (%2); die Erstellung wurde "
                          "abgebrochen.\n")
                   .arg(dates::shortText(*days.failed), days.failure)
               + unlisted
               + (written.isEmpty() ? QStringLiteral("Es wurde kein Tag geschrieben.")
                                    : QStringLiteral("Geschrieben wurden: ") + written.join(QStringLiteral(", "))),
           kPlannerDialogTitle);
}

void Form60::Command4_Click() { unload(); }

void Form60::Form_Unload(bool&)
{
    if (Form20* absences = forms::ifOpen<Form20>()) {
        absences->show();
        absences->activate();
    }
}
