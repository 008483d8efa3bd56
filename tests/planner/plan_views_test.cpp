#include "planner/editor/class_room_views.h"
#include "planner/editor/plan_views.h"
#include "planner/editor/teacher_plan_view.h"
#include "register/content_reminder.h"
#include "tests/planner/editor_fixture.h"

namespace {

constexpr int kMath = 2;
constexpr int kEnglish = 3;
constexpr int kBiology = 4;
constexpr int kFrench = 6;
constexpr int kPhysicsRoom = 1;
constexpr int kChemistryRoom = 2;

// Ten classes "K1".."K10", subjects De, Ma, En, Bio, Sp and Fr, teachers
// "Adler" (1) and "Berg" (2) in slots of sixty, sixteen special rooms.
class PlanViewsTest : public EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        gMaxTeachers = 60;
        gMaxClasses = 24;
        gSubjectNames(kFrench, 1) = QStringLiteral("Fr");
        gTeacherNames(1) = QStringLiteral("Adler");
        gTeacherNames(2) = QStringLiteral("Berg");
        gSpecialRoomCount = 16;
        for (int r = 1; r <= 16; ++r)
            gSpecialRoomNames(r) = QStringLiteral("Raum %1").arg(r);
        for (int p = 1; p <= 11; ++p)
            gPeriodLabels(p) = QStringLiteral("%1.").arg(p);
    }
    template <class F>
    static F* view(int slot)
    {
        F* f = forms::show<F>();
        f->Combo1->setListIndex(slot - 1);
        f->Timer1_Timer();
        return f;
    }
    static QString text(const WeekGrid* f, int day, int period) { return f->cell(day, period)->text(); }
    static void teach(int t, int day, std::initializer_list<int> periods)
    {
        for (int p : periods)
            gTeacherPlanSubject(t, day, p) = kMath;
    }
};

TEST_F(PlanViewsTest, TheGridShowsTheWeekInUseAndHidesTheRest)
{
    Form51* f = forms::show<Form51>();
    EXPECT_EQ(f->Combo1->ListCount(), 60) << "empty slots listed too, so list index + 1 is the slot";
    EXPECT_EQ(f->Combo1->List(1), "Berg");
    EXPECT_EQ(f->Combo1->ListIndex(), -1);
    EXPECT_TRUE(f->Timer1->isEnabled());
    EXPECT_TRUE(f->Label2[5]->isHidden()) << "Sa";
    for (int p = 1; p <= 11; ++p) {
        EXPECT_EQ(f->Label4[p - 1]->text(), QStringLiteral("%1.").arg(p));
        EXPECT_EQ(f->Label4[p - 1]->isHidden(), p > 9) << "period " << p;
        for (int d = 1; d <= 6; ++d)
            EXPECT_EQ(f->cell(d, p)->isHidden(), d > 5 || p > 9) << "day " << d << " period " << p;
    }
    EXPECT_EQ(f->findChild<QLabel*>("Label1_12"), f->cell(2, 2));

    f->Timer1_Timer();
    EXPECT_EQ(text(f, 1, 1), "-") << "nothing chosen: the design text stays";
    EXPECT_EQ(f->Label3->text(), "F / Std");

    gDaysPerWeek = 6;
    place(6, 2, 1, 0, kEnglish);
    Form52* week = view<Form52>(1);
    EXPECT_FALSE(week->Label2[5]->isHidden());
    EXPECT_FALSE(week->cell(6, 9)->isHidden());
    EXPECT_EQ(text(week, 6, 2), "En ");
}

TEST_F(PlanViewsTest, ATeacherViewShowsSubjectAndClassPerLesson)
{
    gTeacherPlanSubject(1, 1, 3) = kMath;
    gTeacherPlanClass(1, 1, 3) = 3;
    gTeacherPlanSubject(1, 2, 1) = 150;
    gTeacherPlanClass(1, 2, 1) = 40;
    Form51* f = view<Form51>(1);
    Form66* second = view<Form66>(2);
    EXPECT_EQ(second->cell(1, 1)->pos(), f->cell(1, 1)->pos() + QPoint(1, 1));
    EXPECT_EQ(text(second, 1, 3), "") << "the second view shows its own teacher";
    EXPECT_EQ(text(f, 1, 3), "Ma K3");
    EXPECT_EQ(text(f, 1, 2), "") << "a free period";
    EXPECT_EQ(text(f, 2, 1), " ") << "numbers that name nothing show as empty names";
    EXPECT_EQ(text(f, 6, 11), "") << "hidden cells are written too";

    f->Combo1->setListIndex(29);
    f->Timer1_Timer();
    for (int d = 1; d <= 5; ++d)
        for (int p = 1; p <= 9; ++p)
            EXPECT_EQ(text(f, d, p), "") << "an empty teacher slot shows an empty week";
    EXPECT_EQ(f->Label3->text(), " 0 Fenster, 0 Stunden");
}

