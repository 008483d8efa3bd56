#include "planner/print/large_format.h"

#include "core/model.h"
#include "planner/print/print_job.h"
#include "planner/print/print_menu.h"
#include "planner/print/print_procedures.h"
#include "platform/printer.h"

#include <QLabel>

namespace {
// The side ratio of A3 to A4, in single precision as the layouts divide by it.
constexpr float kA3ToA4 = 1.414f;
constexpr double kPlotterTitleFactor = 1.7;
constexpr int kColourProperty = 1;
constexpr int kSkipFlag = 1;
const QString kPageChanged = QStringLiteral("Seite gewechselt");
const QString kDone = QStringLiteral("Druckauftrag erledigt");
const QString kWantLandscape = QStringLiteral("Schalten Sie Ihren Plotter in der Druckerinstallation auf Querformat !");
const QString kWantPortrait = QStringLiteral("Schalten Sie Ihren Plotter in der Druckerinstallation auf Hochformat !");

// A plotter's driver takes a line of the one character 0 as the end of its
// drawing.
void printCodeZeroLine() { printer().print(QString(QChar(0))); }

bool pageIsLandscape() { return printer().pageWidthTwips() > printer().pageHeightTwips(); }
bool pageIsPortrait() { return printer().pageWidthTwips() < printer().pageHeightTwips(); }
}

LargeFormatJob::LargeFormatJob(Form14& menu, const LargeFormatMember& member)
    : m_menu(menu), m_member(member), m_factor(member.reduced ? kA3ToA4 : 1.0f)
{
}

bool LargeFormatJob::plotterMode() const { return gPlotterMode.toDouble() != 0; }

bool LargeFormatJob::start(bool yieldAfterStartText)
{
    const bool landscape = m_member.paper == LargeFormatMember::Paper::Landscape;
    if (m_member.plotterAware && plotterMode() && !(landscape ? pageIsLandscape() : pageIsPortrait())) {
        m_menu.Label5->setText(landscape ? kWantLandscape : kWantPortrait);
        return false;
    }
    m_menu.Label5->setText(m_member.startText);
    if (yieldAfterStartText && !yield())
        return false;
    printer().setScaleMode(Printer::Scale::Millimetres);
    return true;
}

bool LargeFormatJob::changePage()
{
    if (m_member.plotterAware && plotterMode())
        printCodeZeroLine();
    printer().endDoc();
    if (!status(kPageChanged))
        return false;
    printer().setScaleMode(Printer::Scale::Millimetres);
    return true;
}

bool LargeFormatJob::finish()
{
    if (!status(m_member.endText))
        return false;
    if (m_member.plotterAware && plotterMode())
        printCodeZeroLine();
    printer().endDoc();
    m_menu.Label5->setText(kDone);
    return true;
}

bool LargeFormatJob::status(const QString& text)
{
    m_menu.Label5->setText(text);
    return yield();
}

bool LargeFormatJob::yield() { return PrintYield(); }

void LargeFormatJob::setOrientation()
{
    if (m_member.plotterAware && plotterMode())
        return;
    printer().setOrientation(m_member.paper == LargeFormatMember::Paper::Landscape ? QPageLayout::Landscape
                                                                                  : QPageLayout::Portrait);
}

void LargeFormatJob::setPen(double width)
{
    if (m_member.plotterAware && plotterMode())
        return;
    printer().setPenWidth(width);
}

void LargeFormatJob::setFontAndBlack()
{
    const int index = gFontIndex.toInt();
    printer().setFontName(gFontNames(gFontNames.inBounds(index) ? index : 0));
    printer().setColour(PrintColour(0));
}

void LargeFormatJob::printTitle(float x, float y, float size, const QString& text)
{
    double titleSize = points(size);
    if (m_member.plotterAware && plotterMode())
        titleSize = static_cast<float>(titleSize * kPlotterTitleFactor) / m_factor;
    setPrintFont(titleSize, true);
    printText(x, y, text);
}

void LargeFormatJob::printText(float x, float y, const QString& text) { printAt(mm(x), mm(y), text); }

void LargeFormatJob::printTextWithin(float x, float y, const QString& text, float width)
{
    printWithin(mm(x), mm(y), text, mm(x + width));
}

void LargeFormatJob::blackLine(float x1, float y1, float x2, float y2)
{
    printer().line(mm(x1), mm(y1), mm(x2), mm(y2), PrintColour(0));
}

void LargeFormatJob::frame(float x1, float y1, float x2, float y2)
{
    printer().setColour(PrintColour(0));
    gRectX1 = static_cast<double>(mm(x1));
    gRectY1 = static_cast<double>(mm(y1));
    gRectX2 = static_cast<double>(mm(x2));
    gRectY2 = mm(y2);
    DrawPrinterRectangle();
}

void LargeFormatJob::footer(float x, float y)
{
    gFooterX = static_cast<double>(x);
    gFooterY = static_cast<int>(y);
    if (m_member.reduced && m_member.paper == LargeFormatMember::Paper::Portrait)
        PrintPageFooterReduced();
    else
        PrintPageFooter();
}

void LargeFormatJob::setCellColour(int subject)
{
    if (gBlackWhiteOnly == 0)
        printer().setColour(PrintColour(gSubjectAttr(subject, kColourProperty)));
}

bool LargeFormatJob::fitContinuous(float x, float y, const QString& text, float start, float minimum, float width)
{
    const float room = mm(width);
    for (float size = points(start); size >= minimum; size = static_cast<float>(size - 0.1)) {
        printer().setFontSize(size);
        if (!yield())
            return false;
        if (static_cast<float>(printer().textWidth(text)) <= room) {
            printText(x, y, text);
            return true;
        }
    }
    return true;
}

void LargeFormatJob::setLadderSize(const QString& text, const std::vector<float>& sizes, float width)
{
    const float room = mm(width);
    auto size = sizes.begin();
    printer().setFontSize(*size);
    for (++size; size != sizes.end(); ++size) {
        if (static_cast<float>(printer().textWidth(text)) > room)
            printer().setFontSize(*size);
    }
}

QString FoldedForPlotter(const QString& text)
{
    gText = text;
    ReplaceUmlautsForPlotter();
    return gText.toString();
}

bool IsPrintedSubject(int subject) { return subject >= 1 && gSubjectNames.inBounds(subject); }

QString SubjectAbbreviation(int subject) { return gSubjectNames.inBounds(subject) ? gSubjectNames(subject, 2) : QString(); }

QString ClassPrintName(int cls) { return gClassPrintNames.inBounds(cls) ? gClassPrintNames(cls) : QString(); }

QString TeacherName(int teacher) { return gTeacherNames.inBounds(teacher) ? gTeacherNames(teacher).toString() : QString(); }

bool IsGridClass(int cls)
{
    if (!gClassNames.inBounds(cls))
        return false;
    const QString name = gClassNames(cls).toString();
    return !name.isEmpty() && name != QLatin1String("-") && gClassSkipFlag(cls) != kSkipFlag;
}
