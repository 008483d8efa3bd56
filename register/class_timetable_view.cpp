#include "register/class_timetable_view.h"

#include "core/model.h"
#include "platform/controls.h"
#include "register/class_search.h"
#include "register/entry_window.h"

#include <QLabel>

namespace {
constexpr int kHeadWidth = 900;
constexpr int kCellWidth = 1300;
constexpr int kRowHeight = 360;

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text)
{
    QLabel* l = controls::label(parent, name, text);
    l->setAlignment(Qt::AlignCenter);
    return l;
}

// A subject's short name for printing; a free cell has none.
QString subjectShortName(int subject)
{
    if (subject == 0)
        return {};
    if (subject < 0 || subject > 100)
        return QStringLiteral("?");
    return gSubjectNames(subject, 2);
}
}

Form16::Form16() : FormBase(16)
{
    setObjectName(QStringLiteral("Form16"));
    setWindowTitle(QStringLiteral("Stundenplan der XY"));
    static const char* const kDays[] = {"Mo", "Di", "Mi", "Do", "Fr", "Sa"};
    for (int d = 0; d < 6; ++d) {
        Label2[d] = makeLabel(this, QStringLiteral("Label2_%1").arg(d), QString::fromLatin1(kDays[d]));
        place(Label2[d], kHeadWidth + d * kCellWidth, 60, kCellWidth, kRowHeight);
    }
    for (int p = 0; p < 11; ++p) {
        Label4[p] = makeLabel(this, QStringLiteral("Label4_%1").arg(p), QString());
        place(Label4[p], 60, 60 + (p + 1) * kRowHeight, kHeadWidth - 60, kRowHeight);
    }
    for (int c = 0; c < 66; ++c) {
        Label1[c] = makeLabel(this, QStringLiteral("Label1_%1").arg(c), QStringLiteral("-"));
        Label1[c]->setFrameShape(QFrame::Box);
        place(Label1[c], kHeadWidth + (c / 11) * kCellWidth, 60 + (c % 11 + 1) * kRowHeight, kCellWidth,
              kRowHeight);
    }
    resize((kHeadWidth + 6 * kCellWidth + 120) / 15, (13 * kRowHeight + 120) / 15);
}

void Form16::Form_Load()
{
    showDaysAndPeriods();
    gEntryClass = entryfields::classText();
    if (gEntryClass.toString().isEmpty())
        return;
    const int cls = FindClassNumber(gEntryClass.toString());
    if (cls == 0)
        return;
    setWindowTitle(QStringLiteral("Stundenplan ") + gEntryClass.toString());
    fillCells(cls);
}

void Form16::showDaysAndPeriods()
{
    Label2[5]->setVisible(gDaysPerWeek != 5);
    for (int d = 1; d <= 6; ++d) {
        for (int p = 1; p <= 11; ++p)
            Label1[(d - 1) * 11 + p - 1]->setVisible(d <= gDaysPerWeek && p <= gPeriodsPerDay);
    }
    for (int p = 1; p <= 11; ++p) {
        Label4[p - 1]->setText(gPeriodLabels(p).toString());
        Label4[p - 1]->setVisible(p <= gPeriodsPerDay);
    }
}

void Form16::fillCells(int cls)
{
    for (int d = 1; d <= 6; ++d) {
        for (int p = 1; p <= 11; ++p) {
            Label1[(d - 1) * 11 + p - 1]->setText(subjectShortName(gTimetable(d, p, cls, 0)) + QLatin1Char(' ') +
                                                  subjectShortName(gTimetable(d, p, cls, 1)));
        }
    }
}
