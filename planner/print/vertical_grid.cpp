// The vertical grid of the whole school: the classes side by side as columns,
// 13 to a page, the six days one under the other as bands of ten periods;
// each cell holds the subjects of both group rows and their teachers.
#include "core/model.h"
#include "planner/print/large_format.h"
#include "planner/print/print_menu.h"
#include "planner/print/print_procedures.h"
#include "planner/print/school_grids.h"
#include "platform/controls.h"
#include "platform/printer.h"

namespace {
constexpr int kClassSlots = 24;
constexpr int kColumnsPerPage = 13;
constexpr int kDays = 6;
constexpr int kPeriods = 10;
// The sixth day's band shows the captions of its first seven periods only.
constexpr int kSaturdayCaptions = 7;
constexpr int kPeriodRules = 59;
constexpr int kSlots = 10;
constexpr float kLeft = 1;
constexpr float kGridLeft = 15;
constexpr float kRight = 275;
constexpr float kColumnWidth = 20;
constexpr float kGridBottom = 378;
constexpr double kThinPen = 2;
constexpr double kHeavyPen = 5;
// The first line of the form teacher's name is cut after so many characters.
constexpr int kFirstLineChars = 11;

const LargeFormatMember kA3{LargeFormatMember::Paper::Portrait, false, true, QStringLiteral("Plan wird gedruckt..."),
                            QStringLiteral("bitte warten...")};
const LargeFormatMember kReduced{LargeFormatMember::Paper::Portrait, true, true,
                                 QStringLiteral("verkleinerter Plan wird gedruckt..."),
                                 QStringLiteral("bitte warten...")};

float columnX(int column) { return kGridLeft + kColumnWidth * column; }
float periodY(int day, int period) { return 60.0f * day - 35.7f + 6.0f * period; }

// The form teacher's name in two lines, split at its first blank.
std::pair<QString, QString> nameLines(const QString& name)
{
    const int blank = name.indexOf(QLatin1Char(' '));
    QString first = blank < 0 ? name : name.left(blank);
    const QString second = blank < 0 ? QString() : name.mid(blank + 1);
    if (first.size() > kFirstLineChars)
        first = first.left(kFirstLineChars) + QStringLiteral("..");
    return {first, second};
}

// The short names of the subject's teachers in the class, each followed by
// a blank.
QString teachersOf(int cls, int subject)
{
    QString line;
    for (int slot = 0; slot < kSlots; ++slot) {
        const int t = gSubjectTeachers(cls, subject, slot);
        if (t > 0 && gTeacherShort.inBounds(t))
            line += gTeacherShort(t) + QLatin1Char(' ');
    }
    return line;
}

class VerticalGrid {
public:
    VerticalGrid(Form14& menu, bool reduced) : m_menu(menu), m_job(menu, reduced ? kReduced : kA3) {}

    void print()
    {
        if (!m_job.start())
            return;
        pageHeader();
        int column = -1;
        for (int k = 1; k <= kClassSlots; ++k) {
            if (!IsGridClass(k))
                continue;
            if (!m_job.yield())
                return;
            // Only a printed class breaks the page, and only on the exact
            // text of its number.
            if (++column >= kColumnsPerPage || m_menu.Text3->text() == QString::number(k)) {
                if (!m_job.changePage())
                    return;
                pageHeader();
                column = 0;
            }
            if (!classColumn(k, column))
                return;
        }
        m_job.finish();
    }

private:
    void pageHeader()
    {
        m_job.setOrientation();
        m_job.setFontAndBlack();
        m_job.printTitle(17, 1, 19, FoldedForPlotter(QStringLiteral("Stundenplan  -  ") + gSchoolName.toString()));
        m_job.setPen(kThinPen);
        for (int k = 0; k < kPeriodRules; ++k)
            m_job.blackLine(kGridLeft, 30 + 6.0f * k, kRight, 30 + 6.0f * k);
        for (float y : {8.0f, 15.0f, 24.0f})
            m_job.blackLine(kLeft, y, kRight, y);
        for (int c = 0; c <= kColumnsPerPage; ++c)
            m_job.blackLine(columnX(c), 10, columnX(c), kGridBottom);
        m_job.setPen(kHeavyPen);
        m_job.frame(kLeft, 0.2f, kRight, 390);
        for (int i = 0; i < kDays - 1; ++i)
            m_job.frame(kLeft, 30 + 60.0f * i, kRight, 90 + 60.0f * i);
        m_job.frame(kLeft, 330, kRight, kGridBottom);
        m_job.setPen(kThinPen);
        setPrintFont(m_job.points(10), false);
        printer().setColour(PrintColour(0));
        for (int d = 1; d <= kDays; ++d) {
            const int captions = d == kDays ? kSaturdayCaptions : kPeriods;
            for (int p = 1; p <= captions; ++p) {
                const QString caption = gPeriodLabels(p).toString();
                if (!caption.isEmpty())
                    m_job.printText(2, 31.5f + 60.0f * (d - 1) + 6.0f * (p - 1), FoldedForPlotter(caption));
            }
        }
        m_job.footer(237, 1);
    }

    bool classColumn(int k, int column)
    {
        const float x = columnX(column);
        printer().setColour(PrintColour(0));
        setPrintFont(m_job.points(16), true);
        m_job.printText(x + 2, 9, FoldedForPlotter(ClassPrintName(k)));
        if (!m_job.status(gClassNames(k).toString()))
            return false;
        const auto [first, second] = nameLines(FoldedForPlotter(TeacherName(gFormTeacher(k))));
        setPrintFont(m_job.points(7), false);
        m_job.printText(x + 2, 17, first);
        m_job.printText(x + 2, 20, second);
        for (int d = 1; d <= kDays; ++d) {
            for (int p = 1; p <= kPeriods; ++p)
                cell(k, x, d, p);
        }
        return true;
    }

    void cell(int k, float x, int d, int p)
    {
        QString teachers;
        for (int half = 0; half <= 1; ++half) {
            const int s = gTimetable(d, p, k, half);
            if (!IsPrintedSubject(s))
                continue;
            printer().setFontSize(m_job.points(8));
            m_job.setCellColour(s);
            m_job.printText(x + (half == 0 ? 1.5f : 11.5f), periodY(d, p), FoldedForPlotter(SubjectAbbreviation(s)));
            teachers += teachersOf(k, s);
        }
        printer().setColour(PrintColour(0));
        printer().setFontSize(m_job.points(5.5f));
        m_job.printText(x + 1.5f, periodY(d, p) + 3, FoldedForPlotter(teachers));
    }

    Form14& m_menu;
    LargeFormatJob m_job;
};
}

void PrintVerticalGrid(Form14& menu) { VerticalGrid(menu, false).print(); }

void PrintVerticalGridReduced(Form14& menu) { VerticalGrid(menu, true).print(); }
