#include "admin/student_statistics.h"

#include "core/constants.h"
#include "core/model.h"
#include "platform/clock.h"
#include "platform/controls.h"
#include "platform/dates.h"
#include "platform/dialogs.h"
#include "platform/units.h"
#include "register/class_day_view.h"
#include "register/day_file.h"
#include "register/entry_window.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>

#include <algorithm>
#include <limits>

namespace {
constexpr controls::Font kCaptionFont{"Arial", 8.25, true};
constexpr controls::Font kListFont{"Lucida Console", 9.75};
constexpr int kRows = decltype(Model::gStatKeys)::upper();
// The start day and at most 365 days after it.
constexpr int kLastDayOffset = 365;
// A message lists this many unreadable days, then only their number.
constexpr int kNoticesShown = 10;
// Counts below 1000 fill three characters; a list with a higher count widens
// all its counters alike, so the order and the key after them stay right.
constexpr int kCounterWidth = 3;
const QString kCounterSeparator = QStringLiteral(" --- ");
// Each piece of a wording list item holds at most this many characters.
constexpr int kWordingWidth = 40;

int storedRows() { return std::clamp(gStatCount.toInt(), 0, kRows); }

void clearRows()
{
    for (int r = 1; r <= kRows; ++r) {
        gStatTexts(r) = QString();
        gStatLines(r) = QString();
        gStatValues(r) = 0;
        gStatCounts(r) = 0;
    }
    gStatCount = 0;
    gStatDayCount = 0;
}

// The row of a student; a new one when the key is new; 0 when all rows are taken.
int findOrCreateRow(const QString& key)
{
    const int rows = storedRows();
    int found = 0;
    for (int r = 1; r <= rows; ++r) {
        if (gStatKeys(r).toString() == key)
            found = r;
    }
    if (found > 0 || rows == kRows)
        return found;
    gStatCount = rows + 1;
    gStatKeys(rows + 1) = key;
    gStatTexts(rows + 1) = key;
    gStatLines(rows + 1) = key;
    return rows + 1;
}

// Who wrote the entry, on which day, and its text as stored.
QString wording(const QString& line, const QDate& day)
{
    return TrimBlanks(LineShortName(line)) + QStringLiteral(": ") + dates::shortText(day) + QLatin1Char(' ') +
           LineText(line);
}

// Counts the absences and disruptions of one day; false when a student found
// no free row.
bool countDay(const QStringList& lines, const QDate& day, const QString& classFilter)
{
    bool fits = true;
    for (const QString& line : lines) {
        if (!classFilter.isEmpty() && !IsSameClass(LineClass(line), classFilter))
            continue;
        const QString kind = LineKind(line);
        const bool absence = kind == QLatin1String("01");
        if (!absence && kind != QLatin1String("04"))
            continue;
        const int r = findOrCreateRow(LineClass(line) + QStringLiteral("  ") + LineStudent(line));
        if (r == 0) {
            fits = false;
            continue;
        }
        const QString piece = QLatin1Char('#') + wording(line, day);
        if (absence) {
            ++gStatValues(r);
            gStatTexts(r) += piece;
        } else {
            if (gStatCounts(r) < std::numeric_limits<short>::max())
                ++gStatCounts(r);
            gStatLines(r) = gStatLines(r).toString() + piece;
        }
    }
    return fits;
}

int absenceCount(int row) { return gStatValues(row).toInt(); }
int disruptionCount(int row) { return gStatCounts(row); }
QString absenceWording(int row) { return gStatTexts(row); }
QString disruptionWording(int row) { return gStatLines(row).toString(); }

// The rows with a count, in ascending order in the sorted list, and from
// there highest first into the shown list.
void fillCounters(ListBox& sorted, ListBox& shown, int (*count)(int row))
{
    const int rows = storedRows();
    int highest = 0;
    for (int r = 1; r <= rows; ++r)
        highest = std::max(highest, count(r));
    const int width = std::max<int>(kCounterWidth, QString::number(highest).size());
    for (int r = 1; r <= rows; ++r) {
        if (count(r) > 0)
            sorted.AddItem(QString::number(count(r)).rightJustified(width) + kCounterSeparator +
                           gStatKeys(r).toString());
    }
    for (int i = sorted.ListCount() - 1; i >= 0; --i)
        shown.AddItem(sorted.List(i));
}

// The key, then one item per entry, each piece broken every 40 characters
// with "=" at the break.
QStringList wordingItems(const QString& text)
{
    QStringList items;
    QString rest = text + QLatin1Char('#');
    while (!rest.isEmpty()) {
        const int end = static_cast<int>(rest.indexOf(QLatin1Char('#')));
        if (end < kWordingWidth) {
            items << rest.left(end);
            rest.remove(0, end + 1);
        } else {
            items << rest.left(kWordingWidth) + QLatin1Char('=');
            rest.remove(0, kWordingWidth);
        }
    }
    return items;
}

// The wording of the student whose counter is selected.
void showWording(const ListBox& counters, ListBox& target, QString (*text)(int row))
{
    target.Clear();
    const int index = counters.ListIndex();
    if (index < 0)
        return;
    const QString item = counters.List(index);
    const QString key = item.mid(item.indexOf(kCounterSeparator) + kCounterSeparator.size());
    const int rows = storedRows();
    int row = 0;
    for (int r = 1; r <= rows; ++r) {
        if (gStatKeys(r).toString() == key)
            row = r;
    }
    for (const QString& piece : wordingItems(row > 0 ? text(row) : QString()))
        target.AddItem(piece);
}
}

