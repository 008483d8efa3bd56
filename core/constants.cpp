#include "core/constants.h"

#include "core/model.h"
#include "core/window_positions.h"
#include "platform/clock.h"
#include "platform/runtime.h"

#include <iterator>

namespace {
constexpr std::uint32_t kBackColours[] = {0xE0E0E0, 0xFFFFC0, 0x80FF80, 0x0000C0, 0xC0C0FF,
                                          0x80C0FF, 0xC0FFC0, 0xC0FFFF, 0xFFFFFF};

template <typename Table, typename Value>
void fill(Table& table, std::initializer_list<Value> values, int first = 0)
{
    int i = first;
    for (const auto& v : values)
        table(i++) = v;
}
}

std::uint32_t BackColour(int index)
{
    if (index < 0 || index >= static_cast<int>(std::size(kBackColours)))
        return kBackColours[0];
    return kBackColours[index];
}

QString ProgramCaption() { return QStringLiteral("ORV-qz V") + gProgramVersion.toString(); }

void InitialiseConstants()
{
    gDataPath.clear();
    gProgramVersion = QStringLiteral("1.28a");

    gMaxTeachers = 60;
    gMaxClasses = 24;
    gMaxTitles = 10;
    gMaxSubjects = 99;

    fill(gFontNames,
         {"Arial", "MS Serif", "MS Sans Serif", "Times New Roman", "Switzerland", "Optima", "Courier",
          "Erie", "Brooklyn", "Boston", "Brush Hand", "Technical", "Dom Casual", "Forte", "Fritz",
          "France", "FrankfurtGothic", "French Vogue", "Palton", "Vagabond"});
    gFontCount = 19;

    gColourCount = 12;
    fill(gColourNames,
         {"schwarz", "blau", "rot", "grün", "violett", "braun", "orange", "gelb", "dunkelbraun",
          "schlammgrün", "rosa", "himmelblau", "lila"});
    fill(gColourValues,
         {"&H000000", "&HFF0000", "&H0000FF", "&H00C000", "&HC000C0", "&H0040C0", "&H0080FF",
          "&H00FFFF", "&H004080", "&H008080", "&H9090FF", "&HEBCA70", "&HFF80FF"});

    for (int i = 0; i < static_cast<int>(std::size(kBackColours)); ++i)
        gBackColours(i) = static_cast<double>(kBackColours[i]);

    fill(gBlockRuleTexts,
         {"1x/Tag, keine Blöcke", "2er-Blöcke erlaubt", "nur 2er-Blöcke", "3er-Blöcke erlaubt",
          "nur 3er-Blöcke", "4er-Blöcke erlaubt", "nur 4er-Blöcke", "5er-Blöcke erlaubt",
          "nur 5er-Blöcke", "kein Blockzwang !!!"});
    fill(gTimeRuleTexts,
         {"keine Beschränkung", "nicht in der 1.Eh", "nur bis zur 4.Eh", "nur bis zur 5.Eh",
          "nur als Randstunde", "nur bis zur 6.Eh", "nur bis zur 7.Eh", "nur bis zur 8.Eh",
          "erst ab der 5.Eh", "erst ab der 6.Eh", "erst ab der 7.Eh"});

    fill(gDayNames, {"Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag", "Sonntag"}, 1);
    fill(gDayShortNames, {"Mo", "Di", "Mi", "Do", "Fr", "Sa", "So"}, 1);

    Randomize(Clock::secondsSinceMidnight());
    InstallWindowPositionHooks();
}
