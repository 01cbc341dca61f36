#include "report/jobreport.h"

#include "reportfixture.h"
#include "support/recordingmessages.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace vellicor {
namespace {

bool OnPath(const std::string& program)
{
    return std::system(("command -v " + program + " >/dev/null 2>&1").c_str()) == 0;
}

class LibreOfficeTest : public test::ReportTest {};

// A word processor other than ours must read the report: convert it to PDF and look at the text.
TEST_F(LibreOfficeTest, SampleReportConvertsToPdf)
{
    std::string office;
    for (const char* candidate : {"soffice", "libreoffice"})
        if (OnPath(candidate)) {
            office = candidate;
            break;
        }
    if (office.empty())
        GTEST_SKIP() << "LibreOffice is not installed";

    CVellicorDoc doc;
    test::BuildSampleJob(doc);
    doc.QtyByLength = 0;
    doc.Coils.front()->Remarks = "M\u00FCller {rush} \\ order";
    test::FixedPrinter printer;
    test::RecordingMessages messages;
    const std::string rtf = PathOf("sample.rtf");
    ASSERT_TRUE(WriteReport(doc, rtf, "", printer, messages));

    const std::string command = office + " -env:UserInstallation=file://" + PathOf("profile")
        + " --headless --convert-to pdf --outdir '" + dir_.string() + "' '" + rtf + "' >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const std::string pdf = PathOf("sample.pdf");
    ASSERT_TRUE(std::filesystem::exists(pdf));
    EXPECT_GT(std::filesystem::file_size(pdf), 1000u);

    if (!OnPath("pdftotext"))
        return;
    ASSERT_EQ(std::system(("pdftotext '" + pdf + "' '" + PathOf("sample.txt") + "'").c_str()), 0);
    const std::string text = Read(PathOf("sample.txt"));
    for (const char* expected : {"VANT Vellicor Software - Report", "Result Summary", "Coil Used Information",
                                 "Layout 2 of 2", "M\u00FCller", "{rush}", "P1[300], P1[300]"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
}

} // namespace
} // namespace vellicor
