#include "csv/csvlayout.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace vellicor {
namespace {

using ::testing::ElementsAre;
using Lines = std::vector<std::string>;

TEST(ReadCsvLines, SplitsTrimsAndDecodes)
{
    struct Case {
        const char* name;
        std::string bytes;
        Lines lines;
    };
    const Case cases[] = {
        {"line feeds, last line without one", "a,b\nc,d", {"a,b", "c,d"}},
        {"carriage returns and blanks around", "  a,b \r\n\tc,d\r\n", {"a,b", "c,d"}},
        {"blank lines kept, no line after the last feed", "\n\nx\n\n", {"", "", "x", ""}},
        {"nothing", "", {}},
        {"code page 1252 when not UTF-8", "Gr\xFC\xDF,\x80", {"Gr\xC3\xBC\xC3\x9F,\xE2\x82\xAC"}},
        {"UTF-8 kept, byte-order mark dropped", "\xEF\xBB\xBFName,\xC3\xA9t\xC3\xA9\n", {"Name,\xC3\xA9t\xC3\xA9"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadCsvLines(c.bytes), c.lines) << c.name;
}

TEST(ReadCsvLines, LongLinesGoOnAsTheNextLine)
{
    const std::string full(kCsvMaxReadChars, 'x');

    // The line feed after a full read is read on its own, as an empty line.
    EXPECT_THAT(ReadCsvLines(full + "\n" + "next"), ElementsAre(full, "", "next"));
    EXPECT_THAT(ReadCsvLines(full + "\r\n"), ElementsAre(full, ""));
    EXPECT_THAT(ReadCsvLines(full + "yz\n"), ElementsAre(full, "yz"));

    // Characters are counted, not bytes, and never cut apart.
    std::string accents;
    for (int i = 0; i < kCsvMaxReadChars; ++i)
        accents += "\xC3\xA9";
    EXPECT_THAT(ReadCsvLines(accents + "\xE2\x82\xAC" + "b"), ElementsAre(accents, "\xE2\x82\xAC" "b"));
}

TEST(DetectCsvLayout, FindsDelimiterSkipLinesAndHeaders)
{
    struct Case {
        const char* name;
        Lines lines;
        char decimalPoint;
        std::string delimiter;
        int skipLines;
        bool hasHeaders;
    };
    const Case cases[] = {
        {"headers", {"Name,L,W", "A,100,50"}, '.', ",", 0, true},
        {"numbers in the first line", {"1,2,3", "4,5,6"}, '.', ",", 0, false},
        {"one number is still a header line", {"Name,100,W", "A,100,50"}, '.', ",", 0, true},
        {"semicolons under a decimal comma", {"Name;L;W", "A;1,5;2,5", "B;3,5;4,5"}, ',', ";", 0, true},
        {"the same file under a decimal point", {"Name;L;W", "A;1,5;2,5", "B;3,5;4,5"}, '.', ",", 1, false},
        {"colons before tabs", {"a:b\tc", "d:e\tf"}, '.', ":", 0, true},
        {"tabs", {"Name\tW", "A\t5", "B\t6"}, '.', "\t", 0, true},
        {"runs of spaces", {"Name   W  T", "A  5 1", "B 6    2"}, '.', " ", 0, true},
        {"leading blank lines are skipped", {"", "", "Name,W", "A,5", "B,6"}, '.', ",", 2, true},
        {"a title line is skipped", {"Stock list", "Name,W", "A,5", "B,6"}, '.', ",", 1, true},
        {"middle and last line decide", {"Title", "x", "1,2", "3,4"}, '.', ",", 2, false},
        {"no delimiter fits", {"a,b,c", "d,e", "f,g,h,i"}, '.', ",", 0, true},
        {"one column", {"Name", "A", "B"}, '.', ",", 0, true},
        {"blank lines only", {"", ""}, '.', ",", 1, false},
        {"no lines", {}, '.', ",", 0, false},
    };
    for (const auto& c : cases) {
        const CsvLayout layout = DetectCsvLayout(c.lines, c.decimalPoint);
        EXPECT_EQ(layout.delimiter, c.delimiter) << c.name;
        EXPECT_EQ(layout.skipLines, c.skipLines) << c.name;
        EXPECT_EQ(layout.hasHeaders, c.hasHeaders) << c.name;
    }
}

} // namespace
} // namespace vellicor
