#include "inventory/matedb.h"
#include "platform/stringids.h"
#include "support/uifixture.h"
#include "ui/grid/gridwnd.h"
#include "ui/dialogs/materialdlg.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace vellicor;
using Col = CsMaterialDlg::Col;

namespace {

CsMaterialRec Material(const std::string& name, const std::string& code)
{
    CsMaterialRec rec;
    rec.Name = name;
    rec.Code = code;
    return rec;
}

std::vector<std::string> Codes(const CsMateDb& library)
{
    std::vector<std::string> codes;
    for (const CsMaterialRec& rec : library.Records)
        codes.push_back(rec.Code);
    return codes;
}

void SelectRows(CSGridWnd& grid, std::initializer_list<int> rows)
{
    grid.selectionModel()->clearSelection();
    for (int row : rows)
        grid.selectionModel()->select(grid.model()->index(row - 1, 0),
                                      QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

} // namespace

class MaterialDlgTest : public QObject {
    Q_OBJECT

private:
    // A library saved in a directory of the test's own, holding a, the reserved row and c.
    void MakeLibrary()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        library_ = CsMateDb();
        library_.Records = {Material("Alpha", "A"), Material("Not used", "NOT_USED"), Material("Gamma", "c")};
        library_.Records[0].MinOffcutWidth = 12.5f;
        QVERIFY(library_.OpenOrCreate(dir_->filePath("slitmate.db").toStdString(), ui_.messages));
    }

    std::unique_ptr<CsMaterialDlg> Open()
    {
        auto dialog = std::make_unique<CsMaterialDlg>(library_, kReservedMaterial, ui_.Services());
        dialog->show();
        return dialog;
    }

    test::UiFixture ui_;
    std::unique_ptr<QTemporaryDir> dir_;
    CsMateDb library_;

private slots:
    void init()
    {
        ui_.Reset();
        MakeLibrary();
    }

    void reservedRowCannotBeDeleted()
    {
        auto dialog = Open();
        CSGridWnd& grid = *dialog->Grid();
        QCOMPARE(grid.GetValue(2, Col::ColCode), QString("not_used"));
        QVERIFY(grid.GetStyle(2, Col::ColCode).readOnly.value_or(false));
        QCOMPARE(grid.GetStyle(2, Col::ColCode).interior.value_or(QColor()), QColor(0, 255, 255));
        QVERIFY(!grid.GetStyle(1, Col::ColCode).readOnly.value_or(false));

        // With another row, by the menu and by the Delete key: neither row goes.
        SelectRows(grid, {1, 2});
        grid.DeleteRowsCommand();
        QCOMPARE(grid.GetRowCount(), 3);
        QCOMPARE(ui_.messages.Ids(), (std::vector<int>{CsMaterialDlg::kMsgReservedRow}));
        QCOMPARE(ui_.messages.shown.back().text, std::string("The material NOT_USED is reserved and cannot be deleted."));
        SelectRows(grid, {2});
        QTest::keyClick(&grid, Qt::Key_Delete);
        QCOMPARE(grid.GetRowCount(), 3);
        QCOMPARE(grid.GetValue(2, Col::ColCode), QString("not_used"));

        // Other rows go as usual, and OK keeps the reserved one.
        SelectRows(grid, {1, 3});
        grid.DeleteRowsCommand();
        QCOMPARE(grid.GetRowCount(), 1);
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        QCOMPARE(Codes(library_), (std::vector<std::string>{"not_used"}));
    }

    void okSavesTheGridWithLowerCaseCodes()
    {
        auto dialog = Open();
        CSGridWnd& grid = *dialog->Grid();
        QCOMPARE(grid.GetValue(1, Col::ColCode), QString("a"));
        QCOMPARE(grid.GetValue(1, Col::ColDensity), QString("7800"));
        QCOMPARE(grid.GetValue(1, Col::ColMinOffcutWidth), QString("12.5"));
        for (int c = Col::ColName; c <= Col::ColMinOffcutWidth; ++c)
            QCOMPARE(grid.IsColHidden(c), c >= Col::ColDensity && c <= Col::ColMinOffcutLength);

        grid.AppendRow();
        grid.SetValue(4, Col::ColName, "Stainless");
        grid.SetValue(4, Col::ColCode, "Steel-304");
        grid.SetValue(4, Col::ColMinOffcutWidth, "20");
        grid.AppendRow();  // left blank: no material
        dialog->accept();
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QCOMPARE(Codes(library_), (std::vector<std::string>{"a", "not_used", "c", "steel-304"}));
        QCOMPARE(library_.Records[3].MinOffcutWidth, 20.0f);
        QCOMPARE(library_.Records[3].Density, 0.0f);
        QCOMPARE(library_.Records[0].Density, 7800.0f);
        QCOMPARE(ui_.messages.Ids(), (std::vector<int>{CsMaterialDlg::kMsgRestart}));

        CsMateDb saved;
        QVERIFY(saved.Open(dir_->filePath("slitmate.db").toStdString(), ui_.messages));
        QCOMPARE(Codes(saved), Codes(library_));
    }

    // Another planner saved the library while this dialog was open: nothing is overwritten, and the
    // planner may reload it.
    void aLibraryChangedMeanwhileIsNotOverwritten()
    {
        const std::string path = dir_->filePath("slitmate.db").toStdString();
        auto dialog = Open();
        CsMateDb other = library_;
        other.Records.push_back(Material("Other planner's", "zinc"));
        QVERIFY(other.Save(ui_.messages));
        const std::string theirs = other.Bytes();

        ui_.messages.answers = {MessageAnswer::No};
        dialog->Grid()->SetValue(1, Col::ColCode, "mine");
        dialog->accept();
        QVERIFY(dialog->isVisible());
        QCOMPARE(ui_.messages.Ids(), (std::vector<int>{ids::FileChangedSinceLoaded}));
        QCOMPARE(Codes(library_), (std::vector<std::string>{"A", "NOT_USED", "c"}));

        ui_.messages.answers = {MessageAnswer::Yes};
        dialog->accept();
        QCOMPARE(Codes(library_), (std::vector<std::string>{"A", "NOT_USED", "c", "zinc"}));
        QCOMPARE(dialog->Grid()->GetValue(4, Col::ColCode), QString("zinc"));
        CsMateDb onDisk;
        QVERIFY(onDisk.Open(path, ui_.messages));
        QCOMPARE(onDisk.Bytes(), theirs);

        // Reloaded, the planner's next OK saves.
        dialog->Grid()->SetValue(1, Col::ColCode, "mine");
        dialog->accept();
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QCOMPARE(Codes(library_), (std::vector<std::string>{"mine", "not_used", "c", "zinc"}));
    }

    void libraryThatCannotBeSavedStaysAsItWas()
    {
        // A library that never loaded has no file to go to.
        CsMateDb unsaved;
        unsaved.Records = {Material("Alpha", "a")};
        CsMaterialDlg dialog(unsaved, kReservedMaterial, ui_.Services());
        dialog.show();
        dialog.Grid()->SetValue(1, Col::ColCode, "b");
        dialog.accept();
        QVERIFY(dialog.isVisible());
        QCOMPARE(Codes(unsaved), (std::vector<std::string>{"a"}));
        QCOMPARE(ui_.messages.Ids().size(), std::size_t{1});
        QVERIFY(ui_.messages.Ids().front() != CsMaterialDlg::kMsgRestart);
    }
};

QTEST_MAIN(MaterialDlgTest)
#include "materialdlg_test.moc"
