#include "model/coil.h"
#include "model/jobfile.h"
#include "model/vellicordoc.h"
#include "support/clitest.h"
#include "support/pdftext.h"
#include "support/samplejob.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>

namespace vellicor {
namespace {

// The sample job: layout 1 on C1 (trims 10 and 15) cuts P1 turned (500), S1 (120) and F1 (50),
// layout 2 on C2 (trims 5 and 5) cuts S1 twice; the kerf is 0.5.
class KnivesCommand : public test::CliTest {
protected:
    void SetUp() override
    {
        CliTest::SetUp();
        job_ = Path("job.vcj");
        ASSERT_EQ(SaveJobFile(*test::MakeSampleJob(), job_), 0);
    }
    std::string job_;
};

TEST_F(KnivesCommand, TextTableGivesEveryLayoutItsKnives)
{
    const test::CliRun run = Cli({"knives", job_});
    ASSERT_EQ(run.status, cli::kExitOk) << run.err;
    EXPECT_EQ(run.err, "");
    const std::string first = run.out.substr(0, run.out.find("Layout 2 of 2"));
    for (const char* line : {"Knife Sheet - Layout 1 of 2", "Coil           C1", "Knives         4",
                             "Rest           553.500", "1      10        500    P1", "2      510.500   120    S1",
                             "3      631       50     F1", "4      681.500"})
        EXPECT_NE(first.find(line), std::string::npos) << line << "\n" << first;
    EXPECT_NE(run.out.find("Knife Sheet - Layout 2 of 2"), std::string::npos);
    EXPECT_NE(run.out.find("3      246"), std::string::npos) << run.out;
}

TEST_F(KnivesCommand, JsonGivesThePositionsInMillimetres)
{
    const test::CliRun run = Cli({"--unit", "in-frac", "knives", job_, "--json"});
    ASSERT_EQ(run.status, cli::kExitOk) << run.err;
    const auto json = nlohmann::json::parse(run.out);
    ASSERT_EQ(json["layouts"].size(), 2u);
    const auto& first = json["layouts"][0];
    EXPECT_EQ(first["number"], 1);
    EXPECT_EQ(first["coil"], "C1");
    EXPECT_EQ(first["positions"], nlohmann::json({10.0, 510.5, 631.0, 681.5}));
    EXPECT_EQ(first["strips"], nlohmann::json({500.0, 120.0, 50.0}));
    EXPECT_EQ(first["rest"], 553.5);
    EXPECT_EQ(first["kerf"], 0.5);
    EXPECT_EQ(json["layouts"][1]["positions"], nlohmann::json({5.0, 125.5, 246.0}));
}

TEST_F(KnivesCommand, SheetPdfHasAPagePerLayout)
{
    const std::string pdf = Path("knives.PDF");
    const test::CliRun run = Cli({"knives", job_, "-o", pdf});
    ASSERT_EQ(run.status, cli::kExitOk) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, "");
    ASSERT_EQ(test::PdfPageCount(pdf), 2);
    const std::string first = test::PdfText(pdf, 1);
    EXPECT_NE(first.find("Knife Sheet - Layout 1 of 2"), std::string::npos) << first;
    for (const char* position : {"10", "510.500", "631", "681.500", "553.500"})
        EXPECT_NE(first.find(position), std::string::npos) << position;
    const std::string second = test::PdfText(pdf, 2);
    EXPECT_NE(second.find("Knife Sheet - Layout 2 of 2"), std::string::npos) << second;
    EXPECT_NE(second.find("125.500"), std::string::npos);
}

// The shipped example, planned as the command line plans it: a page per layout, whatever the plan.
TEST_F(KnivesCommand, ExampleJobSheetAndReport)
{
    const std::string planned = Path("sample.json");
    ASSERT_EQ(Cli({"optimise", VELLICOR_SOURCE_DIR "/examples/sample.vcj", "-o", planned}).status, cli::kExitOk);
    const auto job = nlohmann::json::parse(test::ReadFile(planned));
    const int layouts = static_cast<int>(job["layouts"].size());
    ASSERT_GT(layouts, 0);

    const std::string sheet = Path("sheet.pdf");
    ASSERT_EQ(Cli({"knives", planned, "-o", sheet}).status, cli::kExitOk);
    EXPECT_EQ(test::PdfPageCount(sheet), layouts);
    const std::string last = test::PdfText(sheet, layouts);
    const std::string heading = "Layout " + std::to_string(layouts) + " of " + std::to_string(layouts);
    EXPECT_NE(last.find("Knife Sheet - " + heading), std::string::npos) << last;
    EXPECT_NE(last.find("Page " + std::to_string(layouts) + " of " + std::to_string(layouts)), std::string::npos)
        << last;

    const std::string report = Path("report.pdf");
    ASSERT_EQ(Cli({"report", planned, "-o", report}).status, cli::kExitOk);
    const int pages = test::PdfPageCount(report);
    EXPECT_GE(pages, 1);
    EXPECT_LE(pages, layouts);
    const std::string text = test::PdfText(report);
    for (const std::string& expected : {std::string("VANT Vellicor Software - Report"), std::string("Result Summary"),
                                        std::string("Summary Of Layouts"), std::string("Layout 1 of "), heading})
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
    // Every page is numbered at its foot.
    for (int page = 1; page <= pages; ++page) {
        const std::string foot = "Page " + std::to_string(page) + " of " + std::to_string(pages);
        EXPECT_NE(test::PdfText(report, page).find(foot), std::string::npos) << foot;
    }
}

TEST_F(KnivesCommand, FailuresExitWithTheirStatus)
{
    auto empty = test::MakeSampleJob();
    empty->ClearResults();
    ASSERT_EQ(SaveJobFile(*empty, Path("empty.vcj")), 0);
    test::WriteFile(Path("damaged.vcj"), "not a job");
    struct Case {
        const char* name;
        std::vector<std::string> args;
        int status;
        const char* message;
    };
    const Case cases[] = {
        {"no result", {"knives", Path("empty.vcj")}, cli::kExitNoResult, "Result does not exist."},
        {"damaged job", {"knives", Path("damaged.vcj")}, cli::kExitIo, "Unexpected file format."},
        {"unwritable sheet", {"knives", job_, "-o", Path("gone/a.pdf")}, cli::kExitIo, "Output File Is Open"},
        {"not a pdf", {"knives", job_, "-o", Path("a.rtf")}, cli::kExitUsage, "FILE.pdf"},
        {"only an extension", {"knives", job_, "-o", ".pdf"}, cli::kExitUsage, "FILE.pdf"},
        {"-o without file", {"knives", job_, "-o"}, cli::kExitUsage, "-o needs a file"},
        {"unknown option", {"knives", job_, "--csv"}, cli::kExitUsage, "unknown option"},
        {"no job", {"knives"}, cli::kExitUsage, "knives needs IN"},
        {"two jobs", {"knives", job_, job_}, cli::kExitUsage, "unexpected argument"},
        {"unwritable report", {"report", job_, "-o", Path("gone/a.pdf")}, cli::kExitIo, "Output File Is Open"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const test::CliRun run = Cli(c.args);
        EXPECT_EQ(run.status, c.status);
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
    }
}

// Texts that RTF would have to escape reach the PDF as they are.
TEST_F(KnivesCommand, ReportPdfShowsUserTextsAsTyped)
{
    auto doc = test::MakeSampleJob();
    doc->GetCoil(0)->Name = "C{1}\\ Gr\xc3\xbc\xc3\x9f" "e \xe2\x82\xac";
    ASSERT_EQ(SaveJobFile(*doc, Path("odd.vcj")), 0);
    const std::string pdf = Path("odd.pdf");
    ASSERT_EQ(Cli({"report", Path("odd.vcj"), "-o", pdf}).status, cli::kExitOk);
    const std::string text = test::PdfText(pdf);
    EXPECT_NE(text.find("C{1}\\ Gr\xc3\xbc\xc3\x9f" "e \xe2\x82\xac"), std::string::npos) << text;
}

} // namespace
} // namespace vellicor
