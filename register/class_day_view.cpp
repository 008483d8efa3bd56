#include "register/class_day_view.h"

#include "core/model.h"
#include "platform/dates.h"
#include "platform/numbers.h"
#include "platform/units.h"
#include "register/day_file.h"
#include "register/entry_removal.h"
#include "register/entry_window.h"

#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace {
constexpr std::uint32_t kDarkBlue = 0x800000;
constexpr std::uint32_t kGreen = 0x008000;
constexpr controls::Font kListFont{"Lucida Console", 9};

const QStringList kFreeDayWords = {QStringLiteral("FERIALTAG"), QStringLiteral("STAATSFEIERTAG"),
                                   QStringLiteral("WANDERTAG"), QStringLiteral("EXKURSION"),
                                   QStringLiteral("WIENWOCHE"), QStringLiteral("SCHIKURS"),
                                   QStringLiteral("SPRACHWOCHE"), QStringLiteral("OSTERN")};

// "FREI" anywhere ("schulfrei", "unterrichtsfrei"), but not as part of "FREITAG".
bool mentionsFrei(const QString& upper)
{
    const QString frei = QStringLiteral("FREI");
    for (qsizetype at = upper.indexOf(frei); at >= 0; at = upper.indexOf(frei, at + 1)) {
        if (upper.mid(at + frei.size(), 3) != QLatin1String("TAG"))
            return true;
    }
    return false;
}

bool namesFreeDay(const QString& text)
{
    const QString upper = TrimBlanks(text).toUpper();
    for (const QString& word : kFreeDayWords) {
        if (upper.contains(word))
            return true;
    }
    return mentionsFrei(upper);
}

// An appointment of the school, or of the class, that names a free day.
bool makesFreeDay(const QString& line, const QString& cls)
{
    const QString kind = LineKind(line);
    const bool appointment = kind == QLatin1String("07") || kind == QLatin1String("08");
    return appointment && ConcernsClass(line, cls) && namesFreeDay(LineText(line));
}

// Removal lines and cancelled lines count as lessons too.
bool isLessonLine(const QString& line) { return numbers::val(LineKind(line)) < 5; }

void addLine(Form6& f, const QString& line)
{
    if (LineKind(line) == QLatin1String("03") && IsLineOfClass(line, gEntryClass.toString()))
        f.List1->AddItem(LinePeriod(line) + QLatin1Char(' ') + LineShortName(line) + QLatin1Char(' ') +
                         LineSubject(line) + QLatin1Char(' ') + LineText(line));
    else
        AddToDayLists({f.List2, f.List3, f.List4, f.List5}, QString(), line);
}

void fillLists(Form6& f)
{
    for (ListBox* list : {f.List1, f.List2, f.List3, f.List4, f.List5})
        list->Clear();
    for (int i = 1; i <= gDayLineCount; ++i)
        addLine(f, gDayLines(i));
}
}

void DetectFreeDay()
{
    gFreeDay = 0;
    gLessonDay = 0;
    LoadDayEntries();
    const int count = gDayLineCount;
    for (int i = 1; i <= count; ++i) {
        const QString& line = gDayLines(i);
        if (isLessonLine(line))
            gLessonDay = 1;
        if (makesFreeDay(line, gEntryClass.toString())) {
            gFreeDay = 1;
            break;
        }
    }
    if (gFreeDay == 1)
        gLessonDay = 0;
}

bool IsFreeDay(const QStringList& lines, const QString& cls)
{
    return std::any_of(lines.begin(), lines.end(), [&](const QString& line) { return makesFreeDay(line, cls); });
}

bool HoldsLessons(const QStringList& lines) { return std::any_of(lines.begin(), lines.end(), isLessonLine); }

QString NoticeItem(const QString& line)
{
    return LineShortName(line) + QLatin1Char(' ') + TrimBlanks(LineText(line));
}

