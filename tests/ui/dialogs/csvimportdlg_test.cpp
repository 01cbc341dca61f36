#include "support/uifixture.h"
#include "ui/dialogs/csvimportdlg.h"
#include "ui/grid/gridwnd.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QtTest>

#include <memory>

using namespace vellicor;

namespace {

const std::string kFixture = VELLICOR_UI_FIXTURES "/rolls.csv";

QStringList Column(const CSGridWnd& grid, int col)
{
    QStringList values;
    for (int r = 1; r <= grid.GetRowCount(); ++r)
        values.append(grid.GetValue(r, col));
    return values;
}

QStringList Headers(const CSGridWnd& grid)
{
    QStringList headers;
    for (int c = 1; c <= grid.GetColCount(); ++c)
        headers.append(grid.GetValue(0, c));
    return headers;
}

void ClickOk(QDialog& dialog)
{
    dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
}

} // namespace

class CsvImportDlgTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<CCsvImportDlg> MakeDialog()
    {
        auto dialog = std::make_unique<CCsvImportDlg>(std::vector<std::string>{"Name", "Width", "Length", "Remarks"},
                                                      std::vector<std::string>{"C1", "2000", "50000", "Stock1"},
                                                      "Csv Stock Input...", kFixture, "Stock_Csv",
                                                      ui_.Services());
        dialog->show();
        return dialog;
    }

    test::UiFixture ui_;

private slots:
    void init()
    {
        ui_.Reset();
    }

    void importsTheMappedColumns()
    {
        auto dialog = MakeDialog();
        QCOMPARE(dialog->windowTitle(), QString("Csv Stock Input..."));
        QVERIFY(dialog->DelimiterButton(CCsvImport::RadioComma)->isChecked());
        QVERIFY(!dialog->OtherEdit()->isEnabled());
        QCOMPARE(dialog->SkipLinesBox()->value(), 0);
        QVERIFY(dialog->HeadersBox()->isChecked());

        CSGridWnd& preview = *dialog->PreviewGrid();
        QCOMPARE(Headers(preview), (QStringList{"Name", "L", "W"}));
        QCOMPARE(Column(preview, 1), (QStringList{"A", "B", "C"}));
        QCOMPARE(Column(preview, 3), (QStringList{"50", "60", ""}));

        // Each item starts on the choice of its position: "<Expression>", then the file's columns.
        CSGridWnd& mapping = *dialog->MappingGrid();
        QCOMPARE(Column(mapping, CCsvImportDlg::ColItem), (QStringList{"Name", "Width", "Length", "Remarks"}));
        QCOMPARE(Column(mapping, CCsvImportDlg::ColExample), (QStringList{"C1", "2000", "50000", "Stock1"}));
        QCOMPARE(Column(mapping, CCsvImportDlg::ColImportColumn), (QStringList{"<Expression>", "Name", "L", "W"}));
        QCOMPARE(mapping.GetStyle(1, CCsvImportDlg::ColImportColumn).choices.value_or(""),
                 QString("<Expression>\nName\nL\nW\n"));

        mapping.SetValue(1, CCsvImportDlg::ColImportColumn, "Name");
        mapping.SetValue(2, CCsvImportDlg::ColImportColumn, "W");
        mapping.SetValue(3, CCsvImportDlg::ColImportColumn, "L");
        mapping.SetValue(4, CCsvImportDlg::ColImportColumn, "<Expression>");
        mapping.SetValue(4, CCsvImportDlg::ColDefault, "R$N");
        dialog->SaveButton()->click();
        QCOMPARE(ui_.store.GetProfileString("Stock_Csv", "MappedColumnNos", ""), std::string("1::3::2::0::"));
        QCOMPARE(ui_.store.GetProfileString("Stock_Csv", "MappedColumnDefaults", ""), std::string("::::::R$N::"));

        // The short last line has no width: it is reported and left out.
        ClickOk(*dialog);
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QCOMPARE(ui_.messages.Ids(), std::vector<int>{CCsvImport::kMsgLinesSkipped});
        QCOMPARE(dialog->GetRowCount(), 2);
        QCOMPARE(dialog->GetRow(0), std::string("A::50::100::R1::"));
        QCOMPARE(dialog->GetRow(1), std::string("B::60::200::R2::"));
        QVERIFY(!dialog->CombineDuplicates());
    }

    void controlsRebuildThePreview()
    {
        // A saved mapping comes back.
        ui_.store.WriteString("Stock_Csv", "MappedColumnNos", "1::3::2::0::");
        ui_.store.WriteString("Stock_Csv", "MappedColumnDefaults", "::::::R$N::");
        auto dialog = MakeDialog();
        CSGridWnd& mapping = *dialog->MappingGrid();
        QCOMPARE(Column(mapping, CCsvImportDlg::ColImportColumn), (QStringList{"Name", "W", "L", "<Expression>"}));
        QCOMPARE(mapping.GetValue(4, CCsvImportDlg::ColDefault), QString("R$N"));

        // Another delimiter resets the choices to the default mapping.
        dialog->DelimiterButton(CCsvImport::RadioTab)->click();
        QCOMPARE(Headers(*dialog->PreviewGrid()), QStringList{"Name,L,W"});
        QCOMPARE(Column(mapping, CCsvImportDlg::ColImportColumn),
                 (QStringList{"<Expression>", "Name,L,W", "<Expression>", "<Expression>"}));
        QCOMPARE(mapping.GetValue(4, CCsvImportDlg::ColDefault), QString("R$N"));

        dialog->HeadersBox()->click();
        QCOMPARE(Headers(*dialog->PreviewGrid()), QStringList{"Col 1"});
        QCOMPARE(dialog->PreviewGrid()->GetValue(1, 1), QString("Name,L,W"));
        dialog->SkipLinesBox()->setValue(2);
        QCOMPARE(dialog->PreviewGrid()->GetValue(1, 1), QString("B,200,60"));

        // Other: a letter is refused, a sign is taken.
        dialog->DelimiterButton(CCsvImport::RadioOther)->click();
        QVERIFY(dialog->OtherEdit()->isEnabled());
        dialog->OtherEdit()->setText("a");
        emit dialog->OtherEdit()->editingFinished();
        QCOMPARE(ui_.messages.shown.back().id, CCsvImport::kMsgBadDelimiter);
        QCOMPARE(Headers(*dialog->PreviewGrid()), QStringList{"Col 1"});
        dialog->OtherEdit()->setText(",");
        emit dialog->OtherEdit()->editingFinished();
        QCOMPARE(Headers(*dialog->PreviewGrid()), (QStringList{"Col 1", "Col 2", "Col 3"}));

        dialog->CombineBox()->click();
        QVERIFY(dialog->CombineDuplicates());
        dialog->reject();
        QCOMPARE(dialog->GetRowCount(), 0);
    }
};

QTEST_MAIN(CsvImportDlgTest)
#include "csvimportdlg_test.moc"
