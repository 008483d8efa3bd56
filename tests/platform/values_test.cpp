#include "platform/collate.h"
#include "platform/currency.h"
#include "platform/fixed_array.h"
#include "platform/numbers.h"
#include "platform/units.h"
#include "platform/variant.h"

#include <gtest/gtest.h>

TEST(Numbers, Forms)
{
    EXPECT_EQ(numbers::printForm(5), " 5 ");
    EXPECT_EQ(numbers::printForm(-5), "-5 ");
    EXPECT_EQ(numbers::printForm(2.5), " 2,5 ");
    EXPECT_EQ(numbers::strForm(7), " 7");
    EXPECT_EQ(numbers::strForm(-7), "-7");
    EXPECT_EQ(numbers::text(12), "12");
}

TEST(Numbers, ValReadsTheLeadingNumber)
{
    EXPECT_EQ(numbers::val("  12abc"), 12);
    EXPECT_EQ(numbers::val("3.5x"), 3.5);
    EXPECT_EQ(numbers::val("3,5"), 3);
    EXPECT_EQ(numbers::val("-4"), -4);
    EXPECT_EQ(numbers::val("abc"), 0);
    EXPECT_EQ(numbers::val(""), 0);
}

TEST(Variant, ComparisonRules)
{
    Variant empty;
    EXPECT_TRUE(empty == 0);
    EXPECT_TRUE(empty == "");
    EXPECT_TRUE(Variant("12") == 12);
    EXPECT_TRUE(Variant("9") < 10); // numerically, not as texts
    EXPECT_TRUE(Variant(5) < Variant("abc"));
    EXPECT_TRUE(Variant("a") != Variant("A"));
    EXPECT_FALSE(Variant("Inf").isNumeric()); // a subject's short name
    EXPECT_FALSE(Variant("nan").isNumeric());
    Variant n;
    ++n;
    EXPECT_TRUE(n.isNumber());
    EXPECT_EQ(n.toInt(), 1);
    EXPECT_EQ(Variant(2.5).toInt(), 2); // half to even
    EXPECT_EQ(Variant(3.5).toInt(), 4);
    EXPECT_EQ(Variant(7).toString(), "7");
    EXPECT_EQ(empty.toString(), "");
}

TEST(Currency, FourDecimalsAndGermanText)
{
    EXPECT_EQ(Currency::parse("2,5")->toString(), "2,5");
    EXPECT_EQ(Currency::parse(" 3 ")->toString(), "3");
    EXPECT_EQ(Currency::fromDouble(1.23456).units(), 12346);
    EXPECT_FALSE(Currency::parse("x").has_value());
}

TEST(Collation, ListOrder)
{
    EXPECT_TRUE(collate::less("1 ", "10"));
    EXPECT_TRUE(collate::less("10", "11"));
    EXPECT_TRUE(collate::less("11", "2 "));
    EXPECT_EQ(collate::compare("abc", "ABC"), 0);
    EXPECT_TRUE(collate::less("Apfel", "Ärger"));
    EXPECT_TRUE(collate::less("Ärger", "Birne"));
}

TEST(Units, ColoursAndTwips)
{
    EXPECT_EQ(units::bgrFromText("&H0080FF"), 0x0080FFu);
    const QColor orange = units::colourFromBgr(0x0080FF);
    EXPECT_EQ(orange.red(), 255);
    EXPECT_EQ(orange.green(), 128);
    EXPECT_EQ(orange.blue(), 0);
    EXPECT_EQ(units::bgrFromColour(orange), 0x0080FFu);
    EXPECT_EQ(units::twipsToPixels(150), 10);
}

TEST(FixedArray, BadIndexIsReportedNotUndefined)
{
    bounds::resetViolations();
    FixedArray<short, 3, 2> t;
    t(3, 2) = 7;
    EXPECT_EQ(t(3, 2), 7);
    t(4, 0) = 9;
    EXPECT_EQ(bounds::violations(), 1);
    const auto& readOnly = t;
    EXPECT_EQ(readOnly(3, 2), 7);
    EXPECT_EQ(t(-1, 0), 0);
    EXPECT_EQ(bounds::violations(), 2);
    bounds::resetViolations();
}

TEST(Numbers, StrFormWritesFractionsWithoutLeadingZeroAndSinglesToSevenDigits)
{
    const struct {
        double value;
        const char* form;
    } doubles[] = {{0.5, " .5"}, {-0.5, "-.5"}, {2.5, " 2.5"}, {0, " 0"}, {-12, "-12"}, {1e15, " 1E+15"},
                   {1.0 / 3, " .333333333333333"}};
    for (const auto& c : doubles)
        EXPECT_EQ(numbers::strForm(c.value), c.form) << c.value;
    EXPECT_EQ(numbers::strFormSingle(2.3f + 1.1f), " 3.4");
    EXPECT_EQ(numbers::strFormSingle(3.4f), " 3.4") << "not 3.40000009536743";
    EXPECT_EQ(numbers::strFormSingle(0.25f), " .25");
    EXPECT_EQ(numbers::strFormSingle(12345678.0f), " 1.234568E+07");
}
