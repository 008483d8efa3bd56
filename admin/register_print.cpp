#include "admin/register_print.h"

#include "core/model.h"
#include "platform/controls.h"
#include "platform/dates.h"
#include "platform/numbers.h"
#include "platform/dialogs.h"
#include "platform/printer.h"
#include "platform/runtime.h"
#include "platform/units.h"
#include "register/day_file.h"
#include "register/entry_window.h"
#include "register/week_overview.h"

#include <QCheckBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <cmath>

namespace {
constexpr controls::Font kBold12{"Arial", 12, true};
constexpr int kLastSchoolWeek = 52;
// Lines whose foot would come closer to the paper's lower edge go on to a
// further page; a printer's printable area ends about this far above it.
constexpr double kBottomMarginMm = 5;
// The right column holds this many characters a line.
constexpr int kRightColumnChars = 50;
constexpr int kMaxDisruptionPieces = 10;

enum Colour { Black = 0, Blue = 1, Red = 2, Green = 3 };

std::uint32_t printerColour(int index) { return units::bgrFromText(gColourValues(index)); }

// Millimetres, Arial, upright, portrait: for the week pages and the title page.
void setUpPrinter()
{
    printer().setScaleMode(Printer::Scale::Millimetres);
    printer().setFontName(QStringLiteral("Arial"));
    printer().setFontItalic(false);
    printer().setOrientation(QPageLayout::Portrait);
}

// The number of lines the lesson content of the class takes in the six days
// from monday, as the line spacing of the page is chosen by it.
int estimateLines(const QList<QStringList>& days, const QString& cls)
{
    int n = 0;
    for (const QStringList& lines : days) {
        for (const QString& line : lines) {
            if (LineKind(line) != QLatin1String("03") || !IsLineOfClass(line, cls))
                continue;
            n += 1 + (line.size() > 111) + (line.size() > 171) + (line.size() > 236);
        }
    }
    return n;
}

// Lesson content in pieces of about 70 characters, cut after the last blank.
QStringList contentPieces(const QString& text)
{
    if (text.size() < 60)
        return {text};
    QStringList pieces;
    QString s = text;
    do {
        int cut = 70;
        for (int k = 2; k <= 70 && k <= s.size(); ++k) {
            if (s[k - 1] == QLatin1Char(' '))
                cut = k;
        }
        pieces << s.left(cut);
        s = s.mid(cut);
    } while (s.size() > 69);
    pieces << s;
    return pieces;
}

// A disruption in pieces of 50 characters; after ten pieces the rest goes out
// as one "Abbruch" line with its length.
QStringList disruptionPieces(const QString& text)
{
    QStringList pieces;
    QString s = text;
    for (int n = 1;; ++n) {
        if (n > kMaxDisruptionPieces) {
            pieces << QStringLiteral("Abbruch ") + QString::number(s.size()) + QLatin1Char('=') + s;
            return pieces;
        }
        if (s.size() > kRightColumnChars) {
            pieces << s.left(kRightColumnChars);
            s = s.mid(kRightColumnChars);
        }
        if (s.size() <= kRightColumnChars)
            break;
    }
    pieces << s;
    return pieces;
}

// One week page as it is laid out: the left block of day headings and lesson
// content and the right column of the other entries, each counting its lines.
// Nothing reaches the printer unless the page is printed.
class WeekPage {
public:
    WeekPage(bool print, const QString& header, const QString& heading, double spacing)
        : m_print(print), m_header(header), m_heading(heading), m_spacing(spacing)
    {
        printHeads();
    }

    void dayHeading(const QString& name)
    {
        ++m_line;
        if (below(34 + m_spacing * m_line, 12))
            continueOnNewPage(m_line);
        m_right = qMax(m_right, m_line);
        text(Black, 12, true, 20, 34 + m_spacing * m_line, name);
    }

    void contentLine(const QString& shortName, const QString& subject, const QString& piece)
    {
        ++m_line;
        if (below(35 + m_spacing * m_line, 8))
            continueOnNewPage(m_line);
        const double y = 35 + m_spacing * m_line;
        text(Black, 8, false, 20, y, shortName);
        text(Black, 8, true, 32, y, subject);
        text(Black, 8, false, 44, y, piece);
    }

    // A text longer than the column holds continues on the lines below.
    void rightLine(Colour colour, const QString& line)
    {
        QString s = line;
        do {
            ++m_right;
            if (below(35 + m_spacing * m_right, 8))
                continueOnNewPage(m_right);
            text(colour, 8, false, 130, 35 + m_spacing * m_right, s.left(kRightColumnChars));
            s = s.mid(kRightColumnChars);
        } while (!s.isEmpty());
    }

    void end()
    {
        if (m_print)
            printer().endDoc();
    }

private:
    void printHeads()
    {
        text(Black, 20, true, 20, 10, m_header);
        text(Black, 18, false, 20, 20, m_heading);
    }

