#include "inventory/stockdb.h"
#include "inventory/stockusedlog.h"
#include "model/jobfile.h"
#include "model/vellicordoc.h"
#include "platform/stringids.h"
#include "platform/safefile.h"
#include "support/bookingjob.h"
#include "support/modaldialog.h"
#include "support/resultfixture.h"
#include "support/uifixture.h"
#include "ui/grid/gridwnd.h"
#include "ui/dialogs/updateinventorydlg.h"
#include "units/units.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace vellicor;

namespace {

using Col = CUpdateInventoryDlg::Column;

void Press(CUpdateInventoryDlg& dialog, QDialogButtonBox::StandardButton which)
{
    dialog.findChild<QDialogButtonBox*>()->button(which)->click();
}

// Typed into a cell through its editor, as the user does.
void TypeInto(CSGridWnd& grid, int row, int col, const QString& text)
{
    const QModelIndex cell = grid.model()->index(row - 1, col - 1);
    grid.setCurrentIndex(cell);
    grid.edit(cell);
    auto* editor = qobject_cast<QLineEdit*>(grid.indexWidget(cell));
    QVERIFY(editor);
    editor->setText(text);
    grid.TransferCurrentCell();
}

} // namespace

class UpdateInventoryDlgTest : public QObject {
    Q_OBJECT

private:
    std::string Read(const std::string& name) const
    {
        std::string bytes;
        ReadWholeFile(data_->DataFile(name), bytes);
        return bytes;
    }

    CsStockDb Stock() const
    {
        CsStockDb db;
        db.Load(Read("stock.db"));
        return db;
    }

    // The booking job, saved where the booking saves it again.
    std::unique_ptr<CVellicorDoc> Job() const
    {
        auto doc = test::MakeBookingJob();
        doc->SetPathName(data_->DataFile("job.vcj"));
        return doc;
    }

    CUpdateInventoryDlg* MakeDialog(CVellicorDoc& doc)
    {
        dialog_ = std::make_unique<CUpdateInventoryDlg>(doc, data_->inventory, data_->materials, ui_.Services());
        return dialog_.get();
    }

    test::UiFixture ui_;
    std::unique_ptr<test::ResultFixture> data_;
    std::unique_ptr<CUpdateInventoryDlg> dialog_;

private slots:
    void init()
    {
        ui_.Reset();
        dialog_.reset();
        data_ = std::make_unique<test::ResultFixture>(ui_.messages);
        QCOMPARE(WriteFileAtomically(data_->DataFile("stock.db"), test::MakeBookingStock().Bytes()), FileError::None);
    }

    void cleanup() { dialog_.reset(); }

    void showsTheOffcutsToCorrect()
    {
        auto doc = Job();
        CUpdateInventoryDlg& dialog = *MakeDialog(*doc);
        QCOMPARE(dialog.windowTitle(), QString("Update Inventory..."));
        const BookingLists lists = FillLists(*doc);
        CSGridWnd& grid = *dialog.Grid();
        QCOMPARE(grid.GetRowCount(), int(lists.Offcuts.size()));
        for (int r = 1; r <= grid.GetRowCount(); ++r) {
            const CsStockRec& offcut = lists.Offcuts[std::size_t(r - 1)];
            QCOMPARE(grid.GetValue(r, Col::ColName), QString::fromStdString(offcut.Name));
            QCOMPARE(grid.GetNumber(r, Col::ColLength), offcut.Length);
            QCOMPARE(grid.GetNumber(r, Col::ColWidth), offcut.Width);
            QCOMPARE(grid.GetValue(r, Col::ColQty), QString::number(offcut.Qty));
            QVERIFY(!grid.GetValue(r, Col::ColDate).isEmpty());
        }
        QCOMPARE(grid.GetValue(3, Col::ColCostPerKg), QString("1.800"));
        QCOMPARE(dialog.UsedStock().front().Id, 17);
        QCOMPARE(dialog.UsedStock().front().Remarks, std::string("Edge damaged"));

        for (int col = Col::ColId; col <= Col::ColRemarks; ++col) {
            const bool hidden = col == Col::ColId || col == Col::ColType || col == Col::ColLeftTrim || col == Col::ColRightTrim || col == Col::ColSel || col == Col::ColOrderNo;
            const bool editable = col == Col::ColName || col == Col::ColLength || col == Col::ColWidth
                || col == Col::ColRemarks;
            QCOMPARE(grid.IsColHidden(col), hidden);
            const CGridStyle style = grid.GetStyle(1, col);
            QCOMPARE(style.readOnly.value_or(false), !editable);
            QCOMPARE(style.interior.has_value(), !editable);
        }
        // The offcuts' thickness shows, in mm whatever the length unit.
        QCOMPARE(grid.GetStyle(1, Col::ColThickness).control.value_or(CellControl::Edit), CellControl::Edit);
        QVERIFY(!grid.IsModified());

        // Rows are the offcuts by position: none can be taken away.
        grid.selectRow(0);
        grid.DeleteRowsCommand();
        QCOMPARE(grid.GetRowCount(), int(lists.Offcuts.size()));
        QCOMPARE(ui_.messages.Ids(), std::vector<int>{CSGridWnd::kMsgSelectRowToDelete});
    }

