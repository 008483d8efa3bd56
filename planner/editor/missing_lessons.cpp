#include "planner/editor/missing_lessons.h"

#include "core/model.h"
#include "core/timetable.h"
#include "planner/editor/rule_support.h"
#include "platform/controls.h"
#include "platform/numbers.h"
#include "platform/units.h"

#include <QPushButton>

#include <algorithm>

namespace {
// The register's fixed-pitch font, so the lines' subjects stand in columns.
constexpr controls::Font kFixed{"Courier New", 9};
const QString kNoClass = QStringLiteral("-");

int placedHalfCells(int cls, int subject)
{
    const int days = timetable::days();
    const int periods = timetable::periods();
    int placed = 0;
    for (int d = 1; d <= days; ++d)
        for (int p = 1; p <= periods; ++p)
            for (int half = 0; half <= 1; ++half)
                placed += gTimetable(d, p, cls, half) == subject ? 1 : 0;
    return placed;
}
}

std::vector<std::pair<int, int>> MissingLessons(int cls)
{
    std::vector<std::pair<int, int>> lessons;
    for (int s = 1; s <= gMaxSubjects; ++s) {
        const int hours = gCurriculumHours(cls, s);
        if (hours <= 0)
            continue;
        const int missing = hours - placedHalfCells(cls, s);
        if (missing > 0)
            lessons.emplace_back(s, missing);
    }
    return lessons;
}

QString MissingHours(int cls)
{
    QString text;
    for (const auto& [subject, missing] : MissingLessons(cls)) {
        if (missing == 1)
            text += rules::screenName(subject) + QLatin1Char(' ');
        else
            text += numbers::strForm(missing) + QLatin1Char('x') + rules::screenName(subject) + QLatin1Char(' ');
    }
    return text;
}

Form55::Form55() : FormBase(55)
{
    setObjectName(QStringLiteral("Form55"));
    setWindowTitle(QStringLiteral("Überprüfung: fehlende Stunden ?"));
    List1 = controls::list(this, "List1", kFixed);
    place(List1, 120, 120, 8760, 4500);
    Command1 = controls::button(this, "Command1", QStringLiteral("ok"));
    place(Command1, 7680, 4740, 1200, 420);
    resize(units::twipsToPixels(9000), units::twipsToPixels(5280));
    connect(Command1, &QPushButton::clicked, this, &Form55::Command1_Click);
}

void Form55::Form_Activate()
{
    List1->Clear();
    const int classes = std::min(gMaxClasses.toInt(), static_cast<int>(gClassNames.upper(0)));
    QStringList lines;
    for (int c = 1; c <= classes; ++c) {
        const QString name = gClassNames(c).toString();
        if (name.isEmpty() || name == kNoClass)
            continue;
        const QString missing = MissingHours(c);
        lines << name + QStringLiteral(": ") + (missing.isEmpty() ? QStringLiteral("keine") : missing);
    }
    List1->AddItems(lines);
}

void Form55::Command1_Click() { unload(); }
