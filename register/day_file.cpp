#include "register/day_file.h"

#include "core/model.h"
#include "platform/datafile.h"
#include "platform/dates.h"
#include "platform/dialogs.h"
#include "platform/numbers.h"

#include <QDir>
#include <algorithm>
#include <cmath>

namespace {
// The most lines a day can hold: the largest number a removal line can name.
constexpr long kDayLineCapacity = decltype(Model::gDayLines)::upper();
const QString kRemovalKind = QStringLiteral("00");

bool isEntryKind(const QString& kind)
{
    return kind.size() == 2 && kind[0] == QLatin1Char('0') && kind[1] >= QLatin1Char('1') &&
           kind[1] <= QLatin1Char('9');
}

bool hasStudent(const QString& kind)
{
    return kind == QLatin1String("01") || kind == QLatin1String("02") || kind == QLatin1String("04");
}

// Why the day loaded last into gDayLines could not be read.
QString lastUnreadable;

// A field as it may stand in a line: one line of Windows-1252 text, trimmed.
QString clean(const QString& text) { return TrimBlanks(datafile::sanitizeField(text)); }


// The line number a removal line names, or 0 when it names none.
int removedLineNumber(const QString& line)
{
    const double n = numbers::val(line.right(4));
    return n >= 1 && n == std::floor(n) ? static_cast<int>(n) : 0;
}
}

QString FitField(const QString& text, int width)
{
    return clean(text).leftJustified(width, QLatin1Char(' '), true);
}

QString DayFilePath(const QDate& day) { return gDataPath + dates::key(day) + QStringLiteral(".qz"); }

DayRead LoadDay(const QString& path)
{
    datafile::FileRead read = datafile::readFile(path);
    if (read.state == datafile::FileRead::State::Unreadable)
        return {{}, datafile::unreadableNotice(QStringLiteral("Tagesdatei"), path, read.reason)};
    QStringList& lines = read.lines;
    // One pass in file order: a removal line emptied earlier no longer acts.
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (LineKind(lines[i]) != kRemovalKind)
            continue;
        const int n = removedLineNumber(lines[i]);
        if (n >= 1 && n <= lines.size())
            lines[n - 1].clear();
    }
    return {std::move(lines), {}};
}

void LoadDayEntries()
{
    const DayRead day = LoadDay(gDayFilePath);
    lastUnreadable = day.unreadable;
    const QStringList& lines = day.lines;
    const long count = std::min<long>(lines.size(), kDayLineCapacity);
    for (long i = 0; i < count; ++i)
        gDayLines(i + 1) = lines[i];
    gDayLineCount = static_cast<short>(count);
}

QString ComposeEntryLine()
{
    const QString kind = clean(gEntryKind.toString());
    if (!isEntryKind(kind)) {
        gText = QString();
        return {};
    }
    gEntryStamp = FitField(gEntryStamp, 12);
    gUserShort = FitField(gUserShort, 8);
    gEntryKind = kind;
    gEntryClass = FitField(gEntryClass.toString(), 8);
    gEntrySubject = FitField(gEntrySubject.toString(), 8);
    gEntryPeriod = FitField(gEntryPeriod.toString(), 2);
    gEntryRoom = kind == QLatin1String("09") ? clean(gEntryRoom).rightJustified(3, QLatin1Char(' '), true) : QString();
    gEntryStudent = hasStudent(kind) ? FitField(gEntryStudent.toString(), 50) : QString();
    gEntryText = clean(gEntryText.toString());
    const QString line = gEntryStamp + gUserShort + kind + gEntryClass.toString() + gEntrySubject.toString() +
                         gEntryPeriod.toString() + gEntryRoom + gEntryStudent.toString() + gEntryText.toString();
    gText = line;
    return line;
}

QString ComposeRemovalLine(int lineNumber)
{
    if (lineNumber < 1 || lineNumber > kDayLineCapacity) {
        gText = QString();
        return {};
    }
    gEntryStamp = FitField(gEntryStamp, 12);
    gUserShort = FitField(gUserShort, 8);
    const QString line = gEntryStamp + gUserShort + kRemovalKind + QStringLiteral("    ") + QString::number(lineNumber);
    gText = line;
    return line;
}

const QString& UnreadableDayNotice() { return lastUnreadable; }

datafile::WriteResult AppendDayLine(const QString& line)
{
    if (line.isEmpty() || line.contains(QLatin1Char('\r')) || line.contains(QLatin1Char('\n')))
        return {false, QStringLiteral("Die Zeile ist leer oder unvollständig")};
    return datafile::appendLine(gDayFilePath, line);
}

QString AppendFailureMessage(const QString& what, const datafile::WriteResult& result)
{
    return what + QStringLiteral(": Die Datei ") + QDir::toNativeSeparators(gDayFilePath) +
           QStringLiteral(" ließ sich nicht beschreiben (") + result.reason +
           QStringLiteral("). Bitte später noch einmal versuchen.");
}

void UnreadableDayMessage::tell(const QString& notice)
{
    if (notice == m_told)
        return;
    m_told = notice;
    if (!notice.isEmpty())
        MsgBox(notice, m_title);
}

QString LineShortName(const QString& line) { return line.mid(12, 8); }
QString LineKind(const QString& line) { return line.mid(20, 2); }
QString LineClass(const QString& line) { return TrimBlanks(line.mid(22, 8)); }
QString LineSubject(const QString& line) { return line.mid(30, 8); }
QString LinePeriod(const QString& line) { return line.mid(38, 2); }
QString LineStudent(const QString& line) { return TrimBlanks(line.mid(40, 50)); }
int LineRoomNumber(const QString& line) { return static_cast<int>(numbers::val(line.mid(40, 3))); }

QString LineText(const QString& line)
{
    const QString kind = LineKind(line);
    if (hasStudent(kind))
        return line.mid(90);
    if (kind == QLatin1String("09"))
        return line.mid(43);
    return line.mid(40);
}

bool IsSameClass(const QString& a, const QString& b)
{
    return TrimBlanks(a).compare(TrimBlanks(b), Qt::CaseInsensitive) == 0;
}

bool IsLineOfClass(const QString& line, const QString& cls) { return IsSameClass(LineClass(line), cls); }

bool ConcernsClass(const QString& line, const QString& cls)
{
    const QString kind = LineKind(line);
    return kind == QLatin1String("06") || kind == QLatin1String("08") || IsLineOfClass(line, cls);
}
