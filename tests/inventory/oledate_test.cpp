#include "inventory/oledate.h"

#include <gtest/gtest.h>

namespace vellicor {
namespace {

TEST(OleDate, CalendarDaysAndTimes)
{
    struct Case {
        CivilDateTime civil;
        double value;
    };
    const Case cases[] = {
        {{1899, 12, 30, 0, 0, 0}, 0.0},
        {{1900, 1, 1, 0, 0, 0}, 2.0},
        {{1899, 12, 30, 18, 0, 0}, 0.75},
        // Before the first day the fraction still counts forward from midnight.
        {{1899, 12, 29, 6, 0, 0}, -1.25},
        {{2026, 12, 8, 12, 0, 0}, 46364.5},
        {{2024, 2, 29, 0, 0, 0}, 45351.0},
        {{100, 1, 1, 0, 0, 0}, -657434.0},
        {{9999, 12, 31, 23, 59, 59}, 2958465.0 + 86399.0 / 86400.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        const OleDate date = MakeOleDate(c.civil);
        EXPECT_EQ(date.status, OleDate::Valid);
        EXPECT_DOUBLE_EQ(date.value, c.value);
        const auto back = CivilOf(date);
        ASSERT_TRUE(back);
        EXPECT_EQ(back->year, c.civil.year);
        EXPECT_EQ(back->month, c.civil.month);
        EXPECT_EQ(back->day, c.civil.day);
        EXPECT_EQ(back->hour, c.civil.hour);
        EXPECT_EQ(back->minute, c.civil.minute);
        EXPECT_EQ(back->second, c.civil.second);
    }
}

TEST(OleDate, OutOfRangeFieldsMakeAnInvalidDate)
{
    const CivilDateTime cases[] = {
        {99, 12, 31, 0, 0, 0}, {10000, 1, 1, 0, 0, 0}, {2026, 13, 1, 0, 0, 0}, {2026, 2, 29, 0, 0, 0},
        {2026, 4, 31, 0, 0, 0}, {2026, 1, 0, 0, 0, 0},  {2026, 1, 1, 24, 0, 0}, {2026, 1, 1, 0, 60, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MakeOleDate(c).status, OleDate::Invalid) << c.year << '-' << c.month << '-' << c.day;
}

TEST(OleDate, OnlyValidDatesInRangeHaveACalendarDay)
{
    EXPECT_FALSE(CivilOf(OleDate{46364.0, OleDate::Null}));
    EXPECT_FALSE(CivilOf(OleDate{46364.0, OleDate::Invalid}));
    EXPECT_FALSE(CivilOf(OleDate{1e300, OleDate::Valid}));
    EXPECT_FALSE(CivilOf(OleDate{-1e300, OleDate::Valid}));
    EXPECT_FALSE(CivilOf(OleDate{std::numeric_limits<double>::quiet_NaN(), OleDate::Valid}));
    EXPECT_EQ(FormatDayMonthYear(OleDate{46364.0, OleDate::Null}), "");
    // Half a second before midnight belongs to the next day.
    const auto late = CivilOf(OleDate{46364.0 + 86399.6 / 86400.0, OleDate::Valid});
    ASSERT_TRUE(late);
    EXPECT_EQ(late->day, 9);
    EXPECT_EQ(late->hour, 0);
}

TEST(OleDate, DayMonthYearText)
{
    EXPECT_EQ(FormatDayMonthYear(OleDate{46364.75, OleDate::Valid}), "08/12/2026");
    EXPECT_EQ(FormatDayMonthYear(OleDate{-657434.0, OleDate::Valid}), "01/01/0100");
    const std::pair<const char*, double> good[] = {{"08/12/2026", 46364.0}, {" 8/12/2026 ", 46364.0},
                                                   {"29/02/2024", 45351.0}};
    for (const auto& [text, value] : good) {
        const OleDate date = ParseDayMonthYear(text);
        EXPECT_EQ(date.status, OleDate::Valid) << text;
        EXPECT_EQ(date.value, value) << text;
    }
    for (const char* bad : {"", "08/12", "08-12-2026", "31/02/2026", "08/12/2026x", "008/12/2026", "08/12/20260",
                            "/12/2026", "08/12/99"})
        EXPECT_EQ(ParseDayMonthYear(bad).status, OleDate::Invalid) << bad;
}

TEST(OleDate, NowIsAValidDateOfThisEra)
{
    const OleDate now = OleDateNow();
    EXPECT_EQ(now.status, OleDate::Valid);
    EXPECT_GT(now.value, 45000.0);
}

} // namespace
} // namespace vellicor
