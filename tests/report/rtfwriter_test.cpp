#include "report/rtfwriter.h"

#include "reportfixture.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>

namespace vellicor {
namespace {

using test::FixedPrinter;
using test::ReportTest;

std::vector<int> CellEdges(const std::string& rtf)
{
    std::vector<int> edges;
    const std::regex cellx(R"(\\cellx(\d+))");
    for (auto it = std::sregex_iterator(rtf.begin(), rtf.end(), cellx); it != std::sregex_iterator(); ++it)
        edges.push_back(std::stoi((*it)[1]));
    return edges;
}

class RtfWriterTest : public ReportTest {
protected:
    // Writes a document with the default prolog and whatever `body` adds, and returns the file.
    template <typename Body>
    std::string Write(Body body, const IPrinterMetrics* printer = nullptr)
    {
        const std::string path = PathOf("out.rtf");
        CRtfWriter rtf(path, printer);
        EXPECT_TRUE(rtf.Open());
        rtf.WriteProlog("");
        body(rtf);
        EXPECT_TRUE(rtf.Close());
        return Read(path);
    }

    void WriteHeader(const std::string& content)
    {
        std::ofstream(PathOf("Header.rtf"), std::ios::binary) << content;
    }
};

TEST_F(RtfWriterTest, ColumnsShareThePageWidthInIntegerSteps)
{
    struct Case {
        int printerWidth;
        std::vector<std::uint16_t> widths;
        std::vector<int> edges;
    };
    const Case cases[] = {
        {0, {20, 20}, {4368, 8736}},                // no printer known
        {0, {98, 59, 38}, {4390, 7033, 8735}},      // truncation leaves the total short
        {10000, {1, 3}, {2500, 10000}},             // the printer's width
        {-5, {1, 1}, {4368, 8736}},                 // nonsense from the printer
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.printerWidth);
        FixedPrinter printer(c.printerWidth);
        std::vector<RtfColumn> columns;
        std::vector<std::string> cells;
        for (auto w : c.widths) {
            columns.push_back({"T", w, 'r'});
            cells.push_back("x");
        }
        const std::string rtf = Write(
            [&](CRtfWriter& w) {
                w.BeginTable(columns);
                w.WriteRow(cells);
            },
            &printer);
        // Header row, then the same edges in the body row.
        std::vector<int> expected = c.edges;
        expected.insert(expected.end(), c.edges.begin(), c.edges.end());
        EXPECT_EQ(CellEdges(rtf), expected);
    }
}

TEST_F(RtfWriterTest, TableRowsAreWrittenInTheReportLayout)
{
    const RtfColumn columns[] = {{"Name", 1, 'l'}, {"Qty", 1, 'r'}};
    const std::string rtf = Write([&](CRtfWriter& w) {
        w.BeginTable(columns);
        w.WriteRow(std::vector<std::string>{"C1", "3"});
        w.EndTable();
    });
    const std::string rowBorders = R"(\trbrdrt\brdrs\brdrw20\brdrcf2\trbrdrl\brdrs\brdrw20\brdrcf2)"
                                   R"(\trbrdrb\brdrs\brdrw20\brdrcf2\trbrdrr\brdrs\brdrw20\brdrcf2)";
    const std::string cell = R"(\clbrdrt\brdrw15\brdrs\clbrdrl\brdrw15\brdrs\clbrdrb\brdrw15\brdrs\clbrdrr\brdrw15\brdrs)";
    const std::string expected = std::string(DefaultRtfProlog()) + R"(\trowd\trgaph108\trleft-108\trhdr)" + rowBorders
        + cell + R"(\clcfpat9\clcbpat8\cellx4368)" + cell + R"(\clcfpat9\clcbpat8\cellx8736)"
        + R"(\pard\intbl\cf0\b\f0\fs20\intbl\ql Name\cell \qr Qty\cell \row\pard\intbl\cf0\b0)"
        + R"(\trowd\trgaph108\trleft-108)" + rowBorders + cell + R"(\cellx4368)" + cell + R"(\cellx8736)"
        + R"(\intbl\intbl\ql C1\cell \qr 3\cell \row\pard\f0\fs20})";
    EXPECT_EQ(rtf, expected);
}

TEST_F(RtfWriterTest, HeadingsUseTheirStyles)
{
    const std::string rtf = Write([](CRtfWriter& w) {
        w.WriteTitle("Report");
        w.WriteSectionHeading("Section");
    });
    EXPECT_EQ(rtf.substr(DefaultRtfProlog().size()),
              R"(\pard\keepn\s1\sb240\sa60\kerning32\b\f1\fs32Report\par\pard\kerning0\b0\f0\fs20)"
              R"(\pard\keepn\s3\sb240\sa60\b\f0\fs26Section\par\pard\b0\f1\fs20})");
}

TEST_F(RtfWriterTest, PercentSignsAreWrittenLiterally)
{
    const RtfColumn columns[] = {{"Utl %", 1, 'l'}};
    const std::string rtf = Write([&](CRtfWriter& w) {
        w.WriteTitle("100% done");
        w.WriteSectionHeading("%s of %d");
        w.BeginTable(columns);
        w.WriteRow(std::vector<std::string>{"50 %d%%"});
    });
    for (const char* text : {"100% done", "%s of %d", "Utl %", "50 %d%%"})
        EXPECT_NE(rtf.find(text), std::string::npos) << text;
}

TEST_F(RtfWriterTest, RowWithoutCellsWritesNothing)
{
    const RtfColumn columns[] = {{"A", 1, 'l'}};
    const std::string without = Write([&](CRtfWriter& w) { w.BeginTable(columns); });
    const std::string with = Write([&](CRtfWriter& w) {
        w.BeginTable(columns);
        w.WriteRow({});
    });
    EXPECT_EQ(with, without);
}

TEST_F(RtfWriterTest, HeaderFileOpensTheDocument)
{
    struct Case {
        const char* name;
        bool writeFile;
        std::string content;
        std::string expectedStart;
    };
    const Case cases[] = {
        {"minimal document", true, R"({\rtf1 Hello})", R"({\rtf1 Hello)"},
        {"nested groups", true, R"({\rtf1{\fonttbl{\f0 Arial;}} Head}
)", R"({\rtf1{\fonttbl{\f0 Arial;}} Head)"},
        {"no closing brace", true, R"({\rtf1 Hello)", std::string(DefaultRtfProlog())},
        {"missing file", false, "", std::string(DefaultRtfProlog())},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(PathOf("Header.rtf"));
        if (c.writeFile)
            WriteHeader(c.content);
        const std::string path = PathOf("out.rtf");
        {
            CRtfWriter rtf(path);
            ASSERT_TRUE(rtf.Open());
            rtf.WriteProlog(PathOf("Header.rtf"));
            rtf.WriteTitle("T");
            ASSERT_TRUE(rtf.Close());
        }
        const std::string expected = c.expectedStart + R"(\pard\keepn\s1)";
        const std::string content = Read(path);
        EXPECT_EQ(content.substr(0, expected.size()), expected);
        EXPECT_EQ(content.back(), '}');
    }
}

TEST(EscapeRtfText, MakesUserTextsSafe)
{
    struct Case {
        const char* text;
        const char* escaped;
    };
    const Case cases[] = {
        {"Coil 12 / A-3", "Coil 12 / A-3"},
        {R"(a\b{c}d)", R"(a\\b\{c\}d)"},
        {"M\u00FCller 50\u00B0", R"(M\'fcller 50\'b0)"},
        {"\u20AC \u2013", R"(\'80 \'96)"},                   // in the code page, above 0x7F
        {"\u03A9", R"(\u937?)"},                              // not in the code page
        {"\uAC00", R"(\u-21504?)"},                           // signed 16-bit
        {"\U0001F600", R"(\u-10179?\u-8704?)"},               // beyond the first plane: surrogates
        {"a\tb", R"(a\tab b)"},
        {"one\ntwo\r\nthree\rfour", R"(one\line two\line three\line four)"},
        {"bell\a nul\x01 del\x7F", "bell nul del"},               // other control characters go
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EscapeRtfText(c.text), c.escaped) << c.text;
}

// A language pack's texts cannot break the document either.
TEST_F(RtfWriterTest, SystemTextsAreEscapedLikeUserTexts)
{
    const RtfColumn columns[] = {{"Width {mm}", 1, 'l'}};
    const std::string rtf = Write([&](CRtfWriter& w) {
        w.WriteTitle("\u00DCbersicht \u03A9");
        w.WriteSectionHeading("Coils\tused\n{A}\\");
        w.BeginTable(columns);
    });
    EXPECT_NE(rtf.find(R"(\'dcbersicht \u937?)"), std::string::npos);
    EXPECT_NE(rtf.find(R"(Coils\tab used\line \{A\}\\)"), std::string::npos);
    EXPECT_NE(rtf.find(R"(Width \{mm\})"), std::string::npos);
}

TEST_F(RtfWriterTest, FileIsReplacedOnlyWhenTheDocumentIsComplete)
{
    const std::string path = PathOf("out.rtf");
    std::ofstream(path, std::ios::binary) << "old report";
    {
        CRtfWriter rtf(path);
        ASSERT_TRUE(rtf.Open());
        rtf.WriteProlog("");
        rtf.WriteTitle("New");
        EXPECT_EQ(Read(path), "old report");
        // Destroyed without Close: the document is still finished.
    }
    const std::string content = Read(path);
    EXPECT_EQ(content.substr(0, DefaultRtfProlog().size()), DefaultRtfProlog());
    EXPECT_EQ(content.back(), '}');
}

TEST_F(RtfWriterTest, OpenFailsWhereNoFileCanBeWritten)
{
    EXPECT_FALSE(CRtfWriter(PathOf("missing/out.rtf")).Open());
    std::filesystem::create_directory(PathOf("folder.rtf"));
    EXPECT_FALSE(CRtfWriter(PathOf("folder.rtf")).Open());
}

} // namespace
} // namespace vellicor