// Monday 1 3 5 (two gaps and a series gap), Tuesday 1 3 (a gap), then 6, 6
// and 5 lessons: 22. Wishes: Friday's 7 and 8 free as wished, Wednesday's
// 1..5 taught against the wish. A tick leaves the shared teacher figures as
// it found them.
TEST_F(PlanViewsTest, TheStatisticsLineNamesSeriesGapsAndWishesOnlyWhenThereAreAny)
{
    struct Case {
        int teacher;
        bool seriesRule;
        bool wishes;
        const char* line;
    };
    const Case cases[] = {
        {1, true, true, " 3 Fenster, 1 S-Fenster, 2/5W. 22 Stunden"},
        {1, false, true, " 3 Fenster, 2/5W. 22 Stunden"},
        {1, true, false, " 3 Fenster, 1 S-Fenster, 22 Stunden"},
        {1, false, false, " 3 Fenster, 22 Stunden"},
        {2, true, true, " 0 Fenster, 18 Stunden"},
    };
    teach(1, 1, {1, 3, 5});
    teach(1, 2, {1, 3});
    teach(1, 3, {1, 2, 3, 4, 5, 6});
    teach(1, 4, {1, 2, 3, 4, 5, 6});
    teach(1, 5, {1, 2, 3, 4, 5});
    for (int d = 1; d <= 3; ++d)
        teach(2, d, {1, 2, 3, 4, 5, 6});
    gTeacher = 7;
    gCheckOk = 0;
    for (int d = 1; d <= 6; ++d)
        gDayCounts(d) = static_cast<short>(10 * d);
    Form51* f = forms::show<Form51>();
    for (const Case& c : cases) {
        gGapRules(11) = c.seriesRule ? 1 : 0;
        const short wishFree = c.wishes ? 8 : 0;
        for (int p : {7, 8})
            gTeacherUnavailable(1, 5, p) = wishFree;
        for (int p = 1; p <= 5; ++p)
            gTeacherUnavailable(1, 3, p) = wishFree;
        f->Combo1->setListIndex(c.teacher - 1);
        f->Timer1_Timer();
        EXPECT_EQ(f->Label3->text(), c.line);
    }
    EXPECT_EQ(gTeacher, 7);
    EXPECT_EQ(gCheckOk, 0) << "a pass flag a loop may be about to read";
    for (int d = 1; d <= 6; ++d)
        EXPECT_EQ(gDayCounts(d), 10 * d) << "the optimiser window shows these per-day gap counts";
}

TEST_F(PlanViewsTest, AClassViewShowsBothGroupRowsOfAPeriod)
{
    place(1, 1, 2, 0, kEnglish);
    place(1, 1, 2, 1, kFrench);
    place(1, 2, 2, 0, kEnglish);
    place(1, 3, 2, 1, kFrench);
    Form52* f = view<Form52>(2);
    EXPECT_EQ(text(f, 1, 1), "En Fr");
    EXPECT_EQ(text(f, 1, 2), "En ");
    EXPECT_EQ(text(f, 1, 3), " Fr");
    EXPECT_EQ(text(f, 1, 4), " ") << "a free period";
}

