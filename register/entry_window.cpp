#include "register/entry_window.h"

#include "admin/backup_window.h"
#include "admin/classroom_tools.h"
#include "admin/room_list.h"
#include "admin/settings_window.h"
#include "admin/student_list.h"
#include "admin/students_present.h"
#include "core/constants.h"
#include "core/model.h"
#include "core/startup.h"
#include "platform/clock.h"
#include "platform/dates.h"
#include "platform/units.h"
#include "register/absent_students.h"
#include "register/class_day_view.h"
#include "register/class_timetable_view.h"
#include "register/day_file.h"
#include "register/entry_kinds.h"
#include "register/entry_removal.h"
#include "register/password_windows.h"
#include "register/room_bookings.h"
#include "register/room_occupancy_view.h"
#include "register/room_reservations_view.h"
#include "register/student_picker.h"
#include "register/week_details.h"
#include "register/week_overview.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace {
constexpr std::uint32_t kLightBlue = 0xFFC0C0;
constexpr std::uint32_t kDarkBlue = 0xC00000;
constexpr std::uint32_t kLightCyan = 0xFFFFC0;
constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kWhite = 0xFFFFFF;

// The window's font is Arial 8.25 bold; controls in another size say so.
constexpr controls::Font arial(double points, bool bold = true, bool italic = false)
{
    return {"Arial", points, bold, italic};
}

TextBox* field(QWidget* parent, const QString& name, double points = 15.75)
{
    auto* t = controls::named<TextBox>(parent, name);
    controls::setFont(t, arial(points));
    controls::setBackColor(t, BackColour(0));
    return t;
}

void banner(QLabel* l, std::uint32_t back)
{
    controls::setBackColor(l, back);
    controls::setForeColor(l, kWhite);
}
}

Form1::Form1() : FormBase(1)
{
    setObjectName(QStringLiteral("Form1"));
    controls::setBackColor(this, kLightBlue);
    controls::setFont(this, arial(8.25));
    createControls();
    layOut();
    connectEvents();
    // A teacher types the name first: on the first button of the chain,
    // "Einstellungen", the name would be lost and its Enter open the settings.
    Text1->setFocus();
}

