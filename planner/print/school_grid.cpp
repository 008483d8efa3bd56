// The whole school on one sheet: a grid with one row per class and one column
// per period of the week, and below it the teaching-assignment list, one line
// per teacher with the subjects taught and, after each subject, its classes.
#include "core/model.h"
#include "planner/print/landscape_week.h"
#include "planner/print/large_format.h"
#include "planner/print/print_menu.h"
#include "planner/print/print_procedures.h"
#include "planner/print/school_grids.h"
#include "platform/controls.h"
#include "platform/printer.h"

#include <QList>
#include <QStringList>
#include <algorithm>
#include <vector>

namespace {
using namespace landscapeweek;
constexpr int kClassBands = 24;
constexpr int kSlots = 10;
constexpr float kGridBottom = 198;
constexpr double kThinPen = 2;
constexpr double kA3HeavyPen = 8;
constexpr double kReducedHeavyPen = 5;
constexpr float kA3CaptionMinimum = 2;
constexpr float kReducedCaptionMinimum = 1;
constexpr float kListLeft = 3;
constexpr float kListWidth = 95;
constexpr float kListColumn = 100;
constexpr float kListGap = kListColumn - kListWidth;
constexpr float kFormTeacherWidth = 34;
constexpr double kPlotterFactor = 1.7;
constexpr int kMinimumNameLength = 2;

struct Ladders {
    std::vector<float> list;
    std::vector<float> formTeacher;
};
const Ladders kA3Ladders{{9, 8, 7, 6, 5, 4}, {8, 7, 6, 5}};
const Ladders kReducedLadders{{6, 5.5f, 5, 4.5f, 4, 3.5f, 3, 2.5f, 2}, {6, 5.5f, 5, 4.5f, 4, 3.5f, 3}};

float bandTop(int row) { return 7.0f * row + 23; }

// One subject of a teacher's line with its classes in the order met.
struct SubjectClasses {
    QString abbreviation;
    QStringList classes;
};

// The class as the list names it: without the "A" of an ability-group
// subject in the class that leads its grade.
QString listedClass(int cls, int subject)
{
    gClass = cls;
    gSubject = subject;
    gText = ClassPrintName(cls);
    StripSubjectSuffixA();
    return gText.toString();
}

// "Name  > ", then per subject a blank, its abbreviation, a blank and its
// classes separated by ",". The classes of a subject are kept apart from the
// line's text: looking a subject up in the text would find it inside a name
// such as "Eva D Huber", and a class "8" inside an "18" listed before it.
// Subjects that share an abbreviation share one group.
QString assignmentLine(int t)
{
    QList<SubjectClasses> subjects;
    const int lastSubject = std::min<int>(gMaxSubjects, static_cast<int>(gSubjectTeachers.upper(1)));
    for (int s = 1; s <= lastSubject; ++s) {
        for (int k = 1; k <= kClassBands; ++k) {
            for (int slot = 0; slot < kSlots; ++slot) {
                if (gSubjectTeachers(k, s, slot) != t)
                    continue;
                const QString abbreviation = SubjectAbbreviation(s);
                const QString cls = listedClass(k, s);
                auto group = std::find_if(subjects.begin(), subjects.end(), [&](const SubjectClasses& g) {
                    return g.abbreviation == abbreviation;
                });
                if (group == subjects.end())
                    subjects.append({abbreviation, {cls}});
                else if (!group->classes.contains(cls))
                    group->classes.append(cls);
            }
        }
    }
    QStringList pieces;
    for (const SubjectClasses& g : subjects)
        pieces << QLatin1Char(' ') + g.abbreviation + QLatin1Char(' ') + g.classes.join(QLatin1Char(','));
    return TeacherName(t) + QStringLiteral("  > ") + pieces.join(QLatin1Char(','));
}

// The layout once; the reduced twin differs where its member row and the
// lines below say.
class SchoolGrid {
public:
    SchoolGrid(Form14& menu, bool reduced)
        : m_menu(menu), m_job(menu, member(reduced, QStringLiteral("bitte warten..."))), m_reduced(reduced),
          m_ladders(reduced ? kReducedLadders : kA3Ladders)
    {
    }

