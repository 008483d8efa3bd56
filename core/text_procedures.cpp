#include "core/text_procedures.h"

#include "core/model.h"
#include "platform/codepage.h"

void ConvertDosUmlauts()
{
    static const struct {
        unsigned char dosCode;
        char16_t letter;
    } kUmlauts[] = {{132, u'ä'}, {148, u'ö'}, {129, u'ü'}, {225, u'ß'},
                    {142, u'Ä'}, {153, u'Ö'}, {154, u'Ü'}};
    QString text = gText.toString();
    for (const auto& u : kUmlauts)
        text.replace(codepage::charOf(u.dosCode), QChar(u.letter));
    gText = text;
}

void RemoveDoubleQuotes()
{
    QString text = gText.toString();
    text.remove(QLatin1Char('"'));
    gText = text;
}

QString TrimBlanks(const QString& text)
{
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && text[from] == QLatin1Char(' '))
        ++from;
    while (to > from && text[to - 1] == QLatin1Char(' '))
        --to;
    return text.mid(from, to - from);
}

void TrimText() { gText = TrimBlanks(gText.toString()); }
