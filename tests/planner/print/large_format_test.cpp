#include "tests/planner/print/print_fixture.h"

#include <QPushButton>
#include <cmath>

namespace {
const QString kCodeZero(QChar(0));
const QString kWantLandscape = QStringLiteral("Schalten Sie Ihren Plotter in der Druckerinstallation auf Querformat !");
const QString kWantPortrait = QStringLiteral("Schalten Sie Ihren Plotter in der Druckerinstallation auf Hochformat !");
}

class LargeFormatTest : public GridTest {
protected:
    void plotter(QPageLayout::Orientation orientation)
    {
        gPlotterMode = -1;
        printer().setOrientation(orientation);
    }
    void plotterFor(const GridMember& m)
    {
        plotter(m.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
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

TEST_F(LargeFormatTest, TheStatusLineRunsFromTheStartTextThroughTheNamesToTheEnd)
{
    const QStringList teachers{"Abel Anna", "Berg Bernd", "Corn Clara"};
    const QStringList classes{"1A", "1B", "2A"};
    const QStringList done{"Druckauftrag erledigt"};
    const QString a3 = "Plan wird gedruckt...";
    const QString reduced = "verkleinerter Plan wird gedruckt...";
    const QStringList expected[] = {
        QStringList{a3} + teachers + QStringList{"haben Sie Geduld..."} + done,
        QStringList{reduced} + teachers + QStringList{"haben Sie Geduld..."} + done,
        QStringList{a3} + teachers + classes + QStringList{"bitte warten..."} + done,
        QStringList{reduced} + teachers + QStringList{"bitte warten..."} + done,
        QStringList{a3} + classes + QStringList{"bitte warten..."} + done,
        QStringList{reduced} + classes + QStringList{"bitte warten..."} + done,
    };
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(print(kGridMembers[i].click), expected[i]) << kGridMembers[i].caption;
}

TEST_F(LargeFormatTest, APlotterInTheOtherOrientationRefusesExceptForTheReducedLandscapeTwins)
{
    for (const GridMember& m : kGridMembers) {
        plotter(m.landscape ? QPageLayout::Portrait : QPageLayout::Landscape);
        const int before = static_cast<int>(rec->ops.size());
        const QStringList shown = print(m.click);
        if (m.landscape && m.reduced) {
            EXPECT_EQ(shown.last(), "Druckauftrag erledigt") << m.caption;
            EXPECT_GT(rec->ops.size(), before) << m.caption;
            continue;
        }
        EXPECT_EQ(shown, QStringList({m.landscape ? kWantLandscape : kWantPortrait})) << m.caption;
        EXPECT_EQ(rec->ops.size(), before) << m.caption << ": nothing printed";
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
        const GridMember& m = kGridMembers[i];
        rec = &recordPrinting(QStringLiteral("A3-Drucker"), QPageSize(QPageSize::A3));
        plotterFor(m);
        print(m.click);
        ASSERT_EQ(rec->documents, documents[i]) << m.caption;
        int lines = 0;
        for (int n = 0; n < rec->ops.size(); ++n) {
            if (rec->ops[n].text != kCodeZero)
                continue;
            ++lines;
            const bool lastOfDocument = n + 1 == rec->ops.size() || rec->ops[n + 1].document != rec->ops[n].document;
            EXPECT_TRUE(lastOfDocument) << m.caption;
        }
        EXPECT_EQ(lines, codeZero[i] ? documents[i] : 0) << m.caption;
    }
}

TEST_F(LargeFormatTest, TheStaffGridsAdvanceThePageFirstInPlotterModeOnly)
{
    for (int i = 0; i < 6; ++i) {
        const GridMember& m = kGridMembers[i];
        for (bool plotterMode : {false, true}) {
            rec = &recordPrinting(QStringLiteral("A3-Drucker"), QPageSize(QPageSize::A3));
            gPlotterMode = plotterMode ? -1 : 0;
            printer().setOrientation(m.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
            print(m.click);
            ASSERT_FALSE(rec->begun.isEmpty()) << m.caption;
            EXPECT_EQ(rec->begun[0].pageAdvances, plotterMode && i < 2 ? 1 : 0) << m.caption << plotterMode;
        }
    }
}

TEST_F(LargeFormatTest, PenWidthsFollowEachMemberAndAPlotterKeepsItsOwnWhereMarked)
{
    const QList<double> off[] = {{3, 6, 1}, {3, 4, 1}, {3, 2, 8, 2}, {3, 2, 5, 2}, {3, 2, 5, 2}, {3, 2, 5, 2}};
    const QList<double> plotterOn[] = {{3, 1}, {3, 4, 1}, {3}, {3, 2, 5, 2}, {3}, {3}};
    for (int i = 0; i < 6; ++i) {
        const GridMember& m = kGridMembers[i];
        for (bool plotterMode : {false, true}) {
            rec = &recordPrinting(QStringLiteral("A3-Drucker"), QPageSize(QPageSize::A3));
            gPlotterMode = plotterMode ? -1 : 0;
            printer().setOrientation(m.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
            printer().setPenWidth(3);
            print(m.click);
            EXPECT_EQ(penWidths(), plotterMode ? plotterOn[i] : off[i]) << m.caption << " plotter " << plotterMode;
        }
    }
}

TEST_F(LargeFormatTest, APlotterEnlargesTheTitlesOfTheMembersThatKnowIt)
{
    gSchoolName = QStringLiteral("S");
    const QString titles[] = {"Personalstundenplan  -  S", "Personalstundenplan  -  S",
                              "Gesamtstundenplan und Lehrfächerverteilung  -  S",
                              "Gesamtstundenplan und Lehrfächerverteilung  -  S", "Stundenplan  -  S",
                              "Stundenplan  -  S"};
    const double plain[] = {20, 20 / 1.414, 21, 21 / 1.414, 19, 19 / 1.414};
    const double plotted[] = {34, 20 / 1.414, 35.7, 21 / 1.414, 32.3, 16.155};
    for (int i = 0; i < 6; ++i) {
        const GridMember& m = kGridMembers[i];
        for (bool plotterMode : {false, true}) {
            rec = &recordPrinting(QStringLiteral("A3-Drucker"), QPageSize(QPageSize::A3));
            gPlotterMode = plotterMode ? -1 : 0;
            printer().setOrientation(m.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
            print(m.click);
            // The A3 sheet folds its title's umlauts for a plotter.
            const Op title = text(plotterMode && i == 2 ? "Gesamtstundenplan und Lehrfacherverteilung  -  S" : titles[i]);
            EXPECT_NEAR(title.state.font.size, plotterMode ? plotted[i] : plain[i], 0.001) << m.caption;
            EXPECT_TRUE(title.state.font.bold);
        }
    }
}

TEST_F(LargeFormatTest, ContinuousFittingLeavesOutWhatFitsNowhereWhileTheLadderPrintsOversize)
{
    subject(4, "Arbeitsgemeinschaft Theater", 0);
    gTimetable(1, 1, 1, 0) = 4;
    gTimetable(1, 2, 1, 0) = 2;
    gSubjectTeachers(1, 4, 0) = 1;
    gTeacherNames(1) = QStringLiteral("Abel Anna ") + QString(130, 'x');
    print(&Form14::Command14_Click);
    EXPECT_FALSE(printed("Arbeitsgemeinschaft Theater")) << "27 characters at 1 pt are wider than 4.5 mm";
    EXPECT_EQ(text("M").state.font.size, 10);

    const QString line = gTeacherNames(1).toString() + "  >  Arbeitsgemeinschaft Theater 1A";
    const Op list = text(line);
    EXPECT_EQ(list.state.font.size, 4) << "the last size of the ladder";
    EXPECT_GT(line.size() * 4 / 2 * 25.4 / 72, 95) << "wider than the list column";
}

TEST_F(LargeFormatTest, AFittingStepsInSinglePrecisionAndEndsAtTheFirstSizeThatFits)
{
    subject(4, "Deu", 0);
    gTimetable(1, 1, 1, 0) = 4;
    print(&Form14::Command14_Click);
    const double size = text("Deu").state.font.size;
    // Three characters of the recorder fit 4.5 mm up to 8.504 pt.
    EXPECT_GT(size, 8.404);
    EXPECT_LE(size, 8.504);
    EXPECT_EQ(static_cast<double>(static_cast<float>(size)), size) << "a single-precision size";
}

TEST_F(LargeFormatTest, TheReducedTwinStartsFittingAtTheDividedSizeButTakesTheLadderAsItStands)
{
    gTimetable(1, 1, 1, 0) = 2;
    gSubjectTeachers(1, 2, 0) = 1;
    print(&Form14::Command28_Click);
    EXPECT_EQ(text("M").state.font.size, 10 / 1.414f);
    EXPECT_EQ(text("Abel Anna  >  M 1A").state.font.size, 6);
    const Op cell = text("M");
    EXPECT_NEAR(cell.x, (55 + 5 - 13.6) / 1.414, 1e-4);
    EXPECT_NEAR(cell.y, (23.4 + 7) / 1.414, 1e-4);
}

TEST_F(LargeFormatTest, ACellPrintsInItsSubjectsColourWhichStaysUntilATextSetsBlack)
{
    gTimetable(1, 1, 1, 0) = 2;
    gTimetable(1, 1, 1, 1) = 1;
    print(&Form14::Command14_Click);
    const std::uint32_t blue = 0xFF0000, red = 0x0000FF;
    EXPECT_EQ(text("M").state.colour, blue);
    EXPECT_EQ(text("D").state.colour, red);
    EXPECT_EQ(text("1B").state.colour, 0u) << "the next class name returns to black";

    rec = &recordPrinting(QStringLiteral("A3-Drucker"), QPageSize(QPageSize::A3));
    f->SSCheck2_Click(1);
    print(&Form14::Command14_Click);
    EXPECT_EQ(text("M").state.colour, 0u);
    EXPECT_EQ(text("D").state.colour, 0u);
}
