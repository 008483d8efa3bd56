#include "planner/masterdata/web_colours.h"
#include "platform/controls.h"
#include "platform/datafile.h"
#include "tests/planner/masterdata/masterdata_fixture.h"

#include <QLabel>
#include <QPushButton>

namespace {
std::uint32_t foreColour(const QWidget* w) { return static_cast<std::uint32_t>(w->property("ForeColor").toULongLong()); }
constexpr std::uint32_t kGreen = 0x00FF00;
}

class WebColoursTest : public MasterDataTest {};

TEST_F(WebColoursTest, ACodeIsStoredInUpperCaseWithoutLeadingZeros)
{
    const struct {
        const char* typed;
        const char* stored;
    } cases[] = {{"909090", "909090"}, {"000000", "0"},   {"00FF00", "FF00"},     {"abc", "ABC"},
                 {"#FF0000", "0"},     {"C000", "C000"},  {" ff 00x1", "FF00"},   {"FFFFFFFF", "FFFFFFFF"},
                 {"123456789A", "56789A"}};
    for (const auto& c : cases)
        EXPECT_EQ(StoredColourCode(QString::fromUtf8(c.typed)), QString::fromUtf8(c.stored)) << c.typed;
    EXPECT_EQ(ColourOfCode("abc"), QColor(0x00, 0x0A, 0xBC));
    EXPECT_EQ(ColourOfCode("FF00"), QColor(0, 0xFF, 0));
}

TEST_F(WebColoursTest, TheDefaultsOrTheStoredCodesShowAndTheSampleChangesOnTest)
{
    Form65* f = forms::show<Form65>();
    EXPECT_TRUE(f->Text1->text() == "909090" && f->Text2->text() == "000000") << "without the file";
    EXPECT_EQ(foreColour(f->Label8), 0x909090u);
    EXPECT_EQ(controls::backColor(f->Label8), 0u);
    f->Command1->click();
    EXPECT_FALSE(forms::isOpen<Form65>());
    EXPECT_EQ(readBytes("ifarben.dat"), QByteArray("909090\r\n0\r\n"));

    writeLines("ifarben.dat", {"FF00"});
    f = forms::show<Form65>();
    EXPECT_EQ(f->Text1->text(), "FF00");
    EXPECT_EQ(f->Text2->text(), "000000") << "a line missing from a short file";
    EXPECT_EQ(foreColour(f->Label8), kGreen);
    f->Text2->setText(QStringLiteral("FF00"));
    EXPECT_EQ(controls::backColor(f->Label8), 0u) << "typing changes no sample";
    f->Command3->click();
    EXPECT_EQ(controls::backColor(f->Label8), kGreen);
}

TEST_F(WebColoursTest, AFailedWriteIsShownAndTheWindowStays)
{
    blockFile("ifarben.dat");
    Form65* f = forms::show<Form65>();
    f->Command1->click();
    EXPECT_TRUE(forms::isOpen<Form65>());
    ASSERT_EQ(messages().size(), 1);
    unblockFile("ifarben.dat");
}

TEST_F(WebColoursTest, TheDemoSchoolsFileIsWhatTheWindowWrites)
{
    const QStringList demo = datafile::readLines(QStringLiteral(ORVQZ_DEMO_DIR) + "ifarben.dat").value_or(QStringList());
    ASSERT_EQ(demo.size(), 2);
    EXPECT_EQ(demo, QStringList({StoredColourCode(demo[0]), StoredColourCode(demo[1])}));
}