    void untouchedOkBooksAsComputed()
    {
        auto doc = Job();
        const BookingLists lists = FillLists(*doc);
        CUpdateInventoryDlg& dialog = *MakeDialog(*doc);
        Press(dialog, QDialogButtonBox::Ok);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(ui_.messages.shown.empty());

        const CsStockDb stock = Stock();
        QCOMPARE(int(stock.Records.size()), 1 + int(lists.Offcuts.size()));
        QCOMPARE(stock.Records[0].Qty, 0);
        for (std::size_t i = 0; i < lists.Offcuts.size(); ++i) {
            const CsStockRec& added = stock.Records[i + 1];
            QCOMPARE(added.Id, 21 + int(i));
            QCOMPARE(added.Type, CsStockRec::Offcut);
            QCOMPARE(added.Name, lists.Offcuts[i].Name);
            QCOMPARE(added.Length, lists.Offcuts[i].Length);
            QCOMPARE(added.Width, lists.Offcuts[i].Width);
            QCOMPARE(added.CostPerKg, lists.Offcuts[i].CostPerKg);
        }
        const auto log = ParseStockUsed(Read("stkused.db"));
        QCOMPARE(log.size(), std::size_t(1));
        QCOMPARE(log[0].Id, 17);
        QCOMPARE(log[0].Qty, 5);
        QCOMPARE(log[0].OrderNo, std::string("A12"));
    }

    void editedNameAndWidthAreBooked()
    {
        UnitSettings cmNoDecimals;
        cmNoDecimals.lengthUnit = kUnitCm;
        cmNoDecimals.decimalsIndex = 0;
        SetUnitSettings(cmNoDecimals);
        auto doc = Job();
        CUpdateInventoryDlg& dialog = *MakeDialog(*doc);
        CSGridWnd& grid = *dialog.Grid();
        TypeInto(grid, 1, Col::ColName, "kept strip");
        TypeInto(grid, 1, Col::ColWidth, "9.5");
        TypeInto(grid, 1, Col::ColRemarks, "rack 4");
        QVERIFY(grid.IsModified());
        // The cost shows rounded to no decimals.
        QCOMPARE(grid.GetValue(3, Col::ColCostPerKg), QString("2"));
        Press(dialog, QDialogButtonBox::Ok);

        const CsStockDb stock = Stock();
        const BookingLists computed = FillLists(*doc);
        QCOMPARE(stock.Records[1].Name, std::string("kept strip"));
        QCOMPARE(stock.Records[1].Width, 95.0);
        QCOMPARE(stock.Records[1].Remarks, std::string("rack 4"));
        QCOMPARE(stock.Records[1].Length, computed.Offcuts[0].Length);
        QCOMPARE(stock.Records[2].Name, computed.Offcuts[1].Name);
        // What the user could not edit is booked as computed.
        QCOMPARE(stock.Records[3].CostPerKg, computed.Offcuts[2].CostPerKg);
    }

