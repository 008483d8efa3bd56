// The staff grid: one row per teacher of the teacher list from position Text4
// to Text5, one narrow column per period of the week, 36 teachers to a page.
#include "core/model.h"
#include "planner/print/landscape_week.h"
#include "planner/print/large_format.h"
#include "planner/print/print_menu.h"
#include "planner/print/print_procedures.h"
#include "planner/print/school_grids.h"
#include "platform/controls.h"
#include "platform/numbers.h"
#include "platform/printer.h"

#include <QtMath>
#include <algorithm>

namespace {
using namespace landscapeweek;
constexpr int kRowsPerPage = 36;
constexpr float kBottom = 282;
constexpr float kStdColumnEnd = 331;
constexpr double kThinPen = 1;
constexpr double kA3FramePen = 6;
constexpr double kReducedFramePen = 4;
constexpr float kCaptionMinimum = 2;

float rowTop(int row) { return 7.0f * row + 23; }

// The layout once; the reduced twin differs where its member row and the
// lines below say.
class StaffGrid {
public:
    StaffGrid(Form14& menu, bool reduced) : m_menu(menu), m_job(menu, member(reduced, QStringLiteral("haben Sie Geduld..."))), m_reduced(reduced) {}

    void print()
    {
        if (!m_job.start(false) || !pageRoutine())
            return;
        const auto [first, last] = listRange();
        int row = 0;
        for (int i = first; i <= last && i < m_menu.List1->ListCount(); ++i) {
            const int t = ListItemTeacher(m_menu.List1->List(i));
            if (!m_job.status(TeacherName(t)))
                return;
            if (++row > kRowsPerPage) {
                if (!m_job.changePage() || !pageRoutine())
                    return;
                row = 1;
            }
            if (!teacherRow(t, row))
                return;
        }
        m_job.finish();
    }

private:
    // Indexes of List1 counted from 0. A position below 1, or no number at
    // all, is skipped like one past the list's end: asking the list for an
    // item before its first gives nothing to print.
    std::pair<int, int> listRange() const
    {
        const auto index = [](const TextBox* box) {
            return static_cast<int>(std::clamp<double>(qRound(numbers::val(box->text())), 0, 1e6)) - 1;
        };
        return {std::max(index(m_menu.Text4), 0), index(m_menu.Text5)};
    }

    // The A3 grid folds the names of teachers and days for a plotter, the
    // reduced twin only the title and the subjects.
    QString foldedOnA3(const QString& text) const { return m_reduced ? text : FoldedForPlotter(text); }

    bool pageRoutine()
    {
        if (m_job.plotterMode())
            printer().newPage();
        m_job.setOrientation();
        printer().setScaleMode(Printer::Scale::Millimetres);
        m_job.setFontAndBlack();
        m_job.printTitle(48, 7, 20, FoldedForPlotter(QStringLiteral("Personalstundenplan  -  ") + gSchoolName.toString()));
        for (int r = 0; r <= kRowsPerPage; ++r)
            m_job.blackLine(0, rowTop(r) + 7, kRight, rowTop(r) + 7);
        m_job.blackLine(0, 16, kRight, 16);
        if (!m_job.yield())
            return false;
        periodLines(m_job, kBottom);
        m_job.blackLine(kStdColumnEnd, kGridTop, kStdColumnEnd, kBottom);
        if (!m_job.yield())
            return false;
        if (!periodCaptions(m_job, kCaptionMinimum))
            return false;
        m_job.setPen(m_reduced ? kReducedFramePen : kA3FramePen);
        m_job.frame(0, kGridTop, kRight, kBottom);
        dayFrames(m_job, kBottom);
        m_job.frame(0.3f, 7, kRight, kBottom);
        printer().setPenWidth(kThinPen);
        setPrintFont(m_job.points(17), false);
        dayNames(m_job, !m_reduced);
        printer().setFontSize(m_job.points(14));
        m_job.printText(322, 24, QStringLiteral("Std."));
        m_job.footer(1, m_reduced ? 12 : 8);
        return true;
    }

    bool teacherRow(int t, int row)
    {
        printer().setColour(PrintColour(0));
        setPrintFont(m_job.points(9.5f), false);
        m_job.printText(1, rowTop(row) + 2, foldedOnA3(TeacherName(t)));
        for (int d = 1; d <= kDays; ++d) {
            for (int p = 1; p <= kPeriods; ++p) {
                const int s = gTeacherPlanSubject(t, d, p);
                const int c = gTeacherPlanClass(t, d, p);
                if (!IsPrintedSubject(s))
                    continue;
                m_job.setCellColour(s);
                if (!cellText(m_job, d, p, rowTop(row) + 0.4f, FoldedForPlotter(SubjectAbbreviation(s))))
                    return false;
                gSubject = s;
                gClass = c;
                gText = ClassPrintName(c);
                StripSubjectSuffixA();
                if (!cellText(m_job, d, p, rowTop(row) + 3.5f, gText.toString()))
                    return false;
            }
        }
        return true;
    }

    Form14& m_menu;
    LargeFormatJob m_job;
    bool m_reduced;
};
}

void PrintStaffGrid(Form14& menu) { StaffGrid(menu, false).print(); }

void PrintStaffGridReduced(Form14& menu) { StaffGrid(menu, true).print(); }
