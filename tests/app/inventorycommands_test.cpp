#include "app/commandids.h"
#include "app/mainframe.h"
#include "app/vellicorapp.h"
#include "inventory/inventory.h"
#include "inventory/stockdb.h"
#include "support/recordingmessages.h"
#include "support/whenmodal.h"
#include "ui/gridwnd.h"
#include "ui/inventorydlg.h"
#include "ui/materialdlg.h"
#include "units/units.h"

#include <QAction>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace vellicor;
using Col = CsInventoryDlg::Col;

class InventoryCommandsTest : public QObject {
    Q_OBJECT

private:
    // A started application on its own settings and data directory.
    std::unique_ptr<CVellicorApp> StartApp()
    {
        auto settings = std::make_unique<QSettings>(dir_->filePath("settings.ini"), QSettings::IniFormat);
        auto app = std::make_unique<CVellicorApp>(std::move(settings), &messages_);
        app->Paths().SetInstallDir(dir_->path());
        if (!app->InitInstance({}))
            qFatal("the application did not start");
        return app;
    }

    std::unique_ptr<QTemporaryDir> dir_;
    test::RecordingMessages messages_;

private slots:
    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        messages_ = {};
        SetUnitSettings(UnitSettings{});
    }

    void toolMenuOpensTheDialogs()
    {
        auto app = StartApp();
        CMainFrame* frame = app->MainFrame();

        // Manage Inventory: OK saves the edited inventory.
        test::WhenModal<CsInventoryDlg>([frame](CsInventoryDlg* dialog) {
            QCOMPARE(dialog->GetMode(), CsInventoryDlg::Mode::Edit);
            QCOMPARE(dialog->parentWidget(), frame);
            dialog->Grid()->SetValue(1, Col::ColName, "R1");
            dialog->Grid()->SetValue(1, Col::ColQty, "3");
            dialog->accept();
        });
        frame->Action(cmd::ManageInventory)->trigger();
        CsStockDb db;
        QVERIFY(db.Open(app->Inventory().StockDbPath(), messages_));
        QCOMPARE(db.Records.size(), std::size_t{1});
        QCOMPARE(db.Records[0].Id, 1);
        QCOMPARE(db.Records[0].Name, std::string("R1"));

        // View Stock Used Db: the log in stocks-used mode.
        QFile log(QString::fromStdString(app->Inventory().StockUsedPath()));
        QVERIFY(log.open(QIODevice::WriteOnly));
        log.write("1|A12|2|08/12/2026||crca|2500.00|1250.00|1.00|\n");
        log.close();
        test::WhenModal<CsInventoryDlg>([](CsInventoryDlg* dialog) {
            QCOMPARE(dialog->GetMode(), CsInventoryDlg::Mode::StocksUsed);
            QCOMPARE(dialog->Grid()->GetValue(1, Col::ColOrderNo), QString("A12"));
            dialog->reject();
        });
        frame->Action(cmd::ViewStockUsed)->trigger();
        QCOMPARE(frame->Action(cmd::ViewStockUsed)->shortcut(), QKeySequence(Qt::Key_F4));

        // The Rolls page's way to the selection: the services every job window is given.
        const UiServices services = app->Services();
        QCOMPARE(services.inventory, &app->Inventory());
        test::WhenModal<CsInventoryDlg>([](CsInventoryDlg* dialog) {
            QCOMPARE(dialog->GetMode(), CsInventoryDlg::Mode::Select);
            dialog->Grid()->SetValue(1, Col::ColSel, "1");
            dialog->accept();
        });
        std::vector<CsStockRec> picked;
        QCOMPARE(services.inventory->SelectStock(*services.inventoryDialogs, picked), kInventoryDone);
        QCOMPARE(picked.size(), std::size_t{1});

        // Add and Edit Material: OK changes the library the application holds, then asks for a restart.
        const std::size_t materials = app->Materials().Records.size();
        test::WhenModal<CsMaterialDlg>([](CsMaterialDlg* dialog) {
            CSGridWnd& grid = *dialog->Grid();
            grid.AppendRow();
            grid.SetValue(grid.GetRowCount(), CsMaterialDlg::ColCode, "Zn");
            dialog->accept();
        });
        frame->Action(cmd::MaterialLibrary)->trigger();
        QCOMPARE(app->Materials().Records.size(), materials + 1);
        QCOMPARE(app->Materials().Records.back().Code, std::string("zn"));
        QCOMPARE(messages_.Ids().back(), CsMaterialDlg::kMsgRestart);
    }
};

QTEST_MAIN(InventoryCommandsTest)
#include "inventorycommands_test.moc"