TEST_F(PlanViewsTest, ARoomViewNamesTheClassesWhoseLessonsNeedTheRoom)
{
    gSubjectAttr(kBiology, 8) = kPhysicsRoom;
    gSubjectAttr(kEnglish, 19) = kPhysicsRoom;
    gSubjectAttr(kFrench, 8) = kChemistryRoom;
    gSubjectAttr(kMath, 8) = kPhysicsRoom;
    gSubjectAttr(kMath, 18) = kPhysicsRoom;
    gSubjectAttr(0, 8) = kPhysicsRoom;
    place(1, 3, 7, 0, kEnglish);
    place(1, 3, 2, 1, kBiology);
    place(1, 3, 2, 0, kFrench);
    place(2, 1, 4, 0, kMath);
    gTimetable(2, 2, 5, 0) = 150;

    Form53* f = view<Form53>(kPhysicsRoom);
    EXPECT_EQ(f->Combo1->ListCount(), 16);
    EXPECT_EQ(f->Combo1->List(0), "Raum 1") << "room 0, no special room, is not offered";
    EXPECT_EQ(text(f, 1, 3), "K2 K7 ") << "in class order, each followed by a blank";
    EXPECT_EQ(text(f, 2, 1), "K4 K4 ") << "the subject names the room twice";
    EXPECT_EQ(text(f, 1, 1), "") << "free periods never match, whatever subject slot 0 holds";
    EXPECT_EQ(text(f, 2, 2), "") << "a number that names no subject matches no room";

    f->Combo1->setListIndex(kChemistryRoom - 1);
    f->Timer1_Timer();
    EXPECT_EQ(text(f, 1, 3), "K2 ");
}

TEST_F(PlanViewsTest, OnlyTheRoomViewStartsItsTimerAgainWhenActivated)
{
    Form53* rooms = view<Form53>(1);
    Form52* classes = view<Form52>(1);
    rooms->Timer1->setEnabled(false);
    classes->Timer1->setEnabled(false);
    rooms->activate();
    classes->activate();
    EXPECT_TRUE(rooms->Timer1->isEnabled());
    EXPECT_FALSE(classes->Timer1->isEnabled());
}

TEST_F(PlanViewsTest, OpenViewsFollowAChangeInTheEditorAtTheNextTick)
{
    gSubjectAttr(kMath, 5) = 1;
    gSubjectTeachers(3, kMath, 0) = 2;
    gSubjectAttr(kMath, 8) = kPhysicsRoom;
    Form66* teacher = view<Form66>(2);
    Form52* cls = view<Form52>(3);
    Form53* room = view<Form53>(kPhysicsRoom);

    place(1, 4, 3, 0, kMath);
    EXPECT_EQ(text(teacher, 1, 4), "");
    emit teacher->Timer1->Tick();
    emit cls->Timer1->Tick();
    emit room->Timer1->Tick();
    EXPECT_EQ(text(teacher, 1, 4), "Ma K3");
    EXPECT_EQ(teacher->Label3->text(), " 0 Fenster, 1 Stunden");
    EXPECT_EQ(text(cls, 1, 4), "Ma ");
    EXPECT_EQ(text(room, 1, 4), "K3 ");
}

// Closing a view closes the launcher only; closing the editor closes them all.
TEST_F(PlanViewsTest, TheLauncherOpensTheViewsAndTheOverviewAndTheEditorClosesThemAll)
{
    Form11* reminder = forms::get<Form11>();
    reminder->List2->AddItem(QStringLiteral("Ma  Berg"));
    Form54* launcher = forms::show<Form54>();
    for (QPushButton* b : {launcher->Command8, launcher->Command4, launcher->Command1, launcher->Command2,
                           launcher->Command3}) {
        EXPECT_EQ(b->toolTip(), "verschiedene Ansichten");
        QTest::mouseClick(b, Qt::LeftButton);
    }
    EXPECT_TRUE(forms::isOpen<Form51>());
    EXPECT_TRUE(forms::isOpen<Form52>());
    EXPECT_TRUE(forms::isOpen<Form53>());
    EXPECT_TRUE(reminder->isVisible());
    EXPECT_EQ(reminder->List2->items(), QStringList{"Ma  Berg"}) << "shown as it last was, not refilled";

    Form66* second = forms::ifOpen<Form66>();
    ASSERT_TRUE(second);
    second->unload();
    EXPECT_FALSE(second->Timer1->isEnabled());
    EXPECT_FALSE(forms::isOpen<Form54>());
    EXPECT_TRUE(forms::isOpen<Form51>());
    forms::ifOpen<Form51>()->unload();
    EXPECT_TRUE(forms::isOpen<Form52>()) << "closing a view without the launcher open closes nothing else";

    reminder->unload();
    Form15* editorWindow = open();
    forms::show<Form54>();
    forms::show<Form51>();
    forms::show<Form66>();
    editorWindow->unload();
    EXPECT_TRUE(forms::all().isEmpty());
}

}
