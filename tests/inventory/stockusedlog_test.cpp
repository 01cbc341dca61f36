#include "inventory/stockusedlog.h"

#include <gtest/gtest.h>

namespace vellicor {
namespace {

const OleDate kDay{46364.6, OleDate::Valid}; // 8 December 2026, afternoon

CsStockUsedRec Used(std::int32_t id, std::string orderNo, std::uint16_t qty, std::string material, double length,
                    double width, double thickness)
{
    CsStockUsedRec rec;
    rec.Id = id;
    rec.OrderNo = std::move(orderNo);
    rec.Qty = qty;
    rec.Material = std::move(material);
    rec.Length = length;
    rec.Width = width;
    rec.Thickness = thickness;
    return rec;
}

TEST(StockUsedLog, ALineWrittenAndReadBack)
{
    const std::string line = StockUsedLine(Used(17, "A12", 2, "steel", 2500.0, 1250.0, 1.0), kDay);
    EXPECT_EQ(line, "17|A12|2|08/12/2026||steel|2500.00|1250.00|1.00|\n");

    const auto read = ParseStockUsed(line);
    ASSERT_EQ(read.size(), 1u);
    const CsStockUsedRec& rec = read[0];
    EXPECT_EQ(rec.Id, 17);
    EXPECT_EQ(rec.OrderNo, "A12");
    EXPECT_EQ(rec.Qty, 2);
    EXPECT_EQ(rec.Date, (OleDate{46364.0, OleDate::Valid}));
    EXPECT_EQ(rec.Spare, "");
    EXPECT_EQ(rec.Material, "steel");
    EXPECT_EQ(rec.Length, 2500.0);
    EXPECT_EQ(rec.Width, 1250.0);
    EXPECT_EQ(rec.Thickness, 1.0);
}

TEST(StockUsedLog, LengthsAreRoundedToTwoDecimalsWithTiesAwayFromZero)
{
    const std::string line = StockUsedLine(Used(3, "", 1, "al", 0.125, 1234.5678, 0.005), kDay);
    EXPECT_EQ(line, "3||1|08/12/2026||al|0.13|1234.57|0.01|\n");
    const auto read = ParseStockUsed(line);
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].Length, 0.13);
    EXPECT_EQ(read[0].Width, 1234.57);
    EXPECT_EQ(read[0].Thickness, 0.01);
}

TEST(StockUsedLog, TextsAreCodePage1252AndCannotSplitTheLine)
{
    const std::string line = StockUsedLine(Used(5, "Ü|1\r\n2", 1, "stahl", 1.0, 1.0, 1.0), kDay);
    EXPECT_EQ(line, "5|\xDC 1  2|1|08/12/2026||stahl|1.00|1.00|1.00|\n");
    const auto read = ParseStockUsed(line);
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].OrderNo, "Ü 1  2");
    // A character outside the code page keeps the line in UTF-8.
    EXPECT_EQ(ParseStockUsed(StockUsedLine(Used(6, "Ω", 1, "x", 1.0, 1.0, 1.0), kDay))[0].OrderNo, "Ω");
}

TEST(StockUsedLog, ReadingSkipsBlankAndShortLinesAndKeepsOrder)
{
    const std::string log = "\n  \r\n"
                            " 1|A|2|01/02/2025||steel|10.00|20.00|1.50|  \r\n"
                            "2|B|3|01/02/2025||steel|10.00|20.00|\n"
                            "3|C|4|31/02/2025||steel|10.00|20.00|1.50|extra|\n"
                            "4|D|5|01/02/2025||steel|10.00|20.00|1.50";
    const auto read = ParseStockUsed(log);
    ASSERT_EQ(read.size(), 3u);
    EXPECT_EQ(read[0].Id, 1);
    EXPECT_EQ(read[0].Thickness, 1.5);
    EXPECT_EQ(read[1].Id, 3);
    EXPECT_EQ(read[1].Date.status, OleDate::Invalid);
    EXPECT_EQ(read[2].Id, 4);
    EXPECT_EQ(read[2].Qty, 5);
    EXPECT_TRUE(ParseStockUsed("").empty());
}

} // namespace
} // namespace vellicor
