#include "report/jobreport.h"

#include "platform/stringids.h"
#include "report/rtfwriter.h"
#include "reportfixture.h"
#include "support/recordingmessages.h"

#include <gtest/gtest.h>

#include <fstream>

namespace vellicor {
namespace {

using test::AddCoil;
using test::AddLayout;
using test::AddPart;
using test::AddSlit;
using test::FindSection;
using test::FixedPaths;
using test::FixedPrinter;
using test::ParseSections;
using test::RecordingMessages;
using test::RecordingShell;
using test::ReportTest;
using test::RtfSection;
using Lines = std::vector<std::string>;

class JobReportTest : public ReportTest {
protected:
    std::string Report(const CVellicorDoc& doc, const std::string& header = "")
    {
        const std::string path = PathOf("job.rtf");
        EXPECT_TRUE(WriteReport(doc, path, header, printer, messages));
        EXPECT_TRUE(messages.shown.empty());
        return Read(path);
    }
    std::vector<RtfSection> Sections(const CVellicorDoc& doc) { return ParseSections(Report(doc)); }

    static Lines LinesOf(const std::vector<RtfSection>& sections, const std::string& heading)
    {
        const RtfSection* s = FindSection(sections, heading);
        EXPECT_NE(s, nullptr) << heading;
        return s ? s->lines : Lines{};
    }

