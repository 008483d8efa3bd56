#include "planner/masterdata/subject_table.h"

#include "core/model.h"
#include "core/text_procedures.h"
#include "platform/datafile.h"

namespace {
constexpr int kLongName = 0;
constexpr int kScreenName = 1;
constexpr int kPrinterName = 2;
constexpr int kLastProperty = 30;
const QString kEmptySlot = QStringLiteral("=");

const QString kSubjectFile = QStringLiteral("Fach2.txt");

// A name as it goes into the file. A control character becomes a blank
// first: one pasted line break would shift the 34 lines of every later
// subject.
QString storedName(int s, int column)
{
    gText = datafile::sanitizeField(gSubjectNames(s, column));
    TrimText();
    QString name = gText.toString();
    if (column == kScreenName && name.isEmpty())
        name = kEmptySlot;
    return name;
}

bool namesNoSubject(const QString& name)
{
    return name.isEmpty() || name == kEmptySlot || name == QLatin1String("-");
}
}

QStringList SubjectFileLines()
{
    datafile::Writer out;
    for (int s = 1; s <= gMaxSubjects; ++s) {
        for (int column : {kLongName, kScreenName, kPrinterName})
            out.line(storedName(s, column));
        for (int p = 0; p <= kLastProperty; ++p)
            out.number(gSubjectAttr(s, p));
    }
    return out.lines();
}

bool SubjectFileHoldsTable() { return datafile::holds(gDataPath + kSubjectFile, SubjectFileLines()); }

bool SubjectNamesAsStored()
{
    for (int s = 1; s <= gMaxSubjects; ++s)
        for (int column : {kLongName, kScreenName, kPrinterName})
            if (gSubjectNames(s, column) != storedName(s, column))
                return false;
    return true;
}

datafile::WriteResult SaveSubjectFile()
{
    for (int s = 1; s <= gMaxSubjects; ++s)
        for (int column : {kLongName, kScreenName, kPrinterName})
            gSubjectNames(s, column) = storedName(s, column);
    // The start-up loader makes the file writable as well: it is the
    // program's own, written whenever the subjects are edited.
    const QString file = gDataPath + kSubjectFile;
    datafile::clearAttributes(file);
    return datafile::rewrite(file, SubjectFileLines());
}

void CheckSameSubjectNames()
{
    gCheckOk = 1;
    gText = QString();
    for (int i = 1; i <= gMaxSubjects; ++i) {
        const QString name = gSubjectNames(i, kScreenName);
        if (namesNoSubject(name))
            continue;
        for (int j = 1; j <= gMaxSubjects; ++j) {
            if (j != i && gSubjectNames(j, kScreenName) == name) {
                gCheckOk = 0;
                gText = name + QStringLiteral(" wird als Fach Nr.") + numbers::strForm(j) + QStringLiteral(" und")
                    + numbers::strForm(i) + QStringLiteral(" geführt.");
            }
        }
    }
}

QString SubjectListItem(int s)
{
    return gSubjectNames(s, kScreenName) + QStringLiteral("  >  ") + gSubjectNames(s, kLongName);
}
