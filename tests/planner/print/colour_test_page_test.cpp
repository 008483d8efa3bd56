#include "planner/print/print_procedures.h"
#include "tests/planner/print/list_printouts_fixture.h"

class ColourTestPageTest : public ListPrintoutTest {};

TEST_F(ColourTestPageTest, EveryColourGetsABlackNameASwatchAndFourSamplesSideBySide)
{
    rec = &recordPrinting(QStringLiteral("Farblaser 2"), QPageSize(QPageSize::A4));
    gBlackWhiteOnly = -1;
    printer().setColour(PrintColour(12));
    f->Command24->click();

    const Op& title = text("Farbtest  VORDA V1.28a  Farblaser 2");
    EXPECT_EQ(title.state.colour, 0u) << "not the colour the last printout left";

    const QList<Op> swatches = opsOf(Kind::FilledBox);
    ASSERT_EQ(swatches.size(), 13);
    const QList<Op> texts = opsOf(Kind::Text);
    ASSERT_EQ(texts.size(), 1 + 13 * 5);
    const double sampleWidth = 11 * 10 / 2.0 * 25.4 / 72; // "ABCDEabcde " at 10 pt on the recorder
    for (int i = 0; i <= 12; ++i) {
        const double y = 50 + 10 * i;
        const Op& name = texts[1 + 5 * i];
        EXPECT_EQ(name.text, gColourNames(i).toString());
        EXPECT_EQ(name.y, y);
        EXPECT_EQ(name.state.colour, 0u) << "names are black";
        EXPECT_EQ(swatches[i].x, 60);
        EXPECT_EQ(swatches[i].y, y);
        EXPECT_EQ(swatches[i].x2, 80);
        EXPECT_EQ(swatches[i].y2, y + 6);
        EXPECT_EQ(swatches[i].state.colour, PrintColour(i)) << "in colour also with \"nur SW\"";
        const double sizes[] = {10, 8, 6, 4};
        for (int n = 0; n < 4; ++n) {
            const Op& sample = texts[2 + 5 * i + n];
            EXPECT_EQ(sample.text, "ABCDEabcde ");
            EXPECT_EQ(sample.state.font.size, sizes[n]);
            EXPECT_NEAR(sample.y, y + 2 + 0.5 * n, 1e-9);
            EXPECT_EQ(sample.state.colour, PrintColour(i));
        }
        EXPECT_EQ(texts[2 + 5 * i].x, 90);
        EXPECT_NEAR(texts[3 + 5 * i].x, 90 + sampleWidth, 1e-9) << "continuing the line";
    }
    EXPECT_EQ(rec->documents, 1);
    EXPECT_EQ(rec->begun[0].orientation, QPageLayout::Portrait);
}
