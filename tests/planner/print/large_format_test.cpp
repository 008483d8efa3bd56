#include "tests/planner/print/print_fixture.h"

class LargeFormatTest : public GridTest {
protected:
    // A plotter in the member's orientation, or in the other one.
    static void plotter(const GridMember& m, bool sameOrientation = true)
    {
        gPlotterMode = -1;
        printer().setOrientation(m.landscape == sameOrientation ? QPageLayout::Landscape : QPageLayout::Portrait);
    }
    // The pen widths of everything printed, each change once.
    QList<double> penWidths() const
    {
        QList<double> widths;
        for (const Op& op : rec->ops) {
            if (widths.isEmpty() || widths.last() != op.state.penWidth)
                widths << op.state.penWidth;
        }
        return widths;
    }
};

TEST_F(LargeFormatTest, EachMemberShowsItsProgressSetsItsPensAndTitleAndOnlyTheStaffGridsAdvanceForAPlotter)
{
    gSchoolName = QStringLiteral("S");
    const QStringList teachers{"Abel Anna", "Berg Bernd", "Corn Clara"}, classes{"1A", "1B", "2A"};
    const QStringList a3{"Plan wird gedruckt..."}, reduced{"verkleinerter Plan wird gedruckt..."};
    const QStringList patience{"haben Sie Geduld..."}, wait{"bitte warten..."}, done{"Druckauftrag erledigt"};
    const QString staff = "Personalstundenplan  -  S", school = "Gesamtstundenplan und Lehrfächerverteilung  -  S";
    const struct {
        QStringList shown;
        QList<double> pens, plotterPens;
        QString title;
        double size, plotterSize;
    } cases[] = {
        {a3 + teachers + patience + done, {3, 6, 1}, {3, 1}, staff, 20, 34},
        {reduced + teachers + patience + done, {3, 4, 1}, {3, 4, 1}, staff, 20 / 1.414, 20 / 1.414},
        {a3 + teachers + classes + wait + done, {3, 2, 8, 2}, {3}, school, 21, 35.7},
        {reduced + teachers + wait + done, {3, 2, 5, 2}, {3, 2, 5, 2}, school, 21 / 1.414, 21 / 1.414},
        {a3 + classes + wait + done, {3, 2, 5, 2}, {3}, "Stundenplan  -  S", 19, 32.3},
        {reduced + classes + wait + done, {3, 2, 5, 2}, {3}, "Stundenplan  -  S", 19 / 1.414, 16.155},
    };
    for (int i = 0; i < 6; ++i) {
        const GridMember& m = kGridMembers[i];
        for (bool plotterMode : {false, true}) {
            SCOPED_TRACE(std::string(m.caption) + (plotterMode ? " plotter" : ""));
            recordA3();
            plotter(m);
            gPlotterMode = plotterMode ? -1 : 0;
            printer().setPenWidth(3);
            const QStringList shown = print(m.click);
            if (!plotterMode) {
                EXPECT_EQ(shown, cases[i].shown);
            }
            EXPECT_EQ(rec->begun.value(0).pageAdvances, plotterMode && i < 2 ? 1 : 0);
            EXPECT_EQ(penWidths(), plotterMode ? cases[i].plotterPens : cases[i].pens) << "a plotter keeps its own";
            // The A3 sheet folds its title's umlauts for a plotter.
            const QString title
                = plotterMode && i == 2 ? "Gesamtstundenplan und Lehrfacherverteilung  -  S" : cases[i].title;
            EXPECT_NEAR(text(title).state.font.size, plotterMode ? cases[i].plotterSize : cases[i].size, 0.001);
            EXPECT_TRUE(text(title).state.font.bold);
        }
    }
}

TEST_F(LargeFormatTest, APlotterInTheOtherOrientationRefusesExceptForTheReducedLandscapeTwins)
{
    for (const GridMember& m : kGridMembers) {
        SCOPED_TRACE(m.caption);
        plotter(m, false);
        const qsizetype before = rec->ops.size();
        const QStringList shown = print(m.click);
        if (m.landscape && m.reduced) {
            EXPECT_EQ(shown.last(), "Druckauftrag erledigt");
            EXPECT_GT(rec->ops.size(), before);
            continue;
        }
        EXPECT_EQ(shown, QStringList({QStringLiteral("Schalten Sie Ihren Plotter in der Druckerinstallation auf %1 !")
                                          .arg(m.landscape ? "Querformat" : "Hochformat")}));
        EXPECT_EQ(rec->ops.size(), before) << "nothing printed";
    }
    EXPECT_EQ(rec->documents, 2);
}