    void text(Colour colour, double points, bool bold, double x, double y, const QString& s)
    {
        if (!m_print)
            return;
        printer().setColour(printerColour(colour));
        setPrintFont(points, bold);
        printAt(x, y, s);
    }

    // Whether a line of this size at y would reach into the foot of the page.
    bool below(double y, double points) const
    {
        if (!m_print)
            return false;
        setPrintFont(points, false);
        return y + printer().textHeight() > printer().pageHeight() - kBottomMarginMm;
    }

    // The rest of the week goes onto a further page under the same heads; the
    // line that did not fit becomes the first one there.
    void continueOnNewPage(int& counter)
    {
        printer().newPage();
        printHeads();
        m_line = 0;
        m_right = 0;
        counter = 1;
    }

    bool m_print;
    QString m_header;
    QString m_heading;
    double m_spacing;
    int m_line = 0;
    int m_right = 0;
};

void printEntry(WeekPage& page, const QString& line, const QString& cls)
{
    const QString kind = LineKind(line);
    const bool ofClass = IsLineOfClass(line, cls);
    if (kind == QLatin1String("03")) {
        if (!ofClass)
            return;
        for (const QString& piece : contentPieces(LineText(line)))
            page.contentLine(LineShortName(line), LineSubject(line), piece);
    } else if (kind == QLatin1String("01") || kind == QLatin1String("02")) {
        if (!ofClass)
            return;
        const QString what = kind == QLatin1String("01") ? QStringLiteral(" fehlt. ") : QStringLiteral(" ist wieder da. ");
        page.rightLine(Blue, LinePeriod(line) + QLatin1Char(' ') + LineStudent(line) + what + LineText(line));
    } else if (kind == QLatin1String("04")) {
        if (!ofClass)
            return;
        const QString text = TrimBlanks(LineShortName(line)) + QStringLiteral(": ") + LineStudent(line)
            + QLatin1Char(' ') + LineText(line);
        for (const QString& piece : disruptionPieces(text))
            page.rightLine(Red, piece);
    } else if (kind == QLatin1String("05") || kind == QLatin1String("06") || kind == QLatin1String("07")
               || kind == QLatin1String("08")) {
        if (!ConcernsClass(line, cls))
            return;
        const Colour colour = kind == QLatin1String("07") || kind == QLatin1String("08") ? Green : Black;
        page.rightLine(colour, LineShortName(line) + QLatin1Char(' ') + TrimBlanks(LineText(line)));
    }
}

void printTitlePage()
{
    const QString cls = TrimBlanks(gEntryClass.toString());
    const QString school = gSchoolName.toString();
    printer().setColour(printerColour(Black));
    setPrintFont(70, true);
    printAt(93 - 2.0 * cls.size(), 70, cls);
    setPrintFont(16, true);
    printAt(103 - 1.5 * TrimBlanks(school).size(), 100, school);
    printer().endDoc();
}

bool isWholeNumber(double v) { return v == std::floor(v); }
}