void AddToDayLists(const DayLists& lists, const QString& prefix, const QString& line)
{
    if (!ConcernsClass(line, gEntryClass.toString()))
        return;
    const QString kind = LineKind(line);
    const QString period = prefix + LinePeriod(line) + QLatin1Char(' ');
    if (kind == QLatin1String("01"))
        lists.absences->AddItem(period + LineStudent(line) + QStringLiteral(" fehlt. ") + LineText(line));
    else if (kind == QLatin1String("02"))
        lists.absences->AddItem(period + LineStudent(line) + QStringLiteral(" ist wieder da. ") + LineText(line));
    else if (kind == QLatin1String("04"))
        lists.disturbances->AddItem(TrimBlanks(LineShortName(line)) + QStringLiteral(": ") + LineStudent(line) +
                                    QLatin1Char(' ') + LineText(line));
    else if (kind == QLatin1String("05") || kind == QLatin1String("06"))
        lists.info->AddItem(prefix + NoticeItem(line));
    else if (kind == QLatin1String("07") || kind == QLatin1String("08"))
        lists.appointments->AddItem(prefix + NoticeItem(line));
}

void FillClassDayInfo()
{
    const QString dateText = entryfields::dateText();
    const std::optional<QDate> day = dates::parse(dateText);
    if (!day)
        return;
    const QString weekday = gDayNames(dates::weekday(*day)).toString();
    entryfields::showWeekday(*day);
    gEntryClass = entryfields::classText();
    gDayFilePath = DayFilePath(*day);
    Form6* f = forms::ifOpen<Form6>();
    if (f) {
        f->Label1->setText(gEntryClass.toString());
        f->Label2->setText(weekday + QLatin1Char(' ') + dateText);
        f->Label8->hide();
    }
    DetectFreeDay();
    if (!f)
        return;
    f->Label8->setVisible(gFreeDay == 1);
    fillLists(*f);
    // Empty lists would pass for a day without entries, and teachers would
    // enter everything again.
    if (!UnreadableDayNotice().isEmpty())
        f->List1->AddItem(UnreadableDayNotice());
}

Form6::Form6() : FormBase(6)
{
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("Infos zur Klasse"));

    Label1 = controls::label(this, "Label1", QStringLiteral("3a"), {"Arial", 24, true});
    controls::setForeColor(Label1, kDarkBlue);
    Label2 = controls::label(this, "Label2", QStringLiteral("Montag 27.11.2014"), {"Arial", 12, true});
    Label8 = controls::label(this, "Label8", QStringLiteral("kein Unterricht"), {"Arial", 18, true});
    controls::setForeColor(Label8, kGreen);
    Label8->hide();
    Label4 = controls::label(this, "Label4", QStringLiteral("Stoff"));
    List1 = controls::list(this, "List1", kListFont, true);
    Label3 = controls::label(this, "Label3", QStringLiteral("Absenzen"));
    List2 = controls::list(this, "List2", kListFont, true);
    Label6 = controls::label(this, "Label6", QStringLiteral("Störungen"));
    List4 = controls::list(this, "List4", kListFont);
    Label5 = controls::label(this, "Label5", QStringLiteral("Info"));
    List3 = controls::list(this, "List3", kListFont);
    Label7 = controls::label(this, "Label7", QStringLiteral("Termine"));
    List5 = controls::list(this, "List5", kListFont);
    Command2 = controls::button(this, "Command2", QStringLiteral("einen Eintrag löschen"));
    Command1 = controls::button(this, "Command1", QStringLiteral("exit"));
    Timer1 = controls::named<Timer>(this, "Timer1", 20000);

    place(Label1, 120, 60, 2040, 600);
    place(Label2, 2280, 240, 4800, 360);
    place(Label8, 120, 720, 6960, 480);
    place(Label4, 120, 1260, 2400, 240);
    place(List1, 120, 1500, 6960, 1500);
    place(Label3, 120, 3060, 2400, 240);
    place(List2, 120, 3300, 6960, 1200);
    place(Label6, 120, 4560, 2400, 240);
    place(List4, 120, 4800, 6960, 900);
    place(Label5, 120, 5760, 2400, 240);
    place(List3, 120, 6000, 6960, 900);
    place(Label7, 120, 6960, 2400, 240);
    place(List5, 120, 7200, 6960, 900);
    place(Command2, 120, 8220, 3000, 375);
    place(Command1, 5880, 8220, 1200, 375);
    resize(units::twipsToPixels(7320), units::twipsToPixels(8760));

    connect(Timer1, &Timer::Tick, this, &Form6::Timer1_Timer);
    connect(Command1, &QPushButton::clicked, this, &Form6::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form6::Command2_Click);
}

void Form6::Form_Load() { Timer1->setEnabled(true); }

void Form6::Timer1_Timer() { FillClassDayInfo(); }

void Form6::Command1_Click() { unload(); }

void Form6::Command2_Click()
{
    forms::show<Form13>();
    NoteActivity();
}
