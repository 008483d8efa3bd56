// The staff grid: one row per teacher of the teacher list from position Text4
// to Text5, one narrow column per period of the week, 36 teachers to a page.
#include "core/model.h"
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
constexpr int kDays = 5;
constexpr int kPeriods = 11;
constexpr int kRowsPerPage = 36;
constexpr float kRight = 395;
constexpr float kGridTop = 30;
constexpr float kBottom = 282;
constexpr float kFirstPeriodLine = 46;
constexpr float kStdColumnEnd = 331;
constexpr double kThinPen = 1;
constexpr double kA3FramePen = 6;
constexpr double kReducedFramePen = 4;
constexpr float kCellStart = 10;
constexpr float kCellMinimum = 1;
constexpr float kCellWidth = 4.5f;
constexpr float kCaptionStart = 12;
constexpr float kCaptionMinimum = 2;

const LargeFormatMember kA3{LargeFormatMember::Paper::Landscape, false, true,
                            QStringLiteral("Plan wird gedruckt..."), QStringLiteral("haben Sie Geduld...")};
const LargeFormatMember kReduced{LargeFormatMember::Paper::Landscape, true, false,
                                 QStringLiteral("verkleinerter Plan wird gedruckt..."),
                                 QStringLiteral("haben Sie Geduld...")};

float rowTop(int row) { return 7.0f * row + 23; }
float cellX(int day, int period) { return 55.0f * day + 5.0f * period - 13.6f; }
float captionX(int day, int period) { return 55.0f * day + 5.0f * period - 13.5f; }

// The layout once; the reduced twin differs where its member row and the
// lines below say.
class StaffGrid {
public:
    StaffGrid(Form14& menu, bool reduced) : m_menu(menu), m_job(menu, reduced ? kReduced : kA3), m_reduced(reduced) {}

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
        for (int k = 0; k <= kDays * kPeriods; ++k)
            m_job.blackLine(kFirstPeriodLine + 5.0f * k, kGridTop, kFirstPeriodLine + 5.0f * k, kBottom);
        m_job.blackLine(kStdColumnEnd, kGridTop, kStdColumnEnd, kBottom);
        if (!m_job.yield())
            return false;
        for (int d = 1; d <= kDays; ++d) {
            for (int p = 1; p <= kPeriods; ++p) {
                if (!m_job.fitContinuous(captionX(d, p), 25, gPeriodLabels(p).toString().trimmed(), kCaptionStart,
                                         kCaptionMinimum, kCellWidth))
                    return false;
            }
        }
        m_job.setPen(m_reduced ? kReducedFramePen : kA3FramePen);
        m_job.frame(0, kGridTop, kRight, kBottom);
        for (int i = 0; i < kDays; ++i)
            m_job.frame(kFirstPeriodLine + 55.0f * i, 16, 101 + 55.0f * i, kBottom);
        m_job.frame(0.3f, 7, kRight, kBottom);
        printer().setPenWidth(kThinPen);
        setPrintFont(m_job.points(17), false);
        for (int d = 1; d <= kDays; ++d)
            m_job.printText(55.0f * d - 7, 17, foldedOnA3(gDayNames(d).toString()));
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
                if (!m_job.fitContinuous(cellX(d, p), rowTop(row) + 0.4f, FoldedForPlotter(SubjectAbbreviation(s)),
                                         kCellStart, kCellMinimum, kCellWidth))
                    return false;
                gSubject = s;
                gClass = c;
                gText = ClassPrintName(c);
                StripSubjectSuffixA();
                if (!m_job.fitContinuous(cellX(d, p), rowTop(row) + 3.5f, gText.toString(), kCellStart, kCellMinimum,
                                         kCellWidth))
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