Form21::Form21() : FormBase(21)
{
    setObjectName(QStringLiteral("Form21"));
    setWindowTitle(QStringLiteral("Schüler - Statistik"));

    Label1 = controls::label(this, "Label1", QStringLiteral("Beginn der Auswertung"), kCaptionFont);
    Text2 = controls::named<TextBox>(this, "Text2");
    controls::setFont(Text2, {"Arial", 12, true});
    controls::setBackColor(Text2, BackColour(6));
    Label4 = controls::label(this, "Label4", QStringLiteral("Klasse"), kCaptionFont);
    Text3 = controls::named<TextBox>(this, "Text3");
    controls::setFont(Text3, {"Arial", 15.75, true});
    controls::setBackColor(Text3, BackColour(0));
    Command9 = controls::button(this, "Command9", QStringLiteral("Auswertung starten"), kCaptionFont);
    Label7 = controls::label(this, "Label7", QStringLiteral("Schultage"), kCaptionFont);
    Label8 = controls::label(this, "Label8", QString(), {"Arial", 13.5});
    Command1 = controls::button(this, "Command1", QStringLiteral("exit"), kCaptionFont);
    Label3 = controls::label(this, "Label3", QStringLiteral("Eintragszähler - Absenzen"), kCaptionFont);
    List3 = controls::list(this, "List3", kListFont);
    Label5 = controls::label(this, "Label5", QStringLiteral("Eintragszähler - Störungen"), kCaptionFont);
    List4 = controls::list(this, "List4", kListFont);
    Label2 = controls::label(this, "Label2", QStringLiteral("Einträge - Absenzen - Wortlaut"), kCaptionFont);
    List5 = controls::list(this, "List5", kListFont);
    Label6 = controls::label(this, "Label6", QStringLiteral("Einträge - Störungen - Wortlaut"), kCaptionFont);
    List6 = controls::list(this, "List6", kListFont);
    List1 = controls::list(this, "List1", kListFont, true);
    List1->hide();
    List2 = controls::list(this, "List2", kListFont, true);
    List2->hide();

    place(Label1, 270, 270, 2400, 255);
    place(Text2, 270, 540, 2040, 405);
    place(Label4, 270, 1350, 2040, 255);
    place(Text3, 270, 1620, 1230, 420);
    place(Command9, 270, 2700, 2040, 420);
    place(Label7, 270, 3375, 2040, 255);
    place(Label8, 270, 3645, 2040, 375);
    place(Command1, 270, 5130, 2040, 420);
    place(Label3, 2970, 270, 5010, 255);
    place(List3, 2970, 540, 5010, 2205);
    place(Label5, 2970, 3105, 5010, 255);
    place(List4, 2970, 3375, 5010, 2205);
    place(Label2, 8100, 270, 5280, 255);
    place(List5, 8100, 540, 5280, 2205);
    place(Label6, 8100, 3105, 5280, 255);
    place(List6, 8100, 3375, 5280, 2205);
    resize(units::twipsToPixels(13695), units::twipsToPixels(5970));

    connect(Command1, &QPushButton::clicked, this, &Form21::Command1_Click);
    connect(Command9, &QPushButton::clicked, this, &Form21::Command9_Click);
    connect(Text3, &TextBox::Change, this, &Form21::Text3_Change);
    connect(Text3, &TextBox::KeyDown, this, &Form21::Text3_KeyDown);
    connect(List3, &ListBox::Click, this, &Form21::List3_Click);
    connect(List4, &ListBox::Click, this, &Form21::List4_Click);
}

