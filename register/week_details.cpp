#include "register/week_details.h"

#include "core/model.h"
#include "platform/controls.h"
#include "platform/dates.h"
#include "platform/units.h"
#include "register/class_day_view.h"
#include "register/class_search.h"
#include "register/day_file.h"
#include "register/entry_window.h"
#include "register/school_week.h"

#include <QLabel>
#include <QPushButton>

namespace {
// Lesson content of the class; the sorted list orders it by subject and text.
void addLessonContent(Form68& f)
{
    for (int i = 1; i <= gDayLineCount; ++i) {
        const QString& line = gDayLines(i);
        if (LineKind(line) == QLatin1String("03") && IsLineOfClass(line, gEntryClass.toString()))
            f.List1->AddItem(LineSubject(line) + LineText(line));
    }
}
}

Form68::Form68() : FormBase(68)
{
    setObjectName(QStringLiteral("Form68"));
    setWindowTitle(QStringLiteral("Wochendetails"));
    auto label = [this](QLabel*& l, const char* name, const QString& text, int left, int top, int width) {
        l = controls::label(this, name, text);
        place(l, left, top, width, 300);
    };
    auto list = [this](ListBox*& l, const char* name, bool sorted, int top, int height) {
        l = controls::list(this, name, {"Lucida Console", 9}, sorted);
        place(l, 120, top, 9600, height);
    };
    label(Label3, "Label3", QStringLiteral("Einträge vom"), 120, 120, 1200);
    label(Label1, "Label1", QString(), 1440, 120, 1300);
    label(Label4, "Label4", QStringLiteral("bis zum"), 2880, 120, 800);
    label(Label2, "Label2", QString(), 3800, 120, 1300);
    label(Label10, "Label10", QStringLiteral("Schulwoche 13"), 5400, 120, 2400);
    label(Label8, "Label8", QStringLiteral("Stoff"), 120, 480, 3000);
    list(List1, "List1", true, 780, 2400);
    label(Label9, "Label9", QStringLiteral("Absenzen"), 120, 3240, 3000);
    list(List2, "List2", false, 3540, 1400);
    label(Label6, "Label6", QStringLiteral("Störungen"), 120, 5000, 3000);
    list(List4, "List4", false, 5300, 1000);
    label(Label5, "Label5", QStringLiteral("Info"), 120, 6360, 3000);
    list(List3, "List3", false, 6660, 1000);
    label(Label7, "Label7", QStringLiteral("Termine"), 120, 7720, 3000);
    list(List5, "List5", false, 8020, 1000);
    Command10 = controls::button(this, "Command10", QStringLiteral("exit"));
    place(Command10, 8520, 9120, 1200, 360);
    connect(Command10, &QPushButton::clicked, this, &Form68::Command10_Click);
    resize(units::twipsToPixels(9840), units::twipsToPixels(9600));
}

void Form68::Form_Load() { FillWeekDetails(); }

void Form68::Command10_Click() { unload(); }

void FillWeekDetails()
{
    Form68* f = forms::ifOpen<Form68>();
    if (!f)
        return;
    const QString dateText = entryfields::dateText();
    const std::optional<QDate> date = dates::parse(dateText);
    if (!date)
        return;
    for (ListBox* l : {f->List1, f->List2, f->List3, f->List4, f->List5})
        l->Clear();
    gWorkDate = dateText;
    gWorkWeekday = static_cast<short>(dates::weekday(*date));
    const QDate monday = SchoolWeekMonday(*date);
    f->Label1->setText(dates::shortText(monday));
    f->Label2->setText(dates::shortText(monday.addDays(4)));
    f->Label10->setText(entryfields::schoolWeekText() + QStringLiteral(". Schulwoche"));
    gEntryClass = entryfields::classText();
    const int cls = FindClassNumber(gEntryClass.toString());
    if (cls == 0)
        return;
    gClass = cls;
    f->setWindowTitle(QStringLiteral("Wochendetails ") + gEntryClass.toString());
    for (int d = 0; d <= 5; ++d) {
        gDayFilePath = DayFilePath(monday.addDays(d));
        LoadDayEntries();
        if (!UnreadableDayNotice().isEmpty())
            f->List1->AddItem(UnreadableDayNotice());
        addLessonContent(*f);
        // Every other listed kind in file order, with the abbreviation of its day.
        const QString day = gDayShortNames(d + 1) + QLatin1Char(' ');
        for (int i = 1; i <= gDayLineCount; ++i)
            AddToDayLists({f->List2, f->List3, f->List4, f->List5}, day, gDayLines(i));
    }
}
