#include "core/settings_file.h"
#include "planner/masterdata/display_settings.h"
#include "platform/controls.h"
#include "tests/planner/masterdata/masterdata_fixture.h"
#include "tests/support/disk_conditions.h"

#include <QFile>
#include <QLabel>
#include <QRadioButton>
#include <memory>

class DisplaySettingsTest : public MasterDataTest {
protected:
    void SetUp() override
    {
        MasterDataTest::SetUp();
        gDaysPerWeek = 5;
        gPeriodsPerDay = 9;
        gVisibleColumns = 12;
        for (int t = 1; t <= 60; ++t)
            gTeacherNames(t) = QStringLiteral("-");
    }
    // Line `n` (1..13) of "vorda.ver".
    QString setting(int n) const { return readLines("vorda.ver").value(n - 1); }
};

TEST_F(DisplaySettingsTest, TheColumnsShownAreWrittenAtEveryOtherChoice)
{
    Form30* f = forms::show<Form30>();
    EXPECT_TRUE(f->Option1[3]->isChecked());
    EXPECT_EQ(f->Label2->text(), "12");
    EXPECT_FALSE(QFile::exists(path("vorda.ver"))) << "not written at opening";
    f->Option1[7]->click();
    EXPECT_TRUE(gVisibleColumns == 16 && f->Label2->text() == "16" && setting(3) == " 16 ");
}

TEST_F(DisplaySettingsTest, TheTeacherOrderFollowsTheProgramsCollation)
{
    for (const auto& [t, name, title] : {std::tuple{5, "Zander", 10}, {12, "Adler", 2}}) {
        gTeacherNames(t) = QString::fromUtf8(name);
        gTeacherTitle(t) = static_cast<short>(title);
    }
    gTeacherSortMode = 1;
    form31* f = forms::show<form31>();
    EXPECT_EQ(f->Combo1->items(), QStringList({"Index", "Name", "Titel und Name"}));
    ASSERT_EQ(f->List1->ListCount(), 2) << "empty slots are not listed";
    EXPECT_EQ(f->List1->List(0), "Adler" + QString(40, ' ') + " 12");

    f->Combo1->setListIndex(0);
    EXPECT_TRUE(f->List1->List(0).startsWith(" 5 Zander")) << "a blank sorts before a digit";
    EXPECT_EQ(setting(13), " 0 ");
    f->Combo1->setListIndex(2);
    EXPECT_TRUE(f->List1->List(0).startsWith("10 Zander")) << "titles compare as text";
    EXPECT_EQ(gTeacherSortMode, 2);
}

TEST_F(DisplaySettingsTest, TheEditorFontIsShownOnTheSamplesAndOneBeyondTheOfferedOnesStays)
{
    gEditorFontIndex = 12;
    Form32* f = forms::show<Form32>();
    for (QRadioButton* option : f->Option1)
        EXPECT_FALSE(option->isChecked());
    EXPECT_EQ(gEditorFontIndex, 12);
    EXPECT_EQ(f->Label2->text(), gFontNames(12));
    f->unload();

    gEditorFontIndex = Variant();
    gSubjectNames(1, 1) = QStringLiteral("De");
    f = forms::show<Form32>();
    EXPECT_TRUE(f->Option1[0]->isChecked());
    EXPECT_EQ(f->Option1[3]->text(), gFontNames(3));
    EXPECT_EQ(f->Label1[0]->text(), "") << "slot 0 names no subject";
    EXPECT_EQ(f->Label1[1]->text(), "De");
    f->Option1[3]->click();
    EXPECT_EQ(gEditorFontIndex, 3);
    EXPECT_EQ(setting(4), " 3 ");
    for (QLabel* sample : f->Label1) {
        EXPECT_EQ(sample->font().family(), gFontNames(3));
        EXPECT_EQ(sample->font().pointSizeF(), 8);
        EXPECT_TRUE(sample->font().bold());
    }
    EXPECT_EQ(f->Label2->text(), gFontNames(3));
}

// The indexes of the options set: "3", or "" for none.
template <std::size_t N>
QString setOptions(const std::array<QRadioButton*, N>& options)
{
    QStringList set;
    for (std::size_t i = 0; i < N; ++i) {
        if (options[i]->isChecked())
            set << QString::number(i);
    }
    return set.join(QLatin1Char(','));
}

TEST_F(DisplaySettingsTest, AChoiceThatCannotBeWrittenIsToldAndNotTakenSoNoLaterSaveWritesIt)
{
    struct Setting {
        const char* window;
        std::function<void()> open;
        int line; // of "vorda.ver"
        QString inForce;
        // Changes the setting in its window.
        std::function<void()> change;
        // The setting as memory and the window hold it.
        std::function<QString()> held;
    };
    const std::vector<Setting> settings = {
        {"Eingabebreite", [] { forms::show<Form30>(); }, 3, " 12 ", [] { forms::get<Form30>()->Option1[7]->click(); },
         [] {
             const Form30* f = forms::get<Form30>();
             return QStringLiteral("%1 %2 %3").arg(gVisibleColumns).arg(f->Label2->text()).arg(setOptions(f->Option1));
         }},
        {"Sortierung", [] { forms::show<form31>(); }, 13, " 1 ", [] { forms::get<form31>()->Combo1->setListIndex(2); },
         [] {
             const form31* f = forms::get<form31>();
             return QStringLiteral("%1 %2 %3").arg(gTeacherSortMode).arg(f->Combo1->ListIndex()).arg(f->List1->List(0));
         }},
        {"Schriftart", [] { forms::show<Form32>(); }, 4, " 12 ", [] { forms::get<Form32>()->Option1[5]->click(); },
         [] {
             const Form32* f = forms::get<Form32>();
             return QStringLiteral("%1 %2 %3")
                 .arg(gEditorFontIndex.toInt())
                 .arg(f->Label2->text())
                 .arg(setOptions(f->Option1));
         }},
    };
    struct Condition {
        const char* name;
        QString reason;
        std::function<std::shared_ptr<void>()> make;
    };
    const std::vector<Condition> conditions = {
        {"a folder in the file's place", "An Stelle der Datei steht ein Ordner",
         [this] { return blockedWhileHeld("vorda.ver"); }},
        {"a file-size limit", "Die Datei ist zu groß", []() -> std::shared_ptr<void> { return std::make_shared<FileSizeLimit>(8); }},
    };
    gTeacherNames(5) = QStringLiteral("Zander");
    for (const Setting& choice : settings) {
        for (const Condition& condition : conditions) {
            SCOPED_TRACE(std::string(choice.window) + " under " + condition.name);
            gVisibleColumns = 12;
            gTeacherSortMode = 1;
            gEditorFontIndex = 12;
            QFile::remove(path("vorda.ver"));
            choice.open();
            const QString before = choice.held();
            const auto told = messages().size();
            {
                const std::shared_ptr<void> unwritable = condition.make();
                choice.change();
            }
            ASSERT_EQ(messages().size(), told + 1);
            const QString notice = "\"vorda.ver\" konnte nicht gespeichert werden: " + condition.reason;
            EXPECT_TRUE(messages().last().contains(notice)) << messages().last().toStdString();
            EXPECT_EQ(choice.held().toStdString(), before.toStdString())
                << "memory and the window keep the setting in force";
            forms::unloadAll();

            gSchoolYear = QStringLiteral("2026/27");
            ASSERT_TRUE(SaveSettingsFile()) << "another window's save";
            EXPECT_EQ(setting(choice.line).toStdString(), choice.inForce.toStdString());
        }
    }
}
