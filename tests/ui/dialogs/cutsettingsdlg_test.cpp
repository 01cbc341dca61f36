#include "model/settings.h"
#include "optimiser/engine.h"
#include "platform/stringids.h"
#include "support/uifixture.h"
#include "ui/dialogs/cutsettingsdlg.h"
#include "ui/dialogs/dialogbuttons.h"
#include "ui/grid/lenedit.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace vellicor;

// Every field different from its built-in default, each within what the boxes show exactly.
static CSettings Chosen()
{
    CSettings s;
    s.MaxKnives = 24;
    s.MaxDifSlits = 3;
    s.Kerf = 1.5;
    s.MinOffCut = 25.25;
    s.MinPatWt = 75.125;
    s.CoilChangCost = 1234.5;
    s.MinKnifeSettCost = 0.000001;
    s.MinCutWidth = 40;
    return s;
}

class CutSettingsDlgTest : public QObject {
    Q_OBJECT

    test::UiFixture ui_;

    QLineEdit* Box(CCutSettingsDlg& d, const char* name) { return d.findChild<QLineEdit*>(name); }

private slots:
    void init() { ui_.Reset(); }

    void showsAndReturnsEveryValue()
    {
        ui_.store.WriteString("Optimiser", "Engine", "compatible");
        CCutSettingsDlg dialog(Chosen(), ui_.store, ui_.messages);
        QCOMPARE(dialog.MaxKnivesEdit()->text(), QString("24"));
        QCOMPARE(dialog.MinPatWtEdit()->text(), QString("75.125"));
        QCOMPARE(dialog.KnifeSettCostEdit()->text(), QString("0.000001"));
        QCOMPARE(dialog.MinOffCutEdit()->text(), QString("25.250"));
        QVERIFY(dialog.Settings() == Chosen());
        QCOMPARE(dialog.Engine(), EOptimiserEngine::Compatible);

        dialog.EngineBox()->setCurrentIndex(dialog.EngineBox()->findText("Best yield"));
        QCOMPARE(dialog.Engine(), EOptimiserEngine::Yield);
        dialog.MaxDifSlitsEdit()->setText(" 0 ");
        dialog.CoilChangCostEdit()->setText("9999999");
        dialog.MinCutWidthEdit()->setText("0");
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.Settings().MaxDifSlits, 0);
        QCOMPARE(dialog.Settings().CoilChangCost, 9999999.0);
        QCOMPARE(dialog.Settings().MinCutWidth, 0.0);
        QVERIFY(ui_.messages.shown.empty());
    }

    void lengthsAreInTheCurrentUnit()
    {
        UnitSettings inches;
        inches.lengthUnit = kUnitInchDecimal;
        SetUnitSettings(inches);
        CCutSettingsDlg dialog(CSettings(), ui_.store, ui_.messages);
        dialog.MinCutWidthEdit()->setText("2");
        QCOMPARE(dialog.Settings().MinCutWidth, 50.8);
    }

    void valuesOutOfRangeAreRefused_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("label");
        QTest::newRow("negative kerf") << "1004" << "-1" << "Kerf";
        QTest::newRow("huge offcut") << "1009" << "12345678" << "Min Offcut width";
        QTest::newRow("negative cut width") << "1010" << "-0.001" << "Min Cut Width";
        QTest::newRow("negative knives") << "1012" << "-5" << "Max Knives";
        QTest::newRow("knives beyond the file") << "1012" << "65536" << "Max Knives";
        QTest::newRow("fractional knives") << "1012" << "2.5" << "Max Knives";
        QTest::newRow("empty widths") << "1014" << "" << "Max Parts allowed";
        QTest::newRow("text weight") << "1016" << "heavy" << "Min Pattern Weight";
        QTest::newRow("number then text") << "1018" << "12kg" << "Coil Changing Cost";
        QTest::newRow("beyond the range") << "1020" << "1e8" << "Knife Changing Cost";
    }

    void valuesOutOfRangeAreRefused()
    {
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(QString, label);
        CCutSettingsDlg dialog(Chosen(), ui_.store, ui_.messages);
        QLineEdit* edit = Box(dialog, box.toLatin1().constData());
        QVERIFY(edit);
        edit->setText(text);
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        FindButton(&dialog, CCutSettingsDlg::IdSaveDefault)->click();
        QVERIFY(!ui_.store.ReadString("SettingDef", "Kerf"));
        QCOMPARE(ui_.messages.shown.size(), std::size_t(2));
        QCOMPARE(ui_.messages.shown[0].id, ids::CutSettingOutOfRange);
        QCOMPARE(QString::fromStdString(ui_.messages.shown[0].args.at(0)), label);
    }

    void saveAsDefaultIsWhatANewJobGets()
    {
        CCutSettingsDlg dialog(CSettings(), ui_.store, ui_.messages);
        dialog.KerfEdit()->setText("1.5");
        dialog.MinOffCutEdit()->setText("25.25");
        dialog.MinCutWidthEdit()->setText("40");
        dialog.MaxKnivesEdit()->setText("24");
        dialog.MaxDifSlitsEdit()->setText("3");
        dialog.MinPatWtEdit()->setText("75.125");
        dialog.CoilChangCostEdit()->setText("1234.5");
        dialog.KnifeSettCostEdit()->setText("0.000001");
        dialog.EngineBox()->setCurrentIndex(dialog.EngineBox()->findText("Compatible"));
        FindButton(&dialog, CCutSettingsDlg::IdSaveDefault)->click();
        QVERIFY(ui_.messages.shown.empty());
        QVERIFY(CSettings(ui_.store) == Chosen());
        QCOMPARE(LoadEngine(ui_.store), EOptimiserEngine::Compatible);
        QCOMPARE(dialog.result(), 0);  // the dialog stays open
    }
};

QTEST_MAIN(CutSettingsDlgTest)
#include "cutsettingsdlg_test.moc"
