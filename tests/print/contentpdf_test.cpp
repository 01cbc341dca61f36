#include "support/pdftext.h"
#include "support/tempdir.h"

#include "print/contentdocument.h"
#include "print/contentpdf.h"
#include "print/offscreenapp.h"
#include "report/reportcontent.h"

#include <QPageLayout>

#include <gtest/gtest.h>

#include <string>

namespace vellicor {
namespace {

class ContentPdf : public test::TempDirTest {
protected:
    void SetUp() override
    {
        TempDirTest::SetUp();
        EnsureGuiApplication();
    }
};

// A first table of more and more rows brings the second heading down to the foot of the first
// page and over it: wherever it falls, it is on the page where its table starts, and every page
// is numbered.
TEST_F(ContentPdf, AHeadingStaysOnThePageOfItsTable)
{
    const std::vector<ReportColumn> columns = {{"Name", 1, 'l'}, {"Value", 1, 'r'}};
    for (int rows = 30; rows <= 60; ++rows) {
        ReportContent content;
        content.Title = "Title";
        ReportTable first{"First", columns, {}};
        for (int i = 0; i < rows; ++i)
            first.Rows.push_back({{"row " + std::to_string(i), std::to_string(i)}});
        content.Tables.push_back(first);
        content.Tables.push_back({"Second heading", columns, {{{"opening row", "1"}}, {{"closing row", "2"}}}});
        const std::string pdf = Path("content.pdf");
        ASSERT_TRUE(WriteContentPdf(content, pdf, DefaultPageLayout()));

        const int pages = test::PdfPageCount(pdf);
        ASSERT_GE(pages, 1) << rows;
        for (int page = 1; page <= pages; ++page) {
            const std::string text = test::PdfText(pdf, page);
            if (text.find("Second heading") != std::string::npos)
                EXPECT_NE(text.find("opening row"), std::string::npos) << rows << " rows, page " << page;
            const std::string foot = "Page " + std::to_string(page) + " of " + std::to_string(pages);
            EXPECT_NE(text.find(foot), std::string::npos) << rows << " rows, " << foot;
        }
    }
}

} // namespace
} // namespace vellicor