void Form21::Form_Load()
{
    controls::setBackColor(Text3, BackColour(0));
    // A school year file with an empty first line holds an empty text.
    if (!gSchoolYearStart.toString().isEmpty()) {
        Text2->setText(gSchoolYearStart.toString());
        controls::setBackColor(Text2, BackColour(0));
    }
    const QString mainClass = entryfields::classText();
    if (!mainClass.isEmpty())
        Text3->setText(mainClass);
    for (ListBox* list : {List5, List6, List3, List4})
        list->Clear();
}

void Form21::Command1_Click() { unload(); }

void Form21::Command9_Click()
{
    // A date that is not accepted leaves the last results as they are, so the
    // lists still show the wording of what they count.
    const std::optional<QDate> start = dates::parse(TrimBlanks(Text2->text()));
    if (!start) {
        controls::setBackColor(Text2, BackColour(4));
        return;
    }
    // Red would go on saying the date was refused while the lists show its results.
    if (controls::backColor(Text2) == BackColour(4))
        controls::setBackColor(Text2, BackColour(0));
    controls::disableHandingFocusTo(Command9, Text2);
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    clearRows();
    const bool stillOpen = Evaluate(*start);
    QGuiApplication::restoreOverrideCursor();
    if (!stillOpen)
        return;
    FillCounterLists();
    Command9->setEnabled(true);
}

bool Form21::Evaluate(const QDate& start)
{
    const QString classFilter = TrimBlanks(Text3->text());
    // The register's current class when the run starts decides the free days
    // of the whole run, whatever other windows set while it yields.
    const QString freeDayClass = gEntryClass.toString();
    const QDate today = Clock::today();
    bool fits = true;
    QStringList unreadable;
    for (int d = 0; d <= kLastDayOffset && start.addDays(d) <= today; ++d) {
        const QDate day = start.addDays(d);
        // The run keeps its own copy of the day: other windows' timers load
        // theirs while it yields.
        const DayRead read = LoadDay(DayFilePath(day));
        const QStringList& lines = read.lines;
        if (!read.unreadable.isEmpty())
            unreadable << read.unreadable;
        const bool freeDay = IsFreeDay(lines, freeDayClass);
        if (!freeDay && HoldsLessons(lines))
            ++gStatDayCount;
        Label8->setText(QString::number(gStatDayCount));
        if (!forms::stillOpenAfterEvents(this))
            return false;
        if (!freeDay)
            fits = countDay(lines, day, classFilter) && fits;
    }
    // The window may be closed while a box is up.
    return forms::stillOpenAfter(this, [&] {
        if (!fits)
            MsgBox(QStringLiteral("Die Auswertung umfasst mehr als %1 Schüler. Gezählt sind nur die ersten %1; "
                                  "bitte eine Klasse oder einen späteren Beginn wählen.")
                       .arg(kRows));
        // The counts would look complete while days are missing from them.
        if (!unreadable.isEmpty())
            MsgBox(QStringLiteral("Die Auswertung ist unvollständig.\n") + unreadable.mid(0, kNoticesShown).join('\n')
                   + (unreadable.size() > kNoticesShown
                          ? QStringLiteral("\n... und %1 weitere Tage").arg(unreadable.size() - kNoticesShown)
                          : QString()));
    });
}

void Form21::FillCounterLists()
{
    for (ListBox* list : {List1, List2, List3, List4, List5, List6})
        list->Clear();
    fillCounters(*List1, *List3, absenceCount);
    fillCounters(*List2, *List4, disruptionCount);
}

void Form21::Text3_Change() { controls::setBackColor(Text3, BackColour(0)); }

void Form21::Text3_KeyDown(int& keyCode)
{
    if (!controls::isEnter(keyCode))
        return;
    gEntryClass = TrimBlanks(Text3->text());
    const QString cls = gEntryClass.toString();
    if (cls.isEmpty())
        return;
    const int classes = static_cast<int>(decltype(Model::gClassNames)::upper());
    for (int i = 1; i <= classes; ++i) {
        if (gClassNames(i).toString().toUpper() == cls.toUpper()) {
            controls::setBackColor(Text3, BackColour(6));
            return;
        }
    }
}

void Form21::List3_Click() { showWording(*List3, *List5, absenceWording); }

void Form21::List4_Click() { showWording(*List4, *List6, disruptionWording); }
