#include "planner/print/print_procedures.h"

#include "core/model.h"
#include "core/timetable.h"
#include "platform/clock.h"
#include "platform/controls.h"
#include "platform/dates.h"
#include "platform/numbers.h"
#include "platform/printer.h"
#include "platform/units.h"

#include <QStringList>

namespace {
constexpr double kFooterPoints = 4;
// The side ratio of A3 to A4, in the single precision the layouts use.
constexpr float kA3ToA4 = 1.414f;
constexpr int kAbilityGroupProperty = 4;
// The teacher number fills the last characters of a list item.
constexpr int kItemNumberChars = 3;
constexpr int kColourProperty = 1;
constexpr int kAbbreviationColumn = 2;
constexpr int kCannotCome = 9;
constexpr int kSupervision = 10;
const QString kEmptyMarker = QStringLiteral("=");

QStringList footerLines()
{
    return {QStringLiteral("Druckdatum: ") + dates::shortText(Clock::today()) + QStringLiteral("  Plan:") + gPlanName,
            QStringLiteral("Programm: VORDA V") + gProgramVersion.toString()};
}

void printFooter(double x, double y, double points)
{
    printer().setFontSize(points);
    printer().setCurrentY(y);
    for (const QString& line : footerLines()) {
        printer().setCurrentX(x);
        gText = line;
        printer().print(line);
    }
}

// Class and subject numbers come from plan files; one outside its table is
// no class that leads a grade and no subject with ability groups.
void setClassTypeFlagsChecked()
{
    if (gClassNames.inBounds(gClass.toInt())) {
        SetClassTypeFlags();
        return;
    }
    gClassFlagA = 0;
    gClassFlagR = 0;
}

QString withoutEmptyMarker(const QString& text) { return text == kEmptyMarker ? QString() : text; }

bool hasAbilityGroups(int subject)
{
    return gSubjectAttr.inBounds(subject) && gSubjectAttr(subject, kAbilityGroupProperty) == 1;
}
}

void DrawPrinterRectangle()
{
    const double left = gRectX1.toDouble();
    const double top = gRectY1.toDouble();
    const double right = gRectX2.toDouble();
    const double bottom = gRectY2;
    printer().line(left, top, right, top);
    printer().line(right, top, right, bottom);
    printer().line(right, bottom, left, bottom);
    printer().line(left, bottom, left, top);
}

void DrawPrinterFrame(double left, double top, double right, double bottom)
{
    gRectX1 = left;
    gRectY1 = top;
    gRectX2 = right;
    gRectY2 = static_cast<float>(bottom);
    DrawPrinterRectangle();
}

void PrintPageFooter() { printFooter(gFooterX.toDouble(), gFooterY, kFooterPoints); }

void PrintPageFooterReduced()
{
    printFooter(gFooterX.toDouble() / kA3ToA4, gFooterY / kA3ToA4, kFooterPoints / kA3ToA4);
}

void StripSubjectSuffixA()
{
    setClassTypeFlagsChecked();
    if (gClassFlagA != 1 || !hasAbilityGroups(gSubject.toInt()))
        return;
    const QString text = gText.toString();
    if (text.size() > 1 && (text.endsWith(QLatin1Char('A')) || text.endsWith(QLatin1Char('a'))))
        gText = text.left(text.size() - 1);
}

void ReplaceUmlautsForPlotter()
{
    if (gPlotterMode.toDouble() == 0)
        return;
    static const std::pair<QString, QString> kFolds[] = {
        {QStringLiteral("ä"), QStringLiteral("a")}, {QStringLiteral("ö"), QStringLiteral("o")},
        {QStringLiteral("ü"), QStringLiteral("u")}, {QStringLiteral("ß"), QStringLiteral("ss")},
        {QStringLiteral("Ä"), QStringLiteral("A")}, {QStringLiteral("Ö"), QStringLiteral("O")},
        {QStringLiteral("Ü"), QStringLiteral("U")},
    };
    QString text = gText.toString();
    for (const auto& [umlaut, plain] : kFolds)
        text.replace(umlaut, plain);
    gText = text;
}

bool ListItemSelected(const ListBox* list, int row)
{
    const QListWidgetItem* item = list->item(row);
    return item && item->isSelected();
}

int ListItemTeacher(const QString& item)
{
    // Three characters hold no number beyond 999, so the conversion is safe.
    const double number = numbers::val(item.right(kItemNumberChars));
    const int t = static_cast<int>(number);
    const bool inTable = t == number && t >= 1 && t <= gMaxTeachers.toInt() && gTeacherNames.inBounds(t);
    return inTable ? t : 0;
}

std::uint32_t PrintColour(int index)
{
    return gColourValues.inBounds(index) ? units::bgrFromText(gColourValues(index)) : 0;
}

bool NamesStaffMember(const QString& teacherName)
{
    return teacherName.size() > 1 && !teacherName.startsWith(QLatin1String("ent"));
}

QString PrintFontName(int index) { return gFontNames(gFontNames.inBounds(index) ? index : 0); }

std::uint32_t SubjectColour(int subject)
{
    return gSubjectAttr.inBounds(subject) ? PrintColour(gSubjectAttr(subject, kColourProperty)) : 0;
}

QString CellAbbreviation(int subject)
{
    return gSubjectNames.inBounds(subject) ? withoutEmptyMarker(gSubjectNames(subject, kAbbreviationColumn))
                                           : QString();
}

QString TeacherCellText(int teacher, int day, int period)
{
    const int subject = gTeacherPlanSubject(teacher, day, period);
    const int taught = gTeacherPlanClass(teacher, day, period);
    gText2 = CellAbbreviation(subject);
    gText = gClassPrintNames.inBounds(taught) ? withoutEmptyMarker(gClassPrintNames(taught)) : QString();
    gClass = taught;
    gSubject = subject;
    StripSubjectSuffixA();
    QString cell = gText2.toString() + QLatin1Char(' ') + gText.toString();
    switch (gTeacherUnavailable(teacher, day, period)) {
    case kCannotCome:
        cell.prepend(QStringLiteral("X "));
        break;
    case kSupervision:
        cell.prepend(QStringLiteral("A "));
        break;
    default:
        break;
    }
    gText3 = cell;
    return cell;
}

void PrintListPages(const QString& fontName, const QList<int>& items, const std::function<void()>& heading,
                    const std::function<void(int item, double y)>& printLine)
{
    constexpr int kLinesPerPage = 42;
    constexpr double kLineTop = 20;
    constexpr double kLinePitch = 6;
    const auto startPage = [] {
        printer().setOrientation(QPageLayout::Portrait);
        printer().setScaleMode(Printer::Scale::Millimetres);
    };
    startPage();
    printer().setFontName(fontName);
    heading();
    int line = 0;
    for (const int item : items) {
        if (++line > kLinesPerPage) {
            printer().endDoc();
            startPage();
            heading();
            line = 1;
        }
        printLine(item, kLineTop + kLinePitch * line);
    }
    printer().endDoc();
}
