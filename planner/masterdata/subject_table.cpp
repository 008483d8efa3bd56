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

// A name as it goes into the file and back into the table. A control
// character becomes a blank first: one pasted line break would shift the 34
// lines of every later subject.
QString storedName(int s, int column)
{
    gText = datafile::sanitizeField(gSubjectNames(s, column));
    TrimText();
    gSubjectNames(s, column) = gText.toString();
    return gSubjectNames(s, column);
}

bool namesNoSubject(const QString& name)
{
    return name.isEmpty() || name == kEmptySlot || name == QLatin1String("-");
}
}

bool SaveSubjectFile()
{
    datafile::Writer out;
    for (int s = 1; s <= gMaxSubjects; ++s) {
        out.line(storedName(s, kLongName));
        if (storedName(s, kScreenName).isEmpty())
            gSubjectNames(s, kScreenName) = kEmptySlot;
        out.line(gSubjectNames(s, kScreenName));
        out.line(storedName(s, kPrinterName));
        for (int p = 0; p <= kLastProperty; ++p)
            out.number(gSubjectAttr(s, p));
    }
    // The start-up loader makes the file writable as well: it is the
    // program's own, written whenever the subjects are edited.
    const QString file = gDataPath + QStringLiteral("Fach2.txt");
    datafile::clearAttributes(file);
    return out.commit(file);
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