void Form1::createControls()
{
    // The frame goes first so that the date controls lie on top of it.
    Shape1 = controls::named<QFrame>(this, "Shape1");
    Shape1->setFrameShape(QFrame::Box);

    Label9 = controls::label(this, "Label9", QStringLiteral("Kursolo"), arial(36));
    banner(Label9, kDarkBlue);
    Label9->setAlignment(Qt::AlignCenter);
    Label1 = controls::label(this, "Label1", QString(), arial(21.75, true, true));
    banner(Label1, kBlack);
    Label2 = controls::label(this, "Label2", QString(), arial(8.25, false));
    banner(Label2, kBlack);

    Command3 = controls::button(this, "Command3", QStringLiteral("Einstellungen"));
    Command17 = controls::button(this, "Command17", QStringLiteral("Anwesende"));
    Command17->setEnabled(false);
    Command16 = controls::button(this, "Command16", QStringLiteral("sichern"));
    Command16->setVisible(false);
    Command14 = controls::button(this, "Command14", QStringLiteral("Tools"));
    Command14->setEnabled(false);

    Label3 = controls::label(this, "Label3", QStringLiteral("Namenskürzel"));
    Label4 = controls::label(this, "Label4", QStringLiteral("Klasse"));
    Label5 = controls::label(this, "Label5", QStringLiteral("Einheit"));
    Label6 = controls::label(this, "Label6", QStringLiteral("Fach"));
    Text1 = field(this, "Text1");
    Text3 = field(this, "Text3");
    Text3->setEnabled(false);
    Text4 = field(this, "Text4");
    Text5 = field(this, "Text5");

    Command8 = controls::button(this, "Command8", QStringLiteral("Passwortschutz"), arial(8.25, false));
    Command8->setEnabled(false);
    Command10 = controls::button(this, "Command10", QStringLiteral("Woche"));
    Command10->setEnabled(false);
    Command15 = controls::button(this, "Command15", QStringLiteral("detailliert"));
    Command15->setEnabled(false);

    Label11 = controls::label(this, "Label11", QStringLiteral("Raum"));
    Label11->setVisible(false);
    List1 = controls::list(this, "List1", arial(14.25, false));
    controls::setBackColor(List1, BackColour(0));
    List1->setVisible(false);
    Label10 = controls::label(this, "Label10", QStringLiteral("Schüler/in"));
    Label10->setVisible(false);
    Text7 = field(this, "Text7");
    Text7->setVisible(false);
    Label7 = controls::label(this, "Label7", QStringLiteral("Eintrag"));
    Text6 = field(this, "Text6");

    Text2 = field(this, "Text2", 12);
    Label8 = controls::label(this, "Label8", QString(), arial(14.25));
    controls::setBackColor(Label8, kLightCyan);
    Command5 = controls::button(this, "Command5", QStringLiteral("-T"), arial(11.25));
    Command2 = controls::button(this, "Command2", QStringLiteral("heute"));
    Command12 = controls::button(this, "Command12", QStringLiteral("+T"), arial(11.25));
    Command11 = controls::button(this, "Command11", QStringLiteral("-W"), arial(11.25));
    Label12 = controls::label(this, "Label12", QStringLiteral("13"), arial(12));
    controls::setBackColor(Label12, kLightBlue);
    Label12->setAlignment(Qt::AlignCenter);
    Command13 = controls::button(this, "Command13", QStringLiteral("+W"), arial(11.25));

    for (int i = 0; i < 9; ++i) {
        Option1[i] = controls::named<QRadioButton>(this, QStringLiteral("Option1_%1").arg(i));
        Option1[i]->setText(QString::fromUtf8(entrykinds::kKinds[i].caption));
        controls::setFont(Option1[i], arial(11.25));
        controls::setBackColor(Option1[i], kLightBlue);
    }
    Option1[6]->setToolTip(QStringLiteral("Schlüsselwörter: frei, Ferialtag, Staatsfeiertag, Wandertag, "
                                          "Exkursion, Wienwoche, Schikurs, Sprachwoche"));

    Command9 = controls::button(this, "Command9", QStringLiteral("prüfen"));
    Command1 = controls::button(this, "Command1", QStringLiteral("eintragen!"), arial(12));
    Command1->setToolTip(QStringLiteral("speichere den aktuellen Eintrag im Klassenbuch"));
    Command1->setEnabled(false);
    Command4 = controls::button(this, "Command4", QStringLiteral("Ende"));
    Command4->setToolTip(QStringLiteral("Programm beenden"));

    Timer1 = controls::named<Timer>(this, "Timer1", 60000);
    Timer2 = controls::named<Timer>(this, "Timer2", 10000);
}

void Form1::layOut()
{
    constexpr int width = 8400;
    place(Label9, 0, 0, width, 900);
    place(Label1, 0, 900, width, 540);
    place(Label2, 0, 1440, width, 300);

    place(Command3, 120, 1860, 1900, 420);
    place(Command17, 2140, 1860, 1900, 420);
    place(Command16, 4160, 1860, 1900, 420);
    place(Command14, 6180, 1860, 1900, 420);

    place(Label3, 120, 2460, 2200, 240);
    place(Label4, 2460, 2460, 2200, 240);
    place(Label5, 4800, 2460, 1000, 240);
    place(Label6, 5940, 2460, 2200, 240);
    place(Text1, 120, 2700, 2200, 480);
    place(Text3, 2460, 2700, 2200, 480);
    place(Text4, 4800, 2700, 1000, 480);
    place(Text5, 5940, 2700, 2200, 480);
    place(Command8, 120, 3240, 2200, 360);
    place(Command10, 2460, 3240, 2200, 360);
    place(Command15, 2460, 3660, 2200, 360);

    place(Label11, 120, 4140, 2200, 240);
    place(List1, 120, 4380, 8160, 1260);
    place(Label10, 120, 5760, 2200, 240);
    place(Text7, 120, 6000, 8160, 480);
    place(Label7, 120, 6600, 2200, 240);
    place(Text6, 120, 6840, 8160, 480);

    place(Shape1, 120, 7500, 4200, 2220);
    place(Text2, 240, 7620, 3960, 420);
    place(Label8, 240, 8100, 3960, 420);
    place(Command5, 240, 8580, 1200, 420);
    place(Command2, 1500, 8580, 1440, 420);
    place(Command12, 3000, 8580, 1200, 420);
    place(Command11, 240, 9180, 1200, 420);
    place(Label12, 1500, 9180, 1440, 420);
    place(Command13, 3000, 9180, 1200, 420);
    for (int i = 0; i < 9; ++i)
        place(Option1[i], 4560, 7500 + i * 300, 3600, 300);

    place(Command9, 120, 10380, 2400, 480);
    place(Command1, 2940, 10380, 2400, 480);
    place(Command4, 5880, 10380, 2400, 480);

    resize(units::twipsToPixels(width), units::twipsToPixels(11040));
}

