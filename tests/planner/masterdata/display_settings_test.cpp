#include "planner/masterdata/display_settings.h"
#include "platform/controls.h"
#include "tests/planner/masterdata/masterdata_fixture.h"

#include <QFile>
#include <QLabel>
#include <QRadioButton>

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

TEST_F(DisplaySettingsTest, AFailedWriteIsShown)
{
    blockFile("vorda.ver");
    forms::show<Form30>()->Option1[0]->click();
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].contains("\"vorda.ver\" konnte nicht gespeichert werden"));
    unblockFile("vorda.ver");
}
