#include "planner/publish/web_pages.h"

#include "core/constants.h"
#include "core/model.h"
#include "core/timetable.h"
#include "planner/editor/optimiser_runs.h"
#include "planner/masterdata/school_files.h"
#include "planner/masterdata/web_colours.h"
#include "platform/codepage.h"
#include "platform/datafile.h"
#include "platform/dates.h"

#include <QFile>
#include <QStringList>
#include <algorithm>
#include <optional>

namespace {
const QString kTimetablePage = QStringLiteral("Stundenplan.htm");
const QString kPageEnding = QStringLiteral(".htm");
const QString kBlankParagraph = QStringLiteral("<p>&nbsp;</p>");
const QString kTableStart = QStringLiteral("<table border=\"2\" cellpadding=\"2\">");
const QString kFreeSubject = QStringLiteral("=");
constexpr int kColourDigits = 6;
constexpr int kSubjectPrintName = 2;
constexpr int kSubjectScreenName = 1;
constexpr int kLowerGroupRow = 0;
constexpr int kUpperGroupRow = 1;
// The skip flags of a class: off the timetable page, off the substitution page.
constexpr short kNotOnTimetablePage = 1;
constexpr short kNotOnSubstitutionPage = -1;

enum SubstField { kPeriodField = 1, kSubjectField = 2, kClassField = 3, kSubstituteField = 4 };

QString text(const Variant& v) { return HtmlText(v.toString()); }

QString subjectName(int subject, int column)
{
    if (!gSubjectNames.inBounds(subject))
        return {};
    const QString name = gSubjectNames(subject, column);
    return name == kFreeSubject ? QString() : HtmlText(name);
}

int periodCount() { return std::min(timetable::periods(), static_cast<int>(gPeriodLabels.upper())); }

int lastClass()
{
    FindLastUsedClass();
    return std::min(timetable::lastClass(), static_cast<int>(gClassNames.upper()));
}

// The face tag opens every text of a page and is never closed, as browsers
// have always tolerated.
QString faceTag(const PageColours& colours)
{
    return QStringLiteral("<font color=\"#%1\" font face=\"Comic Sans MS\"> ").arg(colours.text);
}

QStringList pageHead(const QString& title, const PageColours& colours)
{
    return {QStringLiteral("<html>"),
            QStringLiteral("<head>"),
            QStringLiteral("<meta http-equiv=\"Content-Type\""),
            QStringLiteral("content=\"text/html; charset=iso-8859-1\">"),
            QStringLiteral("<meta name=\"generator\" content=\"%1\">").arg(HtmlText(ProgramCaption())),
            QStringLiteral("<title>%1</title>").arg(title),
            QStringLiteral("</head>"),
            QStringLiteral("<body bgcolor=\"#%1\" text=\"#%2\" link=\"#%2\">").arg(colours.background, colours.text)};
}

QStringList pageEnd() { return {kBlankParagraph, QStringLiteral("</body>"), QStringLiteral("</html>")}; }

// A page a user made read-only is left alone, as the school's Windows PCs
// would; rewriting it would go through the temporary file and a rename.
WrittenPage writePage(const QString& name, const QStringList& lines)
{
    const QString path = gDataPath + name;
    if (const QString existing = datafile::find(path);
        !existing.isEmpty() && !(QFile::permissions(existing) & QFile::WriteOwner))
        return {name, {}, SaveFailure(name, {false, QStringLiteral("Die Datei ist schreibgeschützt")})};
    // Written whole or not at all: a failed write leaves the old page intact.
    if (const datafile::WriteResult written = datafile::rewrite(path, lines); !written)
        return {name, {}, SaveFailure(name, written)};
    return {name, datafile::find(path), {}};
}

QString timetableCell(int day, int period, int cls)
{
    const QString lower = subjectName(gTimetable(day, period, cls, kLowerGroupRow), kSubjectPrintName);
    const QString upper = subjectName(gTimetable(day, period, cls, kUpperGroupRow), kSubjectPrintName);
    return upper.isEmpty() ? lower : lower + QStringLiteral("  ") + upper;
}

void appendClassTable(QStringList& lines, int cls, const QString& face)
{
    const int days = timetable::days();
    lines << kBlankParagraph << kTableStart << QStringLiteral("<tr>")
          << QStringLiteral("<td><font size=\"6\">%1%2</td>").arg(face, text(gClassNames(cls)));
    for (int day = 1; day <= days; ++day)
        lines << QStringLiteral("<td>%1%2</td>").arg(face, text(gDayNames(day)));
    lines << QStringLiteral("</tr>");
    for (int period = 1; period <= periodCount(); ++period) {
        lines << QStringLiteral("<tr>")
              << QStringLiteral("<td>%1%2  <font size=\"1\">%3</td>")
                     .arg(face, text(gPeriodLabels(period)), HtmlText(gPeriodTimes(period)));
        for (int day = 1; day <= days; ++day)
            lines << QStringLiteral("<td>%1%2</td>").arg(face, timetableCell(day, period, cls));
        lines << QStringLiteral("</tr>");
    }
    lines << QStringLiteral("</table>");
}

int substRowCount() { return std::clamp(static_cast<int>(gSubstRowCount), 0, static_cast<int>(gSubstRows.upper(0))); }

bool hasSubstitutions(int cls)
{
    for (int row = 1; row <= substRowCount(); ++row) {
        if (gSubstRows(row, kClassField) == cls)
            return true;
    }
    return false;
}

QString substituteWord(int substitute)
{
    switch (substitute) {
    case 0:
        return QStringLiteral("nicht sup.");
    case -1:
        return QStringLiteral("???");
    case -2:
        return QStringLiteral("entf.");
    case -3:
        return QStringLiteral("vor.");
    case -4:
        return QStringLiteral("zus.");
    default:
        return substitute >= 1 && substitute <= gMaxTeachers.toInt() ? HtmlText(gTeacherShort(substitute)) : QString();
    }
}

QString substitutionCell(int cls, int period, const QString& face)
{
    QString cell;
    for (int row = 1; row <= substRowCount(); ++row) {
        if (gSubstRows(row, kClassField) != cls || gSubstRows(row, kPeriodField) != period)
            continue;
        cell += QStringLiteral("<font size=\"4\"> ") + face + QLatin1Char(' ')
                + subjectName(gSubstRows(row, kSubjectField), kSubjectScreenName) + QStringLiteral("<font size=\"1\"> ")
                + substituteWord(gSubstRows(row, kSubstituteField));
    }
    return cell;
}

void appendSubstitutionTable(QStringList& lines, const QString& face)
{
    lines << kTableStart << QStringLiteral("<tr>") << QStringLiteral("<td>%1<font size=\"1\">Klassen</td>").arg(face);
    for (int period = 1; period <= periodCount(); ++period)
        lines << QStringLiteral("<td>%1%2</td>").arg(face, text(gPeriodLabels(period)));
    lines << QStringLiteral("</tr>");
    const int last = lastClass();
    for (int cls = 1; cls <= last; ++cls) {
        if (gClassSkipFlag(cls) == kNotOnSubstitutionPage || !hasSubstitutions(cls))
            continue;
        lines << QStringLiteral("<tr>") << QStringLiteral("<td><font size=\"6\">%1%2</td>").arg(face, text(gClassNames(cls)));
        for (int period = 1; period <= periodCount(); ++period)
            lines << QStringLiteral("<td>%1</td>").arg(substitutionCell(cls, period, face));
        lines << QStringLiteral("</tr>");
    }
    lines << QStringLiteral("</table>");
}
}