    void noOffcutsStillDeductsAndLogs()
    {
        auto doc = Job();
        // Exactly one coil of "17", cut across its whole width.
        doc->Layouts.Clear();
        doc->AddSlit(std::make_unique<CCoilPart>("S2", "steel", 1.0, 500.0, 100.0, "", 0));
        CSlitPosList slits;
        slits.push_back(std::make_unique<CLayoutSlit>(0, doc->GetSlit(1)));
        slits.push_back(std::make_unique<CLayoutSlit>(0, doc->GetSlit(1)));
        doc->Layouts.Add(std::make_unique<CLayout>(doc->GetCoil(0), std::move(slits), test::kBookingCoilWeight, 0.0));

        CUpdateInventoryDlg& dialog = *MakeDialog(*doc);
        QCOMPARE(dialog.Grid()->GetRowCount(), 0);
        Press(dialog, QDialogButtonBox::Ok);
        const CsStockDb stock = Stock();
        QCOMPARE(stock.Records.size(), std::size_t(1));
        QCOMPARE(stock.Records[0].Qty, 4);
        const auto log = ParseStockUsed(Read("stkused.db"));
        QCOMPARE(log.size(), std::size_t(1));
        QCOMPARE(log[0].Qty, 1);
    }

    void cancelBooksNothingAndTheJobCanBeBookedLater()
    {
        auto doc = Job();
        const std::string stockBefore = Read("stock.db");
        const std::string logBefore = Read("stkused.db");
        test::OnModal<CUpdateInventoryDlg>([](CUpdateInventoryDlg& d) { Press(d, QDialogButtonBox::Cancel); });
        QVERIFY(!UpdateInventory(*doc, ui_.Services(), data_->Services(), nullptr));
        QCOMPARE(Read("stock.db"), stockBefore);
        QCOMPARE(Read("stkused.db"), logBefore);
        QCOMPARE(doc->InventoryUpdated, 0);
        QVERIFY(!doc->IsModified());
        QVERIFY(Read("job.vcj").empty());

        // The booking saves the job with its flag, together with the inventory.
        doc->SetModifiedFlag(true);
        test::OnModal<CUpdateInventoryDlg>([](CUpdateInventoryDlg& d) { Press(d, QDialogButtonBox::Ok); });
        QVERIFY(UpdateInventory(*doc, ui_.Services(), data_->Services(), nullptr));
        QCOMPARE(doc->InventoryUpdated, 1);
        QVERIFY(!doc->IsModified());
        QCOMPARE(Read("job.vcj"), JobFileBytes(*doc));
        QCOMPARE(Stock().Records[0].Qty, 0);

        // Booked once: the second time the checks refuse before any dialog.
        QVERIFY(!UpdateInventory(*doc, ui_.Services(), data_->Services(), nullptr));
        QCOMPARE(ui_.messages.Ids(), std::vector<int>{263});
    }

    // The job is flagged only when the booking is in the inventory.
    void aRefusedOrFailedBookingLeavesJobAndInventory_data()
    {
        QTest::addColumn<bool>("unmatched");
        QTest::addColumn<bool>("readOnlyJob");
        QTest::addColumn<int>("told");
        QTest::newRow("coils match no stock, planner declines") << true << false << int(ids::UnmatchedCoils);
        QTest::newRow("job file read-only") << false << true << int(ids::WriteAccessDenied);
    }

    void aRefusedOrFailedBookingLeavesJobAndInventory()
    {
        QFETCH(bool, unmatched);
        QFETCH(bool, readOnlyJob);
        QFETCH(int, told);
        auto doc = Job();
        if (unmatched)
            doc->GetCoil(0)->Name = "99";
        QCOMPARE(SaveJobFile(*doc, doc->GetPathName()), 0);
        const std::string jobBefore = Read("job.vcj");
        if (readOnlyJob)
            QFile::setPermissions(QString::fromStdString(doc->GetPathName()), QFile::ReadOwner);
        const std::string stockBefore = Read("stock.db");
        ui_.messages.answers = {MessageAnswer::No};

        test::OnModal<CUpdateInventoryDlg>([](CUpdateInventoryDlg& d) { Press(d, QDialogButtonBox::Ok); });
        QVERIFY(!UpdateInventory(*doc, ui_.Services(), data_->Services(), nullptr));
        QCOMPARE(doc->InventoryUpdated, 0);
        QCOMPARE(Read("job.vcj"), jobBefore);
        QCOMPARE(Read("stock.db"), stockBefore);
        QVERIFY(Read("stkused.db").empty());
        QCOMPARE(ui_.messages.Ids(), std::vector<int>{told});
        if (unmatched)
            QVERIFY(ui_.messages.shown[0].text.find("  99  steel") != std::string::npos);
    }
};

QTEST_MAIN(UpdateInventoryDlgTest)
#include "updateinventorydlg_test.moc"
