#include "units/numeric.h"
#include "units/numtext.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

namespace vellicor {
namespace {

struct FixedCase {
    double value;
    int decimals;
    const char* text;
};

TEST(FormatFixed, RoundsTiesAwayFromZeroOnSeventeenDigits)
{
    const FixedCase cases[] = {
        {0.125, 2, "0.13"},      // exact binary tie: printf would give 0.12
        {-0.125, 2, "-0.13"},
        {12.5, 0, "13"},
        {13.5, 0, "14"},
        {2.5, 0, "3"},
        {-2.5, 0, "-3"},
        {0.5, 0, "1"},
        {2.675, 2, "2.67"},      // really 2.67499999999999982...
        {1.005, 2, "1.00"},      // really 1.00499999999999989...
        {0.0005, 3, "0.001"},
        {0.0004, 3, "0.000"},
        {9.995, 2, "9.99"},      // really 9.99499999999999921...
        {9.9951, 2, "10.00"},    // carry into a new digit
        {999.5, 0, "1000"},
        {1.5, 6, "1.500000"},
        {1250, 3, "1250.000"},
        {0.0, 2, "0.00"},
        {-0.001, 2, "0.00"},     // no minus sign on a printed zero
        {-0.0, 0, "0"},
        {1e-300, 3, "0.000"},
        {123456789.125, 2, "123456789.13"},
        {1e20, 1, "100000000000000000000.0"},
        {0.3, 17, "0.29999999999999999"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatFixed(c.value, c.decimals), c.text) << c.value << " with " << c.decimals;
}

TEST(FormatFixed, NonFiniteValuesPrintAsTheRuntimeDoes)
{
    EXPECT_EQ(FormatFixed(std::numeric_limits<double>::infinity(), 2), "inf");
    EXPECT_EQ(FormatFixed(-std::numeric_limits<double>::infinity(), 0), "-inf");
}

TEST(FormatNumber, DropsDecimalsNearWholeNumbers)
{
    const FixedCase cases[] = {
        {1250, 3, "1250"},       {1250.5, 3, "1250.500"}, {1250.0004, 3, "1250"}, {0.0005, 3, "0"},
        {12.3456, 3, "12.346"},  {12.5, 0, "13"},         {-3.0009, 2, "-3"},     {-3.25, 1, "-3.3"},
        {1250.9996, 3, "1251.000"}, {300, 1, "300"},      {250.25, 1, "250.3"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatNumber(c.value, c.decimals), c.text) << c.value << " with " << c.decimals;
}

TEST(RoundDecimals, RoundsThroughThePrintedForm)
{
    EXPECT_DOUBLE_EQ(RoundDecimals(0.125, 2), 0.13);
    EXPECT_DOUBLE_EQ(RoundDecimals(31.5, 0), 32.0);
    EXPECT_DOUBLE_EQ(RoundDecimals(-31.5, 0), -32.0);
    EXPECT_DOUBLE_EQ(RoundDecimals(1.23456, 3), 1.235);
}

struct ParseCase {
    const char* text;
    double value;
    std::size_t consumed;
};

TEST(ParseDouble, ReadsTheLongestLeadingNumber)
{
    const ParseCase cases[] = {
        {"12.5", 12.5, 4},     {"  -3.25mm", -3.25, 7}, {"+7", 7, 2},      {".5", 0.5, 2},
        {"5.", 5, 2},          {"1e3", 1000, 3},        {"1e", 1, 1},      {"2E-2x", 0.02, 4},
        {"abc", 0, 0},         {"", 0, 0},              {".", 0, 0},       {"-", 0, 0},
        {"inf", 0, 0},         {"nan", 0, 0},           {"0x10", 0, 1},    {"1e999", 0, 0},
        {"6 8/32", 6, 1},
    };
    for (const auto& c : cases) {
        std::size_t consumed = 99;
        EXPECT_DOUBLE_EQ(ParseDouble(c.text, &consumed), c.value) << c.text;
        EXPECT_EQ(consumed, c.consumed) << c.text;
    }
}

TEST(IsNumberText, TheWholeTextIsOneNumber)
{
    for (const char* text : {"125", " 12.5 ", "-3", "+0.5", ".5"})
        EXPECT_TRUE(IsNumberText(text)) << text;
    for (const char* text : {"125O", "12abc", "", " ", "1 2", "1e", "abc"})
        EXPECT_FALSE(IsNumberText(text)) << text;
}

TEST(ParseInt, ReadsLeadingDigitsAndSaturates)
{
    EXPECT_EQ(ParseInt("42abc"), 42);
    EXPECT_EQ(ParseInt("  -8"), -8);
    EXPECT_EQ(ParseInt("x1"), 0);
    EXPECT_EQ(ParseInt(""), 0);
    EXPECT_EQ(ParseInt("99999999999999999999"), INT_MAX);
    EXPECT_EQ(ParseInt("-99999999999999999999"), INT_MIN);
    EXPECT_EQ(ParseInt("-2147483648"), INT_MIN);
}

TEST(Numeric, TolerantAndExactCompares)
{
    EXPECT_TRUE(IsZero(0.0000099));
    EXPECT_FALSE(IsZero(0.00001));
    EXPECT_TRUE(IsEqual(1.0, 1.0000099));
    EXPECT_FALSE(IsEqual(1.0, 1.00001));
    EXPECT_EQ(CompareDouble(1.0, 1.0000001), -1);
    EXPECT_EQ(CompareDouble(2.0, 2.0), 0);
    EXPECT_EQ(CompareInt(3, 2), 1);
    EXPECT_EQ(TruncToInt(-2.7), -2);
    EXPECT_EQ(TruncToInt(1e30), INT_MAX);
    EXPECT_EQ(TruncToInt(std::nan("")), 0);
}

TEST(DecimalPointChar, IsThePointInTheDefaultLocale)
{
    EXPECT_EQ(DecimalPointChar(), '.');
}

} // namespace
} // namespace vellicor