    void print()
    {
        if (!m_job.start() || !pageRoutine() || !assignmentList() || !classRows())
            return;
        m_job.finish();
    }

private:
    bool pageRoutine()
    {
        m_job.setOrientation();
        printer().setScaleMode(Printer::Scale::Millimetres);
        m_job.setFontAndBlack();
        const QString title = QStringLiteral("Gesamtstundenplan und Lehrfächerverteilung  -  ") + gSchoolName.toString();
        if (m_reduced)
            m_job.printTitle(48, 7, 21, title);
        else
            m_job.printTitle(48, 8, 21, FoldedForPlotter(title));
        m_job.setPen(kThinPen);
        for (int r = 0; r <= kClassBands; ++r)
            m_job.blackLine(0, kGridTop + 7.0f * r, kRight, kGridTop + 7.0f * r);
        periodLines(m_job, kGridBottom);
        m_job.setPen(m_reduced ? kReducedHeavyPen : kA3HeavyPen);
        m_job.blackLine(0, 16, kRight, 16);
        dayFrames(m_job, kGridBottom);
        m_job.frame(0.3f, 7, kRight, 275);
        m_job.setPen(kThinPen);
        setPrintFont(m_job.points(17), false);
        dayNames(m_job, true);
        if (!periodCaptions(m_job, m_reduced ? kReducedCaptionMinimum : kA3CaptionMinimum))
            return false;
        m_job.footer(1, m_reduced ? 12 : 8);
        return true;
    }

    // Every teacher of the teacher list, selected or not, in list order; 13
    // lines to a column on A3, 14 on the reduced sheet.
    bool assignmentList()
    {
        printer().setColour(PrintColour(0));
        setPrintFont(m_job.points(17), true);
        m_job.printTextWithin(kListLeft, 200, FoldedForPlotter(QStringLiteral("Lehrfächerverteilung - ") + gSchoolName.toString()),
                              kRight - kListGap - kListLeft);
        printer().setFontBold(false);
        const int linesPerColumn = m_reduced ? 14 : 13;
        const float pitch = columnPitch(linesPerColumn);
        int line = 0;
        int column = 0;
        for (int i = 0; i < m_menu.List1->ListCount(); ++i) {
            const int t = ListItemTeacher(m_menu.List1->List(i));
            gTeacher = t;
            if (!isListed(t))
                continue;
            if (!m_job.status(TeacherName(t)))
                return false;
            const QString text = assignmentLine(t);
            if (++line > linesPerColumn) {
                line = 1;
                ++column;
            }
            m_job.setLadderSize(text, m_ladders.list, pitch - kListGap);
            m_job.printTextWithin(kListLeft + pitch * column, 203 + 4.8f * line, FoldedForPlotter(text),
                                  pitch - kListGap);
        }
        return true;
    }

    static bool isListed(int teacher) { return TeacherName(teacher).size() >= kMinimumNameLength; }

    // 100 mm a column leaves room for three columns inside the frame; a
    // school with more teachers shares the frame's width among its columns,
    // so that no line runs past the frame or off the paper.
    float columnPitch(int linesPerColumn) const
    {
        int listed = 0;
        for (int i = 0; i < m_menu.List1->ListCount(); ++i) {
            if (isListed(ListItemTeacher(m_menu.List1->List(i))))
                ++listed;
        }
        const int columns = std::max(1, (listed + linesPerColumn - 1) / linesPerColumn);
        return std::min(kListColumn, (kRight - kListLeft) / static_cast<float>(columns));
    }

    bool classRows()
    {
        int row = 0;
        for (int k = 1; k <= kClassBands; ++k) {
            if (!IsGridClass(k))
                continue;
            if (!m_job.yield())
                return false;
            ++row;
            printer().setColour(PrintColour(0));
            setPrintFont(m_job.points(14), true);
            m_job.printText(1, bandTop(row) + 1, FoldedForPlotter(ClassPrintName(k)));
            if (!m_reduced && !m_job.status(gClassNames(k).toString()))
                return false;
            formTeacher(k, row);
            if (!cells(k, row))
                return false;
        }
        return true;
    }

    void formTeacher(int k, int row)
    {
        const QString name = FoldedForPlotter(TeacherName(gFormTeacher(k)));
        printer().setFontBold(false);
        m_job.setLadderSize(name, m_ladders.formTeacher, kFormTeacherWidth);
        if (!m_reduced && m_job.plotterMode())
            printer().setFontSize(static_cast<float>(printer().font().size * kPlotterFactor));
        m_job.printText(10, bandTop(row) + 2, name);
    }

    bool cells(int k, int row)
    {
        for (int d = 1; d <= kDays; ++d) {
            for (int p = 1; p <= kPeriods; ++p) {
                for (int half = 0; half <= 1; ++half) {
                    const int s = gTimetable(d, p, k, half);
                    if (!IsPrintedSubject(s))
                        continue;
                    m_job.setCellColour(s);
                    if (!cellText(m_job, d, p, bandTop(row) + (half == 0 ? 0.4f : 3.5f),
                                  FoldedForPlotter(SubjectAbbreviation(s))))
                        return false;
                }
            }
        }
        return true;
    }

    Form14& m_menu;
    LargeFormatJob m_job;
    bool m_reduced;
    const Ladders& m_ladders;
};
}

void PrintSchoolGrid(Form14& menu) { SchoolGrid(menu, false).print(); }

void PrintSchoolGridReduced(Form14& menu) { SchoolGrid(menu, true).print(); }
