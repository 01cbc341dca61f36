#include "report/jobreport.h"
#include "report/knifesheet.h"
#include "support/samplejob.h"
#include "support/uifixture.h"
#include "ui/dialogs/printpreviewdlg.h"

#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QtTest>

using namespace vellicor;

class PrintPreviewDlgTest : public QObject {
    Q_OBJECT

    test::UiFixture ui_;

    int PagesShown(ReportContent content, QPrinter& printer)
    {
        CPrintPreviewDlg dialog(std::move(content), printer, "job.pdf", ui_.messages);
        dialog.show();
        dialog.Preview()->updatePreview();
        return dialog.Preview()->pageCount();
    }

private slots:
    void init() { ui_.Reset(); }

    void knifeSheetShowsAPagePerLayout()
    {
        QPrinter printer;
        const auto job = test::MakeSampleJob();
        QCOMPARE(PagesShown(DescribeKnifeSheet(*job), printer), job->GetLayouts().GetCount());
    }

    // Print SetUp's page decides: a page a quarter the size holds less of the report.
    void pagesFollowThePrinterOfPrintSetUp()
    {
        const auto job = test::MakeSampleJob();
        QPrinter printer;
        const int pages = PagesShown(DescribeReport(*job), printer);
        QVERIFY(pages >= 1);
        printer.setPageSize(QPageSize(QSizeF(105, 148), QPageSize::Millimeter));
        QVERIFY(PagesShown(DescribeReport(*job), printer) > pages);
    }
};

QTEST_MAIN(PrintPreviewDlgTest)
#include "printpreviewdlg_test.moc"