void Form1::connectEvents()
{
    connect(Text1, &TextBox::Change, this, &Form1::Text1_Change);
    connect(Text1, &TextBox::KeyDown, this, &Form1::Text1_KeyDown);
    controls::onKeyDown(Text1, [this](const QKeyEvent& key) { return passwordTypedAhead(key); });
    connect(Text2, &TextBox::Change, this, &Form1::Text2_Change);
    connect(Text2, &TextBox::KeyDown, this, &Form1::Text2_KeyDown);
    connect(Text2, &TextBox::LostFocus, this, &Form1::Text2_LostFocus);
    connect(Text3, &TextBox::Change, this, &Form1::Text3_Change);
    connect(Text3, &TextBox::KeyDown, this, &Form1::Text3_KeyDown);
    connect(Text4, &TextBox::Change, this, &Form1::Text4_Change);
    connect(Text4, &TextBox::KeyDown, this, &Form1::Text4_KeyDown);
    connect(Text5, &TextBox::Change, this, &Form1::Text5_Change);
    connect(Text5, &TextBox::KeyDown, this, &Form1::Text5_KeyDown);
    connect(Text6, &TextBox::Change, this, &Form1::Text6_Change);
    connect(Text7, &TextBox::Change, this, &Form1::Text7_Change);
    connect(Text7, &TextBox::KeyDown, this, &Form1::Text7_KeyDown);
    for (int i = 0; i < 9; ++i)
        connect(Option1[i], &QRadioButton::clicked, this, [this, i] { Option1_Click(i); });
    connect(List1, &ListBox::Click, this, &Form1::List1_Click);

    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Form1::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &Form1::Command5_Click);
    connect(Command8, &QPushButton::clicked, this, &Form1::Command8_Click);
    connect(Command9, &QPushButton::clicked, this, &Form1::Command9_Click);
    connect(Command10, &QPushButton::clicked, this, &Form1::Command10_Click);
    connect(Command11, &QPushButton::clicked, this, &Form1::Command11_Click);
    connect(Command12, &QPushButton::clicked, this, &Form1::Command12_Click);
    connect(Command13, &QPushButton::clicked, this, &Form1::Command13_Click);
    connect(Command14, &QPushButton::clicked, this, &Form1::Command14_Click);
    connect(Command15, &QPushButton::clicked, this, &Form1::Command15_Click);
    connect(Command16, &QPushButton::clicked, this, &Form1::Command16_Click);
    connect(Command17, &QPushButton::clicked, this, &Form1::Command17_Click);

    connect(Timer1, &Timer::Tick, this, &Form1::Timer1_Timer);
    connect(Timer2, &Timer::Tick, this, &Form1::Timer2_Timer);
}

// The start-up of the program.
void Form1::Form_Load()
{
    const bool studentsRead = RunStartUp();
    const QString caption = ProgramCaption();
    setWindowTitle(caption);
    Label2->setText(studentsRead ? QString::number(gStudentCount) : caption);

    Text2->setText(dates::shortText(Clock::today()));
    showWeekday(Clock::today());
    FillRoomList();

    move(0, 0);
    unsetCursor();
    // The tools window's notice of an unreadable day lets the events waiting
    // run, which may close this window.
    if (gKeywordOpen == 0 && !forms::stillOpenAfter(this, [] { forms::show<Form39>(); }))
        return;
    Timer1->setEnabled(true);
    Timer2->setEnabled(true);
}