TEST_F(LargeFormatTest, InPlotterModeEveryDocumentEndsWithACodeZeroLineExceptInTheReducedLandscapeTwins)
{
    moreTeachersAndClasses(40, 12);
    f->Text5->setText("40");
    const int documents[] = {2, 2, 1, 1, 2, 2};
    const bool codeZero[] = {true, false, true, false, true, true};
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(kGridMembers[i].caption);
        recordA3();
        plotter(kGridMembers[i]);
        print(kGridMembers[i].click);
        ASSERT_EQ(rec->documents, documents[i]);
        int lines = 0;
        for (int n = 0; n < rec->ops.size(); ++n) {
            if (rec->ops[n].text != QString(QChar(0)))
                continue;
            ++lines;
            EXPECT_TRUE(n + 1 == rec->ops.size() || rec->ops[n + 1].document != rec->ops[n].document) << "the last";
        }
        EXPECT_EQ(lines, codeZero[i] ? documents[i] : 0);
    }
}

TEST_F(LargeFormatTest, CellsFitTheirSubjectInItsColourWhileAListLineTooWideForTheLadderIsSetSmallerToFitItsColumn)
{
    subject(4, "Arbeitsgemeinschaft Theater", 0);
    subject(5, "Deu", 0);
    gTimetable(1, 1, 1, 0) = 4;
    gTimetable(1, 2, 1, 0) = 2;
    gTimetable(1, 2, 1, 1) = 1;
    gTimetable(1, 3, 2, 0) = 5;
    gSubjectTeachers(1, 4, 0) = 1;
    gTeacherNames(1) = QStringLiteral("Abel Anna ") + QString(130, 'x');
    print(&Form14::Command14_Click);
    EXPECT_FALSE(printed("Arbeitsgemeinschaft Theater")) << "27 characters at 1 pt are wider than 4.5 mm";
    EXPECT_EQ(text("M").state.font.size, 10);
    // Three characters of the recorder fit 4.5 mm up to 8.504 pt.
    const double size = text("Deu").state.font.size;
    EXPECT_GT(size, 8.404);
    EXPECT_LE(size, 8.504);
    EXPECT_EQ(static_cast<double>(static_cast<float>(size)), size) << "fitting steps in single precision";
    const QString line = gTeacherNames(1).toString() + "  >  Arbeitsgemeinschaft Theater 1A";
    EXPECT_GT(line.size() * 4 / 2 * kMmPerPoint, 95) << "wider than the list column at the ladder's last size";
    EXPECT_NEAR(line.size() * text(line).state.font.size / 2 * kMmPerPoint, 95, 1e-4) << "ends with the column";

    EXPECT_EQ(text("M").state.colour, 0xFF0000u);
    EXPECT_EQ(text("D").state.colour, 0x0000FFu);
    EXPECT_EQ(text("1B").state.colour, 0u) << "the next class name returns to black";
    recordA3();
    f->SSCheck2_Click(1);
    print(&Form14::Command14_Click);
    EXPECT_EQ(text("M").state.colour + text("D").state.colour, 0u) << "black and white";
}

TEST_F(LargeFormatTest, TheReducedTwinStartsFittingAtTheDividedSizeButTakesTheLadderAsItStands)
{
    gTimetable(1, 1, 1, 0) = 2;
    gSubjectTeachers(1, 2, 0) = 1;
    print(&Form14::Command28_Click);
    EXPECT_EQ(text("M").state.font.size, 10 / 1.414f);
    EXPECT_EQ(text("Abel Anna  >  M 1A").state.font.size, 6);
    EXPECT_NEAR(text("M").x, (55 + 5 - 13.6) / 1.414, 1e-4);
    EXPECT_NEAR(text("M").y, (23.4 + 7) / 1.414, 1e-4);
}