    FixedPrinter printer;
    RecordingMessages messages;
};

TEST_F(JobReportTest, SampleJobInBothModes)
{
    struct Case {
        int qtyByLength;
        std::vector<std::pair<std::string, Lines>> sections;
    };
    const Case cases[] = {
        {0,
         {
             {"Result Summary",
              {"Name |Values", "Stock Weight|7500", "--", "Part Weight|2038.7", "Overall Utilization|29.8",
               "Part Utilization|27.2", "Filler Part Weight|200", "Overproduced Part Weight|4361.3", "--",
               "Under Produced Part Weight|0", "--", "Total No Of Layouts|2", "--"}},
             {"Coil Information",
              {"Name|Width|Qty|Matl|Thk.|Wt/Coil|Cost/Kg|Lt. Trim|Rt. Trim|Remarks",
               "C1|1250|3|crca|1.500|10000|1.20|10|15|main stock", "C2|1000|2|crca|1.500|8000|1.20|0|0|", "--"}},
             {"Part Information", {"Name|Length|Width|Qty|Thick|Material|Remarks", "P1|300|500|20|1.500|crca|", "--"}},
             {"Slit Information", {"Name|Width|Req. Wt.|Matl|Thk|Prty|Remarks", "S1|250|2000|crca|1.500|0|", "--"}},
             {"Filler Information", {"Name|Width|Material|Thk.|Position|Remarks", "F1|50|crca|1.500|0|", "--"}},
             {"Settings Information",
              {"Description|Value", "Max Knives|10", "Kerf|1.500", "Knife Changing Cost|100", "Min Pattern Weight|50",
               "Coil Changing Cost|1000", "Min Offcut Width|10", "Max Parts allowed|11", "Min Cut Width|0", "--"}},
             {"Coil Used Information",
              {"Name|Width|Matl|Thk.|Avl Qty|Wt/Coil|Avl. Wt|Used Wt", "C1|1250|crca|1.500|3|10000|30000|7500", "--"}},
             {"Summary Of Layouts",
              {"No.|Name|Width|Mtl|Thk.|Used Wt|Rest Width|Details|Ovr Utl.|Part Utl.|Filler Utl",
               "1|C1|1250|crca|1.500|5000|75|P1 [300]   P1 [300]   S1 [250]   S1 [250]   F1 [50]   |92|88|4",
               "2|C1|1250|crca|1.500|2500|225|S1 [250]   S1 [250]   S1 [250]   S1 [250]   |80|80|0", "--"}},
             {"Layout 1 of 2",
              {" ",
               "Coil :C1,    Width :1250,     Mate :crca,        Thick :1.50,    Weight :5000,        Utl :92",
               "P1[300], P1[300], S1[250], S1[250], F1[50], ", "--"}},
         }},
        {1,
         {
             {"Result Summary",
              {"Name |Values", "Used Stock Length|465116.279", "--", "Overall Utilization (%)|29.8",
               "Part Utilization (%)|27.2", "Total No Of Layouts|2", "--"}},
             {"Coil Information",
              {"Name|Width|Qty|Matl|Length/Coil|Lt. Trim|Rt. Trim|Remarks",
               "C1|1250|3|crca|620155.039|10|15|main stock", "C2|1000|2|crca|620155.039|0|0|", "--"}},
             {"Part Information", {"Name|Length|Width|Qty|Material|Remarks", "P1|300|500|20|crca|", "--"}},
             {"Slit Information", {"Name|Width|Req. Length.|Matl|Remarks", "S1|250|620155.0|crca|", "--"}},
             {"Filler Information", {"Name|Width|Material|Thk.|Position|Remarks", "F1|50|crca|1.500|0|", "--"}},
             {"Settings Information", {"Description|Value", "Kerf|1.500", "Min Offcut Width|10", "--"}},
             {"Coil Used Information",
              {"Name|Width|Matl|Avl Qty|Length/Coil|Avl. Length|Used. Length",
               "C1|1250|crca|3|620155.039|1860465.116|465116.279", "--"}},
             {"Summary Of Layouts",
              {"No.|Name|Width|Mtl|Used Len|Rest Width|Details|Ovr Utl.",
               "1|C1|1250|crca|310077.519|75|P1 [300]   P1 [300]   S1 [250]   S1 [250]   F1 [50]   |92",
               "2|C1|1250|crca|155038.760|225|S1 [250]   S1 [250]   S1 [250]   S1 [250]   |80", "--"}},
             {"Layout 2 of 2",
              {" ",
               "Coil :C1,    Width :1250,     Mate :crca,        Length :155038.760,        Utl :80",
               "S1 [250]   S1 [250]   S1 [250]   S1 [250]   ", "--"}},
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.qtyByLength);
        CVellicorDoc doc;
        test::BuildSampleJob(doc);
        doc.QtyByLength = c.qtyByLength;
        const auto sections = Sections(doc);
        for (const auto& [heading, lines] : c.sections)
            EXPECT_EQ(LinesOf(sections, heading), lines) << heading;
    }
}

// The sample's 7500 kg against a least possible 7000 kg, in both modes.
TEST_F(JobReportTest, SummaryEndsWithTheLeastPossibleWeightWhenKnown)
{
    for (int qtyByLength : {0, 1}) {
        CVellicorDoc doc;
        test::BuildSampleJob(doc);
        doc.QtyByLength = qtyByLength;
        doc.LeastCoilWeight = 7000.0;
        const Lines lines = LinesOf(Sections(doc), "Result Summary");
        ASSERT_GE(lines.size(), 3u);
        EXPECT_EQ(Lines(lines.end() - 3, lines.end()),
                  (Lines{"Least Possible Coil Weight|7000", "Above Least Possible (%)|7.14", "--"}))
            << qtyByLength;
    }
}

TEST_F(JobReportTest, SectionsComeInReportOrderAfterTheTitle)
{
    CVellicorDoc doc;
    test::BuildSampleJob(doc);
    const std::string rtf = Report(doc);
    EXPECT_EQ(rtf.find(std::string(DefaultRtfProlog()) + R"(\pard\keepn\s1\sb240\sa60\kerning32\b\f1\fs32)"
                       "VANT Vellicor Software - Report"),
              0u);
    Lines headings;
    for (const auto& s : ParseSections(rtf))
        headings.push_back(s.heading);
    EXPECT_EQ(headings, (Lines{"Result Summary", "Coil Information", "Part Information", "Slit Information",
                               "Filler Information", "Settings Information", "Coil Used Information",
                               "Summary Of Layouts", "Layout 1 of 2", "Layout 2 of 2"}));
    EXPECT_EQ(rtf.back(), '}');
}

TEST_F(JobReportTest, JobWithOnlySlits)
{
    CVellicorDoc doc;
    doc.QtyByLength = 0;
    CCoil* c1 = AddCoil(doc, "C1", 1000, 1.5, 5000, 1);
    CCoilPart* s1 = AddSlit(doc, "S1", 200, 1000);
    AddLayout(doc, c1, {{s1}, {s1}}, 2000);
    const auto sections = Sections(doc);
    EXPECT_EQ(LinesOf(sections, "Part Information"), (Lines{"Name|Length|Width|Qty|Thick|Material|Remarks", "--"}));
    EXPECT_EQ(FindSection(sections, "Filler Information"), nullptr);
    EXPECT_NE(FindSection(sections, "Slit Information"), nullptr);
}

TEST_F(JobReportTest, JobWithoutSlitsLeavesOutTheirSection)
{
    CVellicorDoc doc;
    CCoil* c1 = AddCoil(doc, "C1", 1000, 1.5, 5000, 1);
    AddLayout(doc, c1, {{AddPart(doc, "P1", 300, 200, 4)}}, 100);
    EXPECT_EQ(FindSection(Sections(doc), "Slit Information"), nullptr);
}

TEST_F(JobReportTest, CoilsThatAreBarelyUsedAreNotListedAsUsed)
{
    // 1000 mm x 1 mm: one kilogram is 116.279 mm of coil.
    for (const int qtyByLength : {0, 1}) {
        SCOPED_TRACE(qtyByLength);
        CVellicorDoc doc;
        doc.QtyByLength = qtyByLength;
        CCoil* used = AddCoil(doc, "Used", 1000, 1, 5000, 1);
        CCoil* trace = AddCoil(doc, "Trace", 1000, 1, 5000, 1);
        AddCoil(doc, "Idle", 1000, 1, 5000, 1);
        CCoilPart* s1 = AddSlit(doc, "S1", 500, 100, 1);
        AddLayout(doc, used, {{s1}}, 100);
        // 0.5 mm of length, or 0.5 kg.
        AddLayout(doc, trace, {{s1}}, qtyByLength ? 0.0043 : 0.5);
        Lines names;
        const Lines lines = LinesOf(Sections(doc), "Coil Used Information");
        for (std::size_t i = 1; i + 1 < lines.size(); ++i)
            names.push_back(lines[i].substr(0, lines[i].find('|')));
        EXPECT_EQ(names, Lines{"Used"});
    }
}

TEST_F(JobReportTest, EveryLayoutGetsItsNumberedHeading)
{
    CVellicorDoc doc;
    CCoil* c1 = AddCoil(doc, "C1", 1000, 1.5, 5000, 3);
    CCoilPart* s1 = AddSlit(doc, "S1", 200, 1000);
    for (const double weight : {300.0, 200.0, 100.0})
        AddLayout(doc, c1, {{s1}}, weight);
    Lines headings;
    for (const auto& s : Sections(doc))
        if (s.heading.rfind("Layout ", 0) == 0)
            headings.push_back(s.heading);
    EXPECT_EQ(headings, (Lines{"Layout 1 of 3", "Layout 2 of 3", "Layout 3 of 3"}));
}

TEST_F(JobReportTest, WeightModeSlitListShowsWidthsAcrossTheCoil)
{
    CVellicorDoc doc;
    doc.QtyByLength = 0;
    CCoil* c1 = AddCoil(doc, "C1", 1000, 1.5, 5000, 1);
    CCoilPart* p1 = AddPart(doc, "P1", 300, 600, 10);
    CCoilPart* p2 = AddPart(doc, "P2", 400, 250, 10);
    AddLayout(doc, c1, {{p1}, {p2, 1}}, 500);
    const Lines lines = LinesOf(Sections(doc), "Layout 1 of 1");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[2], "P1[300], P2[250], ");
}

TEST_F(JobReportTest, UserTextsCannotBreakTheDocument)
{
    CVellicorDoc doc;
    doc.QtyByLength = 0;
    CCoil* c1 = AddCoil(doc, "{Coil}\\1", 1000, 1.5, 5000, 1, 0, 0, "st}eel", "rest {of");
    CCoilPart* p1 = AddPart(doc, "P{1", 300, 600, 10, 1.5, "st}eel");
    doc.Parts.back()->Remarks = "M\u00FCller \\par";
    AddLayout(doc, c1, {{p1}}, 500);
    const std::string rtf = Report(doc);

    int depth = 0;
    int lowest = 0;
    for (std::size_t i = 0; i < rtf.size(); ++i) {
        if (rtf[i] == '\\') {
            ++i;  // an escaped character or the first letter of a control word
        } else if (rtf[i] == '{') {
            ++depth;
        } else if (rtf[i] == '}') {
            lowest = std::min(lowest, --depth);
            if (depth == 0) {
                EXPECT_EQ(i, rtf.size() - 1) << "document closed early";
            }
        }
    }
    EXPECT_EQ(depth, 0);
    EXPECT_EQ(lowest, 0);
    EXPECT_NE(rtf.find(R"(\{Coil\}\\1)"), std::string::npos);
    EXPECT_NE(rtf.find(R"(M\'fcller \\par)"), std::string::npos);
    EXPECT_NE(rtf.find(R"(P\{1 [300])"), std::string::npos);
}

TEST_F(JobReportTest, ReportContinuesInsideTheUserHeader)
{
    const std::string header = PathOf("Header.rtf");
    std::ofstream(header, std::ios::binary) << R"({\rtf1\ansi{\fonttbl{\f0 Times;}{\f1 Arial;}} ACME Steel})";
    CVellicorDoc doc;
    test::BuildSampleJob(doc);
    const std::string rtf = Report(doc, header);
    EXPECT_EQ(rtf.rfind(R"({\rtf1\ansi{\fonttbl{\f0 Times;}{\f1 Arial;}} ACME Steel\pard\keepn\s1)", 0), 0u);
}

TEST_F(JobReportTest, NothingIsWrittenWithoutAResult)
{
    CVellicorDoc doc;
    AddCoil(doc, "C1", 1000, 1.5, 5000, 1);
    const std::string path = PathOf("job.rtf");
    EXPECT_FALSE(WriteReport(doc, path, "", printer, messages));
    EXPECT_FALSE(WriteSummary(doc, path, printer));
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(JobReportTest, UnwritableReportFileIsReported)
{
    CVellicorDoc doc;
    test::BuildSampleJob(doc);
    EXPECT_FALSE(WriteReport(doc, PathOf("missing/job.rtf"), "", printer, messages));
    ASSERT_EQ(messages.Ids(), std::vector<int>{178});
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Question);
    EXPECT_EQ(messages.shown[0].buttons, MessageButtons::Ok);

    EXPECT_FALSE(WriteSummary(doc, PathOf("missing/job.rtf"), printer));
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(JobReportTest, SummaryAloneUsesTheDefaultProlog)
{
    CVellicorDoc doc;
    test::BuildSampleJob(doc);
    const std::string path = PathOf("summary.rtf");
    ASSERT_TRUE(WriteSummary(doc, path, printer));
    const std::string rtf = Read(path);
    EXPECT_EQ(rtf.rfind(std::string(DefaultRtfProlog()) + R"(\pard\keepn\s3)", 0), 0u);
    const auto sections = ParseSections(rtf);
    ASSERT_EQ(sections.size(), 1u);
    EXPECT_EQ(sections[0].heading, "Result Summary");
    EXPECT_EQ(rtf.back(), '}');
}

TEST(ReportPath, CutsTheWholePathAtItsLastDot)
{
    struct Case {
        const char* job;
        const char* report;
    };
    const Case cases[] = {
        {R"(C:\Jobs\order 17.vcj)", R"(C:\Jobs\order 17.rtf)"},
        {"/home/plan/jobs.2024/order", "/home/plan/jobs.rtf"},
        {"order", "order.rtf"},
        {"order.v2.vcj", "order.v2.rtf"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReportPathFor(c.job), c.report) << c.job;
}

class ExportReportTest : public JobReportTest {
protected:
    ExportReportTest() : paths(""), services{messages, shell, printer, paths} {}
    void SetUp() override
    {
        JobReportTest::SetUp();
        paths.data = dir_.string();
    }

    RecordingShell shell;
    FixedPaths paths;
    ReportServices services;
};

TEST_F(ExportReportTest, WritesBesideTheJobAndShowsIt)
{
    std::ofstream(PathOf("Header.rtf"), std::ios::binary) << R"({\rtf1 House style})";
    CVellicorDoc doc;
    test::BuildSampleJob(doc);
    doc.SetPathName(PathOf("order 17.vcj"));
    messages.answers = {MessageAnswer::No};
    ExportReport(doc, services);
    EXPECT_EQ(messages.Ids(), std::vector<int>{ids::ReportWrittenTo});
    EXPECT_EQ(shell.opened, std::vector<std::string>{PathOf("order 17.rtf")});
    EXPECT_TRUE(shell.folders.empty());
    EXPECT_EQ(Read(PathOf("order 17.rtf")).rfind(R"({\rtf1 House style\pard)", 0), 0u);
}

// Both commands name the file they wrote and open its folder on Yes; when no program shows the
// file or the folder, the planner is told which.
TEST_F(ExportReportTest, WrittenFileIsNamedAndItsFolderOffered)
{
    enum Names { File, Folder };
    struct Case {
        const char* name;
        bool header;
        bool shellWorks;
        MessageAnswer answer;
        std::vector<std::pair<int, Names>> messages;
    };
    const Case cases[] = {
        {"report, folder opened", false, true, MessageAnswer::Yes, {{ids::ReportWrittenTo, File}}},
        {"report, folder declined", false, true, MessageAnswer::No, {{ids::ReportWrittenTo, File}}},
        {"report, no program", false, false, MessageAnswer::Yes,
         {{ids::NoProgramOpens, File}, {ids::ReportWrittenTo, File}, {ids::NoProgramOpens, Folder}}},
        {"header, folder opened", true, true, MessageAnswer::Yes, {{ids::HeaderWrittenTo, File}}},
        {"header, no program", true, false, MessageAnswer::No,
         {{ids::NoProgramOpens, File}, {ids::HeaderWrittenTo, File}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        messages = {};
        messages.answers = {c.answer};
        shell = {};
        shell.succeed = c.shellWorks;
        const std::string file = PathOf(c.header ? "Header.rtf" : "job.rtf");
        if (c.header) {
            CustomiseHeader(paths, shell, messages);
        } else {
            CVellicorDoc doc;
            test::BuildSampleJob(doc);
            doc.SetPathName(PathOf("job.vcj"));
            ExportReport(doc, services);
        }
        std::vector<std::pair<int, std::string>> shown;
        for (const auto& m : messages.shown)
            shown.emplace_back(m.id, m.args.empty() ? std::string() : m.args[0]);
        std::vector<std::pair<int, std::string>> expected;
        for (auto [id, names] : c.messages)
            expected.emplace_back(id, names == File ? file : dir_.string());
        EXPECT_EQ(shown, expected);
        EXPECT_EQ(shell.opened, std::vector<std::string>{file});
        const bool folderAsked = c.answer == MessageAnswer::Yes;
        EXPECT_EQ(shell.folders, folderAsked ? std::vector<std::string>{dir_.string()} : std::vector<std::string>{});
    }
}

TEST_F(ExportReportTest, UnsavedJobOrMissingResultShowsNothing)
{
    struct Case {
        const char* name;
        bool saved;
        bool result;
        int message;
    };
    const Case cases[] = {
        {"never saved", false, true, 175},
        {"no result", true, false, 176},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        messages.shown.clear();
        shell.opened.clear();
        CVellicorDoc doc;
        test::BuildSampleJob(doc);
        if (!c.result)
            doc.ClearResults();
        if (c.saved)
            doc.SetPathName(PathOf("job.vcj"));
        ExportReport(doc, services);
        EXPECT_EQ(messages.Ids(), std::vector<int>{c.message});
        EXPECT_TRUE(shell.opened.empty());
        EXPECT_FALSE(std::filesystem::exists(PathOf("job.rtf")));
    }
}

TEST_F(ExportReportTest, ReportThatCannotBeWrittenIsStillShown)
{
    CVellicorDoc doc;
    test::BuildSampleJob(doc);
    doc.SetPathName(PathOf("gone/job.vcj"));
    ExportReport(doc, services);
    EXPECT_EQ(messages.Ids(), std::vector<int>{178});
    EXPECT_EQ(shell.opened, std::vector<std::string>{PathOf("gone/job.rtf")});
    EXPECT_TRUE(shell.folders.empty());
}

TEST_F(ExportReportTest, CustomiseHeaderOpensTheHeaderFile)
{
    messages.answers = {MessageAnswer::No};
    CustomiseHeader(paths, shell, messages);
    EXPECT_EQ(shell.opened, std::vector<std::string>{PathOf("Header.rtf")});

    // The header it created reproduces the built-in one, and a header of the user's is kept.
    std::string created;
    ASSERT_EQ(ReadWholeFile(PathOf("Header.rtf"), created), FileError::None);
    EXPECT_EQ(created, std::string(DefaultRtfProlog()) + "}");
    ASSERT_EQ(WriteFileAtomically(PathOf("Header.rtf"), "{\\rtf1 mine}"), FileError::None);
    CustomiseHeader(paths, shell, messages);
    ASSERT_EQ(ReadWholeFile(PathOf("Header.rtf"), created), FileError::None);
    EXPECT_EQ(created, "{\\rtf1 mine}");
}

TEST_F(ExportReportTest, HeaderThatCannotBeCreatedIsReportedAndNotShown)
{
    paths.data = PathOf("gone");
    CustomiseHeader(paths, shell, messages);
    EXPECT_EQ(messages.Ids(), std::vector<int>{ids::FileNotFound});
    EXPECT_TRUE(shell.opened.empty());
}

} // namespace
} // namespace vellicor