Form70::Form70() : FormBase(70)
{
    setObjectName(QStringLiteral("Form70"));
    setWindowTitle(QStringLiteral("Druckmenü - Klassenbuch"));

    Label6 = controls::label(this, "Label6", QStringLiteral("aktuelle Woche"));
    Label3 = controls::label(this, "Label3", QStringLiteral("Woche"), kBold12);
    Label1 = controls::label(this, "Label1", QStringLiteral("MO"), kBold12);
    Label2 = controls::label(this, "Label2", QStringLiteral("FR"), kBold12);
    Label4 = controls::label(this, "Label4", QStringLiteral("Woche(n)"), kBold12);
    Text1 = controls::named<TextBox>(this, "Text1");
    Label5 = controls::label(this, "Label5", QStringLiteral("bis"), kBold12);
    Text2 = controls::named<TextBox>(this, "Text2");
    for (TextBox* t : {Text1, Text2}) {
        controls::setFont(t, kBold12);
        controls::setBackColor(t, 0xC0FFC0);
    }
    Check1 = new QCheckBox(QStringLiteral("Einträge des Klassenbuches drucken"), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setChecked(true);
    Check2 = new QCheckBox(QStringLiteral("Titelblatt drucken"), this);
    Check2->setObjectName(QStringLiteral("Check2"));
    Command1 = controls::button(this, "Command1", QStringLiteral("drucken"));
    Command2 = controls::button(this, "Command2", QStringLiteral("fertig"));

    place(Label6, 270, 135, 2400, 255);
    place(Label3, 270, 405, 1200, 330);
    place(Label1, 1755, 405, 1500, 330);
    place(Label2, 3375, 405, 1500, 330);
    place(Label4, 270, 1080, 1400, 330);
    place(Text1, 1755, 1080, 900, 390);
    place(Label5, 2970, 1080, 600, 330);
    place(Text2, 4185, 1080, 900, 390);
    place(Check1, 1755, 1755, 3400, 300);
    place(Check2, 1755, 2160, 3400, 300);
    place(Command1, 1755, 2700, 1400, 420);
    place(Command2, 3375, 2700, 1400, 420);
    resize(units::twipsToPixels(5265), units::twipsToPixels(3300));

    connect(Command1, &QPushButton::clicked, this, &Form70::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form70::Command2_Click);
}

void Form70::Form_Load()
{
    if (Form17* overview = forms::ifOpen<Form17>()) {
        Label1->setText(overview->Label1->text());
        Label2->setText(overview->Label2->text());
    }
    const QString week = entryfields::schoolWeekText();
    Label3->setText(week);
    Text1->setText(week);
    Text2->setText(week);
}

void Form70::Command2_Click() { unload(); }

void Form70::Command1_Click()
{
    const BusyPointer busy;
    const double first = numbers::val(Text1->text());
    const double last = numbers::val(Text2->text());
    if (first > last || last > kLastSchoolWeek || first < 1 || !isWholeNumber(first) || !isWholeNumber(last)
        || !stepBackBefore(static_cast<int>(first))) {
        unload();
        return;
    }
    controls::disableHandingFocusTo(Command1, Text1);

    // The window may be closed while the print yields; the pages printed by
    // then still go out.
    const QPointer<Form70> self(this);
    printer().beginRun(QStringLiteral("Klassenbuch ") + TrimBlanks(gEntryClass.toString()),
                       gDataPath + QStringLiteral("Ausdrucke"));
    QStringList unreadable;
    for (int w = static_cast<int>(first); w <= static_cast<int>(last); ++w) {
        nextWeek();
        if (!forms::stillOpenAfterEvents(this))
            break;
        unreadable << printWeekPage();
        if (!forms::stillOpenAfterEvents(this))
            break;
    }
    if (forms::listening(self) && Check2->isChecked())
        printTitlePage();
    const PrintRun run = printer().endRun();
    reportPrintRun(run);
    // Those days are missing from the pages as if nothing had been entered.
    if (!run.failed && !unreadable.isEmpty())
        MsgBox(QStringLiteral("Im Ausdruck fehlen Tage:\n") + unreadable.join(QLatin1Char('\n')));
    if (self)
        unload();
}

bool Form70::stepBackBefore(int first)
{
    const std::optional<QDate> monday = dates::parse(Label1->text());
    const std::optional<QDate> friday = dates::parse(Label2->text());
    if (!monday || !friday)
        return false;
    const int diff = static_cast<int>(numbers::val(Label3->text())) - first;
    Label3->setText(QString::number(first - 1));
    Label1->setText(dates::shortText(monday->addDays(-7 * (diff + 1))));
    Label2->setText(dates::shortText(friday->addDays(-7 * (diff + 1))));
    return true;
}

void Form70::nextWeek()
{
    Label3->setText(QString::number(static_cast<int>(numbers::val(Label3->text())) + 1));
    Label1->setText(dates::shortText(dates::parse(Label1->text())->addDays(7)));
    Label2->setText(dates::shortText(dates::parse(Label2->text())->addDays(7)));
}

QStringList Form70::printWeekPage()
{
    setUpPrinter();
    // The writers of entries leave the class padded to its column.
    const QString cls = TrimBlanks(gEntryClass.toString());
    const QDate monday = *dates::parse(Label1->text());
    QList<QStringList> days;
    QStringList unreadable;
    for (int i = 0; i < 6; ++i) {
        gDayFilePath = DayFilePath(monday.addDays(i));
        DayRead read = LoadDay(gDayFilePath);
        if (!read.unreadable.isEmpty())
            unreadable << read.unreadable;
        days << std::move(read.lines);
    }
    const int estimate = estimateLines(days, cls);
    gClassEntryCount = static_cast<short>(qMin(estimate, 32767));

    const QString header = QStringLiteral("Klassenbuch  -  ") + cls + QStringLiteral("  -  ") + gSchoolName.toString();
    const QString heading = Label3->text() + QStringLiteral(". Woche vom ") + Label1->text().trimmed()
        + QStringLiteral(" bis zum ") + Label2->text().trimmed();
    WeekPage page(Check1->isChecked(), header, heading, estimate > 36 ? 216.0 / estimate : 6.0);
    for (int i = 0; i < 6; ++i) {
        if (days[i].isEmpty())
            continue;
        page.dayHeading(gDayNames(i + 1).toString());
        for (const QString& line : days[i]) {
            if (!line.isEmpty())
                printEntry(page, line, cls);
        }
    }
    page.end();
    return unreadable;
}
