#include "tests/planner/print/list_printouts_fixture.h"

#include <cmath>

class NameSignsTest : public ListPrintoutTest {};

TEST_F(NameSignsTest, SevenTeachersGiveSixSignsAPageAndOneOnTheNext)
{
    staff(9);
    gTeacherNames(2) = QStringLiteral("entfällt");
    gTeacherNames(4) = QStringLiteral("Z");
    gTeacherNames(5) = QString();
    gTeacherNames(9) = QStringLiteral("Entenmann Eva");
    f->Combo1->setListIndex(6);
    f->Command5->click();

    const QList<Op> texts = opsOf(Kind::Text);
    QStringList names;
    for (const Op& t : texts)
        names << t.text;
    EXPECT_EQ(names, QStringList({"Name 1", "Name 3", "Name 6", "Name 7", "Name 8", "Entenmann Eva", "Corn Clara"}))
        << "no sign for \"ent\", empty or one-character names, and no gap";
    EXPECT_EQ(rec->documents, 2);
    const QList<Op> cuts = opsOf(Kind::Line);
    ASSERT_EQ(cuts.size(), texts.size());
    for (int n = 0; n < texts.size(); ++n) {
        const double top = n < 6 ? 1800 * n : 0;
        EXPECT_EQ(texts[n].document, n < 6 ? 1 : 2);
        EXPECT_NEAR(texts[n].x, mm(500), 1e-9);
        EXPECT_NEAR(texts[n].y, mm(top), 1e-9) << n;
        EXPECT_EQ(texts[n].state.font.size, 70);
        EXPECT_EQ(texts[n].state.font.name, "Courier");
        EXPECT_NEAR(cuts[n].y, mm(top + 1750), 1e-9);
        EXPECT_NEAR(cuts[n].x, mm(1), 1e-9);
        EXPECT_NEAR(cuts[n].x2, mm(16000), 1e-9);
        EXPECT_EQ(cuts[n].state.colour, 1u);
    }
    EXPECT_EQ(rec->begun[1].orientation, QPageLayout::Landscape);
}

TEST_F(NameSignsTest, AWideNameShrinksByTheReportedSizeAtMostNineTimesAndTheNextStartsAt70)
{
    // The recorder's character is half the size wide: 21 characters fit at 70 pt.
    gTeacherNames(1) = QString(22, QLatin1Char('w'));
    gTeacherNames(3) = QString(60, QLatin1Char('w'));
    gTeacherNames(12) = QString(21, QLatin1Char('w'));
    f->Command5->click();

    const QList<Op> texts = opsOf(Kind::Text);
    ASSERT_EQ(texts.size(), 3);
    EXPECT_DOUBLE_EQ(texts[0].state.font.size, 70 * 0.95);
    EXPECT_NEAR(texts[1].state.font.size, 70 * std::pow(0.95, 9), 1e-9) << "printed over the edge";
    EXPECT_EQ(texts[2].state.font.size, 70);
}
