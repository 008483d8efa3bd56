#include "planner/masterdata/subject_print.h"

#include "core/model.h"
#include "platform/numbers.h"
#include "platform/printer.h"
#include "platform/units.h"

#include <QStringList>

namespace {
constexpr double kLeft = 20;
constexpr double kScreenNameX = 35;
constexpr double kPrinterNameX = 65;
constexpr double kLongNameX = 95;
constexpr double kPropertyX = 35;
constexpr double kSeparatorEnd = 180;
constexpr double kTitleY = 8;
constexpr double kFirstRowY = 20;
constexpr double kRowPitch = 4;
// A page is full once the current position has passed this line.
constexpr double kPageFullY = 240;
// Rows whose foot would come closer to the paper's lower edge than this go
// to the next page; a printer's printable area ends about this far above it.
constexpr double kBottomMarginMm = 5;
constexpr double kFirstTitleSize = 24;
constexpr double kPageTitleSize = 20;
constexpr double kHeadingSize = 15;
constexpr double kPropertySize = 8;
constexpr double kSeparatorPen = 3;
constexpr double kNormalPen = 1;
constexpr int kBlack = 0;

double rowY(int row) { return kFirstRowY + kRowPitch * row; }

int attr(int s, int property) { return gSubjectAttr(s, property); }

std::uint32_t listColour(int index)
{
    const bool listed = index >= 0 && index <= gColourCount;
    return units::bgrFromText(gColourValues(listed ? index : kBlack));
}

QString printFontName()
{
    const int index = gFontIndex.toInt();
    return gFontNames(gFontNames.inBounds(index) ? index : 0);
}

// The text a code stands for. A code outside its list, which only a
// hand-edited file holds, prints as the bare number: the row still tells
// what is stored, and the rest of the table still gets printed.
template <class Texts>
QString codeText(const Texts& texts, int code)
{
    return texts.inBounds(code) ? texts(code) : QString::number(code);
}

QString subjectName(int s, int column)
{
    return gSubjectNames.inBounds(s) ? gSubjectNames(s, column) : QString::number(s);
}

QString partnerText(int s)
{
    if (!gSubjectNames.inBounds(s))
        return QString::number(s);
    return gSubjectNames(s, 1) + QStringLiteral("  ") + gSubjectNames(s, 0);
}

bool isPrinted(int s)
{
    const QString& name = gSubjectNames(s, 1);
    return !name.isEmpty() && name != QLatin1String("=") && name != QLatin1String("ent");
}

// The rooms form a chain: it ends at the first room not set.
void roomRows(int s, QStringList& rows)
{
    for (int property : {8, 18, 19, 20}) {
        if (attr(s, property) == 0)
            return;
        rows << QStringLiteral("Raumnutzung: ") + codeText(gSpecialRoomNames, attr(s, property));
    }
}

QString notSameDayRow(int s)
{
    QString row = QStringLiteral("Nicht am gleichen Tag mit: ");
    if (attr(s, 10) > 0)
        row += subjectName(attr(s, 10), 1);
    for (int property : {11, 12}) {
        if (attr(s, property) > 0)
            row += QStringLiteral(" , ") + subjectName(attr(s, property), 1);
    }
    return row;
}

QStringList propertyRows(int s)
{
    QStringList rows;
    if (attr(s, 3) != 0)
        rows << QStringLiteral("Blockbildung: ") + codeText(gBlockRuleTexts, attr(s, 3));
    if (attr(s, 6) != 0)
        rows << QStringLiteral("Kombination mit: ") + partnerText(attr(s, 6));
    if (attr(s, 7) != 0)
        rows << QStringLiteral("Beschränkung: ") + codeText(gTimeRuleTexts, attr(s, 7));
    roomRows(s, rows);
    if (attr(s, 10) + attr(s, 11) + attr(s, 12) != 0)
        rows << notSameDayRow(s);
    if (attr(s, 9) != 0)
        rows << QStringLiteral("Sperre für Nachbartage = aktiviert");
    if (attr(s, 4) != 0)
        rows << QStringLiteral("Leistungsgruppen = JA");
    if (attr(s, 13) != 0)
        rows << QStringLiteral("nichtkognitives Fach = JA");
    if (attr(s, 5) != 0)
        rows << QStringLiteral("Anzahl der Lehrer max.:") + numbers::strForm(attr(s, 5));
    if (attr(s, 3) != 0 && attr(s, 14) != 0)
        rows << QStringLiteral("Fach nicht über Pause stecken = aktiv");
    if (attr(s, 17) != 0)
        rows << QStringLiteral("Verkettung mit: ") + subjectName(attr(s, 17), 1);
    return rows;
}

void printTitle(double points, const QString& text)
{
    printer().setFontName(printFontName());
    printer().setColour(listColour(kBlack));
    setPrintFont(points, true);
    printTitleAt(kLeft, kTitleY, text);
}

class SubjectPrint {
public:
    void run()
    {
        printer().setOrientation(QPageLayout::Portrait);
        printer().setScaleMode(Printer::Scale::Millimetres);
        printer().setPenWidth(kSeparatorPen);
        printTitle(kFirstTitleSize, QStringLiteral("Facheigenschaften - ") + gSchoolName.toString());
        for (int s = 1; s <= gMaxSubjects; ++s) {
            if (!isPrinted(s))
                continue;
            const QStringList rows = propertyRows(s);
            // Only a subject that gets printed may start a page: a test at
            // every slot would end the printout on a page with a title alone.
            // A block that would run past the paper's foot starts the next
            // page too, or its last rows would be lost.
            if (printer().currentY() > kPageFullY || !fits(rows.size()))
                pageBreak();
            block(s, rows);
        }
        printer().setPenWidth(kNormalPen);
        printer().endDoc();
    }

private:
    // Whether a block with `rows` property rows ends above the paper's foot.
    bool fits(int rows) const
    {
        const int heading = m_row + 2;
        const int last = heading + 1 + rows;
        setPrintFont(rows > 0 ? kPropertySize : kHeadingSize, false);
        const double foot = rowY(rows > 0 ? last : heading) + printer().textHeight();
        return foot <= printer().pageHeight() - kBottomMarginMm;
    }

    void pageBreak()
    {
        printer().endDoc();
        ++m_page;
        printTitle(kPageTitleSize, QStringLiteral("Facheigenschaften  -  Seite") + numbers::strForm(m_page));
        m_row = 1;
    }

    void block(int s, const QStringList& rows)
    {
        m_row += 2;
        const double y = rowY(m_row);
        setPrintFont(kHeadingSize, true);
        printer().setColour(listColour(kBlack));
        printer().line(kLeft, y - 1, kSeparatorEnd, y - 1);
        printAt(kLeft, y, numbers::printForm(s));
        printAt(kScreenNameX, y, gSubjectNames(s, 1));
        printer().setColour(listColour(attr(s, 2)));
        printAt(kPrinterNameX, y, gSubjectNames(s, 2));
        printer().setColour(listColour(kBlack));
        printAt(kLongNameX, y, gSubjectNames(s, 0));

        m_row += 1;
        setPrintFont(kPropertySize, false);
        for (const QString& row : rows) {
            ++m_row;
            printAt(kPropertyX, rowY(m_row), row);
        }
    }

    int m_row = 1;
    int m_page = 1;
};
}

void PrintSubjectTable() { SubjectPrint().run(); }
