#include "dialogs/dataexchange.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(DataExchange, LoadingShowsShortestForms)
{
    EXPECT_EQ(formatInt(0), "0");
    EXPECT_EQ(formatInt(-20000), "-20000");
    EXPECT_EQ(formatInt(5000000), "5000000");
    // Six significant digits at most: not the digits of the binary value.
    EXPECT_EQ(formatFloat(0.02f), "0.02");
    EXPECT_EQ(formatFloat(1e-8f), "1e-08");
    EXPECT_EQ(formatFloat(10.0f), "10");
    EXPECT_EQ(formatFloat(0.5f), "0.5");
    EXPECT_EQ(formatFloat(1234567.0f), "1.23457e+06");
    EXPECT_EQ(formatFloat(-0.0f), "-0");
}

TEST(DataExchange, IntegerIsSignAndDigitsBetweenBlanks)
{
    EXPECT_EQ(parseInt("50"), 50);
    EXPECT_EQ(parseInt("  50  "), 50);
    EXPECT_EQ(parseInt("\t50\t"), 50);
    EXPECT_EQ(parseInt("+7"), 7);
    EXPECT_EQ(parseInt("-0"), 0);
    EXPECT_EQ(parseInt("-1"), -1);
    EXPECT_EQ(parseInt("007"), 7);
    EXPECT_EQ(parseInt("2147483647"), std::numeric_limits<int>::max());
    EXPECT_EQ(parseInt("-2147483648"), std::numeric_limits<int>::min());
    for (const char* text : {"", "   ", "12a", "a12", "1 2", "- 5", "+", "-", "1e5", "0x10", "1.0",
                             "1,000", "2147483648", "-2147483649", "99999999999999999999"}) {
        EXPECT_EQ(parseInt(text), std::nullopt) << text;
    }
    // Digits of other scripts are not decimal digits here.
    EXPECT_EQ(parseInt(QString::fromUtf8("\u0661\u0662")), std::nullopt);
}

TEST(DataExchange, SixteenBitIntegerMustFit)
{
    EXPECT_EQ(parseInt16(" 200 "), std::int16_t{200});
    EXPECT_EQ(parseInt16("32767"), std::int16_t{32767});
    EXPECT_EQ(parseInt16("-32768"), std::int16_t{-32768});
    EXPECT_EQ(parseInt16("32768"), std::nullopt);
    EXPECT_EQ(parseInt16("40000"), std::nullopt);
    EXPECT_EQ(parseInt16("-32769"), std::nullopt);
    EXPECT_EQ(parseInt16("12a"), std::nullopt);
}

TEST(DataExchange, RealIsDecimalNumberRoundedToSinglePrecision)
{
    EXPECT_EQ(parseFloat("0.02"), 0.02f);
    EXPECT_EQ(parseFloat("1e-8"), 1e-8f);
    EXPECT_EQ(parseFloat("  1E-8\t"), 1e-8f);
    EXPECT_EQ(parseFloat(".5"), 0.5f);
    EXPECT_EQ(parseFloat("5."), 5.0f);
    EXPECT_EQ(parseFloat("+2.5e+1"), 25.0f);
    EXPECT_EQ(parseFloat("10"), 10.0f);
    const std::optional<float> negativeZero = parseFloat("-0");
    ASSERT_TRUE(negativeZero.has_value());
    EXPECT_EQ(*negativeZero, 0.0f);
    EXPECT_TRUE(std::signbit(*negativeZero));
    // Rounded once from the decimal text to the nearest single-precision number.
    EXPECT_EQ(parseFloat("0.1"), 0.1f);
    EXPECT_EQ(parseFloat("3.4028235e38"), std::numeric_limits<float>::max());
    // Too small for single precision is zero, not an error.
    EXPECT_EQ(parseFloat("1e-60"), 0.0f);
    for (const char* text : {"", "  ", "12a", ".", "e5", "1e", "1e+", "1.2.3", "- 1", "nan", "inf",
                             "-infinity", "0x1p3", "0x10", "1,5", "1e99", "-1e99", "1e400"}) {
        EXPECT_EQ(parseFloat(text), std::nullopt) << text;
    }
}

TEST(DataExchange, MessagesAreTheFrameworkTexts)
{
    EXPECT_EQ(integerMessage(), "Please enter an integer.");
    EXPECT_EQ(numberMessage(), "Please enter a number.");
    EXPECT_EQ(intRangeMessage(0, 20000), "Please enter an integer between 0 and 20000.");
    EXPECT_EQ(intRangeMessage(-5, 5), "Please enter an integer between -5 and 5.");
    EXPECT_EQ(floatRangeMessage(1e-8f, 10.0f), "Please enter a number between 1e-08 and 10.");
}
