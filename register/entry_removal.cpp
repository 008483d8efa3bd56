#include "register/entry_removal.h"

#include "core/model.h"
#include "platform/clock.h"
#include "platform/controls.h"
#include "platform/dates.h"
#include "platform/dialogs.h"
#include "platform/units.h"
#include "register/class_day_view.h"
#include "register/day_file.h"
#include "register/entry_window.h"

#include <QLabel>
#include <QPushButton>

namespace {
QString roomName(const QString& line)
{
    const int room = LineRoomNumber(line);
    return room >= 1 && room <= gRoomNames.upper() ? gRoomNames(room) : QStringLiteral("?");
}

// The item of a line of the teacher: a description, then out of sight at its
// end the line number. Empty when the line is not listed.
QString itemFor(const QString& line, int number)
{
    const QString kind = LineKind(line);
    // A room reservation is the teacher's whatever the class.
    if (kind != QLatin1String("09") && !ConcernsClass(line, gEntryClass.toString()))
        return {};
    const QString hidden = QString(50, QLatin1Char(' ')) + QString::number(number);
    const QString period = LinePeriod(line) + QLatin1Char(' ');
    const QString notice = TrimBlanks(TrimBlanks(LineText(line)) + hidden);
    if (kind == QLatin1String("03"))
        return QStringLiteral("Stoff:   ") + period + LineSubject(line) + QLatin1Char(' ') + LineText(line) + hidden;
    if (kind == QLatin1String("01"))
        return QStringLiteral("Absenz:  ") + period + LineStudent(line) + QStringLiteral(" fehlt. ") + LineText(line) +
               hidden;
    if (kind == QLatin1String("02"))
        return QStringLiteral("zurück:  ") + period + LineStudent(line) + QStringLiteral(" ist wieder da. ") +
               LineText(line) + hidden;
    if (kind == QLatin1String("04"))
        return QStringLiteral("Störung: ") + LineStudent(line) + QLatin1Char(' ') + LineText(line) + hidden;
    if (kind == QLatin1String("05") || kind == QLatin1String("06"))
        return QStringLiteral("Info:    ") + notice;
    if (kind == QLatin1String("07") || kind == QLatin1String("08"))
        return QStringLiteral("Termin:  ") + notice;
    if (kind == QLatin1String("09"))
        return QStringLiteral("Raumres.:") + roomName(line) + QStringLiteral("  ") + LinePeriod(line) +
               QStringLiteral(".Eh ") + LineSubject(line) + QLatin1Char(' ') + LineText(line) + hidden;
    return {};
}

// The line number at the end of an item: the digits back to the blank or the
// prefix before them. An entry without text puts its number right after the
// prefix ("Termin:  7"), so its last four characters may hold the colon.
QString lineNumberOf(const QString& item)
{
    qsizetype start = item.size();
    while (start > 0 && item.at(start - 1).isDigit())
        --start;
    return item.mid(start);
}
}

Form13::Form13() : FormBase(13)
{
    setObjectName(QStringLiteral("Form13"));
    setWindowTitle(QStringLiteral("einen Eintrag entfernen"));

    constexpr controls::Font kFont{"Lucida Console", 9};
    List1 = controls::list(this, "List1", kFont);
    List1->hideItemNumbers();
    place(List1, 120, 120, 9600, 3600);
    Label1 = controls::label(this, "Label1", QString(), kFont);
    controls::setForeColor(Label1, 0x0000FF);
    place(Label1, 120, 3840, 6000, 300);
    Command1 = controls::button(this, "Command1", QStringLiteral("markierten Eintrag entfernen"));
    Command1->setEnabled(false);
    place(Command1, 120, 4260, 3000, 420);
    Label2 = controls::label(this, "Label2", QStringLiteral("999"));
    Label2->setVisible(false);
    place(Label2, 3240, 4260, 600, 300);
    Command2 = controls::button(this, "Command2", QStringLiteral("exit"));
    place(Command2, 8520, 4260, 1200, 420);
    connect(List1, &ListBox::Click, this, &Form13::List1_Click);
    connect(Command1, &QPushButton::clicked, this, &Form13::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form13::Command2_Click);
    resize(units::twipsToPixels(9840), units::twipsToPixels(4800));
}

void Form13::Form_Load()
{
    const std::optional<QDate> date = entryfields::date();
    if (!date)
        return;
    gDayFilePath = DayFilePath(*date);
    LoadDayEntries();
    // An empty list would say the teacher has nothing to remove that day.
    Label1->setText(UnreadableDayNotice());
    const QString user = TrimBlanks(gUserShort);
    // Nobody is logged in: lines without a short name are nobody's to remove.
    if (user.isEmpty())
        return;
    for (int i = 1; i <= gDayLineCount; ++i) {
        const QString& line = gDayLines(i);
        if (line.isEmpty() || TrimBlanks(LineShortName(line)) != user)
            continue;
        const QString item = itemFor(line, i);
        if (!item.isEmpty())
            List1->AddItem(item);
    }
}

void Form13::List1_Click()
{
    if (List1->ListIndex() < 0)
        return;
    const int index = List1->ListIndex();
    // The label repeats the entry as the list shows it, without its number.
    Label1->setText(List1->shownText(index).left(40));
    Label2->setText(lineNumberOf(List1->List(index)));
    Command1->setEnabled(true);
    NoteActivity();
}

void Form13::Command1_Click()
{
    const std::optional<QDate> date = entryfields::date();
    if (!date)
        return;
    gEntryStamp = dates::timeStamp(Clock::now());
    gDayFilePath = DayFilePath(*date);
    if (const datafile::WriteResult written = AppendDayLine(ComposeRemovalLine(Label2->text().toInt())); !written) {
        MsgBox(AppendFailureMessage(QStringLiteral("Der Eintrag konnte nicht entfernt werden"), written));
        return;
    }
    FillClassDayInfo();
    NoteActivity();
    unload();
}

void Form13::Command2_Click() { unload(); }
