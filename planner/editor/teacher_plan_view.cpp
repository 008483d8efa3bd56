#include "planner/editor/teacher_plan_view.h"

#include "core/model.h"
#include "planner/editor/rule_support.h"
#include "planner/editor/timetable_rating.h"
#include "platform/numbers.h"
#include "platform/units.h"

#include <QLabel>
#include <algorithm>
#include <type_traits>

namespace {
constexpr std::uint32_t kHeadingColour = 0xFFC0C0;
constexpr int kColumnPitch = 720;
constexpr int kCellWidth = 735;
constexpr int kSecondViewShift = 15;
constexpr int kStatisticsLeft = 720;
constexpr int kStatisticsWidth = 4335;
constexpr int kStatisticsHeight = 255;

template <class T>
using Stored = std::remove_reference_t<T>;

// Everything the evaluation of one teacher's week writes besides its results.
// ComputeTeacherGaps adds the teacher's gaps to the per-day counts gDayCounts
// without clearing them, and the optimiser window shows those counts long
// after its own rating; a view ticking in between raised them every 1.5
// seconds. gCheckOk is a pass flag that a loop this tick interrupted may be
// about to read. A tick therefore puts all of it back, as it does gTeacher.
class BorrowedScratch {
public:
    BorrowedScratch()
        : m_teacher(gTeacher), m_checkOk(gCheckOk), m_dayCounts(gDayCounts), m_periodWork(gPeriodWork),
          m_teacherHours(gTeacherHours), m_teacherGaps(gTeacherGaps), m_seriesGaps(gSeriesGaps),
          m_wishPeriods(gWishPeriods), m_wishTotal(gWishTotal), m_gapWeight(gGapWeight), m_evalCount(gEvalCount)
    {
    }
    ~BorrowedScratch()
    {
        gTeacher = m_teacher;
        gCheckOk = m_checkOk;
        gDayCounts = m_dayCounts;
        gPeriodWork = m_periodWork;
        gTeacherHours = m_teacherHours;
        gTeacherGaps = m_teacherGaps;
        gSeriesGaps = m_seriesGaps;
        gWishPeriods = m_wishPeriods;
        gWishTotal = m_wishTotal;
        gGapWeight = m_gapWeight;
        gEvalCount = m_evalCount;
    }
    BorrowedScratch(const BorrowedScratch&) = delete;
    BorrowedScratch& operator=(const BorrowedScratch&) = delete;

private:
    Stored<decltype(gTeacher)> m_teacher;
    Stored<decltype(gCheckOk)> m_checkOk;
    Stored<decltype(gDayCounts)> m_dayCounts;
    Stored<decltype(gPeriodWork)> m_periodWork;
    Stored<decltype(gTeacherHours)> m_teacherHours;
    Stored<decltype(gTeacherGaps)> m_teacherGaps;
    Stored<decltype(gSeriesGaps)> m_seriesGaps;
    Stored<decltype(gWishPeriods)> m_wishPeriods;
    Stored<decltype(gWishTotal)> m_wishTotal;
    Stored<decltype(gGapWeight)> m_gapWeight;
    Stored<decltype(gEvalCount)> m_evalCount;
};

// "M 3a": the subject's short name and the class; empty when free.
QString lessonText(int teacher, int day, int period)
{
    const short subject = gTeacherPlanSubject(teacher, day, period);
    if (subject == 0)
        return {};
    return rules::screenName(subject) + QLatin1Char(' ') + rules::className(gTeacherPlanClass(teacher, day, period));
}

// " 3 Fenster, 1 S-Fenster, 2/5W. 22 Stunden" from the figures of
// ComputeTeacherGaps; series gaps and wishes only when there are any.
QString statisticsLine()
{
    QString line = numbers::strForm(gTeacherGaps) + QStringLiteral(" Fenster,");
    if (gSeriesGaps.toDouble() > 0)
        line += numbers::strForm(gSeriesGaps.toDouble()) + QStringLiteral(" S-Fenster,");
    if (gWishPeriods.toDouble() + gWishTotal.toDouble() > 0)
        line += numbers::strForm(gWishPeriods.toDouble()) + QLatin1Char('/') +
                numbers::strForm(gWishTotal.toDouble()).trimmed() + QStringLiteral("W.");
    return line + numbers::strForm(gTeacherHours.toDouble()) + QStringLiteral(" Stunden");
}
}

TeacherPlanView::TeacherPlanView(int slot, const char* name, const char* caption, int shift)
    : WeekGrid({slot, name, caption, "wählen Sie einen Lehrer ...", kHeadingColour, kColumnPitch, kCellWidth, shift})
{
    Label3 = controls::label(this, "Label3", QStringLiteral("F / Std"));
    Label3->setTextFormat(Qt::PlainText);
    place(Label3, kStatisticsLeft, kGridBottom + kStatisticsHeight / 2, kStatisticsWidth, kStatisticsHeight);
    resize(width(), height() + units::twipsToPixels(kStatisticsHeight * 2));
}

QStringList TeacherPlanView::choices() const
{
    QStringList names;
    const int teachers = std::min(gMaxTeachers.toInt(), static_cast<int>(gTeacherNames.upper()));
    for (int t = 1; t <= teachers; ++t)
        names << gTeacherNames(t).toString();
    return names;
}

void TeacherPlanView::Timer1_Timer()
{
    const int t = chosenSlot();
    if (t < 1)
        return;
    const BorrowedScratch borrowed;
    gTeacher = t;
    for (int d = 1; d <= kDays; ++d)
        for (int p = 1; p <= kPeriods; ++p)
            cell(d, p)->setText(lessonText(t, d, p));
    ComputeTeacherGaps();
    Label3->setText(statisticsLine());
}

Form51::Form51() : TeacherPlanView(51, "Form51", "Lehrer-Stundenplan 1", 0) {}

Form66::Form66() : TeacherPlanView(66, "Form66", "Lehrer-Stundenplan 2", kSecondViewShift) {}