QString PageColourCode(const QString& line, const QString& fallback)
{
    const QString code = line.trimmed().toUpper();
    const bool hexadecimal = !code.isEmpty() && std::all_of(code.begin(), code.end(), [](QChar c) {
        return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
    });
    if (!hexadecimal)
        return fallback;
    // A longer code counts by its last six digits, as the web-colours window shows it.
    return (QString(kColourDigits, QLatin1Char('0')) + code).right(kColourDigits);
}

PageColours ReadPageColours()
{
    const WebColours defaults;
    const WebColours stored = ReadWebColours();
    return {PageColourCode(stored.text, defaults.text), PageColourCode(stored.background, defaults.background)};
}

QString HtmlText(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('&'))
            out += QStringLiteral("&amp;");
        else if (c == QLatin1Char('<'))
            out += QStringLiteral("&lt;");
        else if (c == QLatin1Char('>'))
            out += QStringLiteral("&gt;");
        else if (c == QLatin1Char('"'))
            out += QStringLiteral("&quot;");
        else if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            out += QLatin1Char(' '); // a control character would split or garble the line
        else if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            out += QStringLiteral("&#%1;").arg(QChar::surrogateToUcs4(c, text[++i]));
        else if (!codepage::representable(c))
            out += QStringLiteral("&#%1;").arg(c.unicode());
        else
            out += c;
    }
    return out;
}

