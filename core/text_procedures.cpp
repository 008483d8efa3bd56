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