void Form1::FillRoomList()
{
    List1->Clear();
    const int count = std::min<int>(gRoomCount, static_cast<int>(gRoomNames.upper()));
    for (int i = 1; i <= count; ++i)
        List1->AddItem(gRoomNames(i));
}

void Form1::Form_Activate()
{
    Label1->setText(gSchoolName.toString());
    forms::unload<Form13>();
    gDayFilePath = DayFilePath(Clock::today());
    LoadDayEntries();
    MarkAbsentStudents();
    int absent = 0;
    for (int i = 1; i <= std::min<int>(gStudentCount, gStudentAbsent.upper()); ++i) {
        if (gStudentAbsent(i) == 1)
            ++absent;
    }
    Command17->setText(QStringLiteral("%1 - %2").arg(gStudentCount).arg(absent));
    noteActivity();
}

std::optional<QDate> Form1::workDate() const { return dates::parse(Text2->text()); }

void Form1::showWeekday(const QDate& date) { Label8->setText(gDayNames(dates::weekday(date)).toString()); }

namespace entryfields {
namespace {
Form1* entry() { return forms::ifOpen<Form1>(); }
}

QString dateText() { return entry() ? entry()->Text2->text() : QString(); }
std::optional<QDate> date() { return entry() ? entry()->workDate() : std::nullopt; }
QString classText() { return entry() ? TrimBlanks(entry()->Text3->text()) : QString(); }
int roomIndex() { return entry() ? entry()->List1->ListIndex() : -1; }
QString schoolWeekText() { return entry() ? entry()->Label12->text() : QString(); }

void showWeekday(const QDate& date)
{
    if (Form1* f = entry())
        f->showWeekday(date);
}
}

void Form1::Command3_Click() { forms::show<Form2>(); }

void Form1::Command17_Click() { forms::show<Form12>(); }

void Form1::Command16_Click() { forms::show<Form69>(); }

void Form1::Command15_Click()
{
    forms::unload<Form17>();
    forms::unload<Form16>();
    forms::unload<Form6>();
    forms::unload<Form10>();
    forms::unload<Form26>();
    forms::show<Form68>();
}

void Form1::Command8_Click()
{
    // Only the teacher logged in here may set a password for the name.
    if (!isAccepted(Text1) || Text1->text().trimmed().toUpper() != gUserShort.trimmed().toUpper())
        return;
    // The name field keeps its login: writing the name into it again would
    // turn it grey, and a password that then failed to save would leave the
    // teacher looking logged out.
    if (!teacherNamed(gUserShort).isEmpty())
        forms::show<Form4>();
}

void Form1::Command14_Click()
{
    forms::unload<Form17>();
    forms::unload<Form16>();
    forms::unload<Form6>();
    forms::unload<Form68>();
    forms::show<Form39>();
}

void Form1::Command10_Click()
{
    forms::unload<Form68>();
    forms::unload<Form16>();
    forms::unload<Form6>();
    forms::unload<Form10>();
    forms::unload<Form26>();
    forms::show<Form17>();
}

void Form1::Command4_Click()
{
    forms::unload<Form26>();
    forms::unload<Form68>();
    forms::unload<Form16>();
    forms::unload<Form6>();
    unload();
}

// The window's position is kept like every window's; the program ends when
// this window is gone, and nothing cancels that.
void Form1::Form_Unload(bool&)
{
    // The settings, the bookings editor and the room list save when they
    // close; one that cannot save asks whether to close without saving, but
    // goes whatever the answer: a program that cannot end can only be killed.
    forms::unload<Form2>(FormBase::Closing::Always);
    forms::unload<Form58>(FormBase::Closing::Always);
    forms::unload<Form8>(FormBase::Closing::Always);
    forms::unload<Form3>();
    forms::unload<Form4>();
    forms::unload<Form16>();
    forms::unload<Form25>();
    forms::unload<Form26>();
}