WrittenPage WriteTimetablePage(const QString& message)
{
    // The page would replace the school's published timetable with a grid
    // that a run left in the middle of a pass.
    if (QString refused = optimiser::unfinishedGridRefusal(QStringLiteral("wird nicht veröffentlicht"));
        !refused.isEmpty())
        return {kTimetablePage, {}, std::move(refused)};
    const PageColours colours = ReadPageColours();
    const QString face = faceTag(colours);
    const QString school = text(gSchoolName);
    QStringList lines = pageHead(QStringLiteral("Stundenplan der ") + school, colours);
    lines << QStringLiteral("<p><font color=\"#%1\" size=\"6\">%2<em><strong><u>Stundenplan der %3</u></strong></em></font></p>")
                 .arg(colours.text, face, school)
          << kBlankParagraph;
    if (const QString shown = message.trimmed(); !shown.isEmpty())
        lines << QStringLiteral("<p>%1%2</p>").arg(face, HtmlText(shown));
    const int last = lastClass();
    for (int cls = 1; cls <= last; ++cls) {
        if (gClassSkipFlag(cls) != kNotOnTimetablePage)
            appendClassTable(lines, cls, face);
    }
    lines << pageEnd();
    return writePage(kTimetablePage, lines);
}

WrittenPage WriteSubstitutionPage(const QString& message1, const QString& message2, const QString& message3)
{
    // The weekday comes from the date itself: a weekday kept from another
    // date would name the page and its heading after the wrong day.
    const std::optional<QDate> day = dates::parse(gWorkDate.toString());
    if (!day)
        return {{}, {}, QStringLiteral("Der Vertretungsplan braucht ein gültiges Datum: bitte im Fenster \"wer fehlt ?\" "
                                       "den Tag eingeben")};
    const QString weekday = gDayNames(dates::weekday(*day)).toString();
    const PageColours colours = ReadPageColours();
    const QString face = faceTag(colours);
    const QString school = text(gSchoolName);
    const QStringList messages{message1.trimmed(), message2.trimmed(), message3.trimmed()};

    QStringList lines = pageHead(QStringLiteral("Vertretungsplan der ") + school, colours);
    lines << QStringLiteral("<p><em><strong><u><font size=\"6\">%1%2</u></strong></em></p>").arg(face, school)
          << kBlankParagraph
          << QStringLiteral("<p><font size=\"5\">%1Vertretungsplan für %2, den %3</p>")
                 .arg(face, HtmlText(weekday), text(gWorkDate))
          << kBlankParagraph;
    if (!messages[0].isEmpty())
        lines << kBlankParagraph;
    lines << kBlankParagraph;
    appendSubstitutionTable(lines, face);
    lines << kBlankParagraph;
    for (const QString& m : messages) {
        if (!m.isEmpty())
            lines << QStringLiteral("<p>%1%2</p>").arg(face, HtmlText(m));
    }
    lines << pageEnd();
    return writePage(weekday + kPageEnding, lines);
}
