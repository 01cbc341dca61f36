#include "app/childframe.h"
#include "app/commandids.h"
#include "app/mainframe.h"
#include "app/strings.h"
#include "app/vellicorapp.h"
#include "app/windowrect.h"
#include "inventory/bookingjournal.h"
#include "inventory/inventory.h"
#include "inventory/stockdb.h"
#include "model/jobfile.h"
#include "model/vellicordoc.h"
#include "platform/memorysettingsstore.h"
#include "platform/safefile.h"
#include "platform/stringids.h"
#include "support/recordingmessages.h"
#include "support/recordingshell.h"
#include "support/whenmodal.h"
#include "ui/dialogs/cutsettingsdlg.h"
#include "ui/dialogs/dialogbuttons.h"
#include "ui/dialogs/printpreviewdlg.h"
#include "optimiser/engine.h"
#include "ui/grid/gridwnd.h"
#include "ui/pages/page.h"
#include "ui/pages/sheet.h"
#include "ui/grid/gridwnd.h"
#include "ui/dialogs/inventorydlg.h"
#include "ui/grid/lenedit.h"
#include "ui/dialogs/materialdlg.h"
#include "ui/dialogs/unitdlg.h"
#include "ui/pages/vellicorview.h"
#include "units/units.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QAbstractItemView>
#include <QFile>
#include <QFileDialog>
#include <QMdiArea>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPrintPreviewWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

using namespace vellicor;

class ShellTest : public QObject {
    Q_OBJECT

private:
    // A fresh application on its own settings file; nothing of the user's is touched.
    std::unique_ptr<CVellicorApp> MakeApp(IShell* shell = nullptr)
    {
        auto settings = std::make_unique<QSettings>(dir_->filePath("settings.ini"), QSettings::IniFormat);
        auto app = std::make_unique<CVellicorApp>(std::move(settings), &messages_, shell);
        app->Paths().SetInstallDir(dir_->path());
        return app;
    }

    // A coil and a slit to optimise, and a result from before that a run must replace or keep.
    static void AddJobWithOldResult(CVellicorDoc& doc)
    {
        doc.AddCoil(std::make_unique<CCoil>("C1", 1250, "crca", 1.5, 10000, 3, "", 1, 10, 15));
        doc.AddSlit(std::make_unique<CCoilPart>("S1", "crca", 1.5, 300.0, 2000.0, "", 0));
        doc.Layouts.Add(std::make_unique<CLayout>(doc.GetCoil(0), CSlitPosList{}, 100, 0));
    }

    QString SavedJob(const QString& name)
    {
        CVellicorDoc doc;
        doc.AddCoil(std::make_unique<CCoil>("C1", 1250, "crca", 1.5, 10000, 3, "", 1, 10, 15));
        doc.OrderNo = "A-17";
        const QString path = dir_->filePath(name);
        if (SaveJobFile(doc, path.toStdString()) != 0)
            qFatal("cannot write the test job");
        return path;
    }

    // Runs `act` on the next modal dialog of type T once it is up.
    template <typename T, typename F>
    static void WhenModal(F act)
    {
        QTimer::singleShot(0, [act] {
            auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
            if (!dialog)
                qFatal("no modal dialog of the expected kind");
            act(dialog);
        });
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

    // A booking that an interrupted program left is completed before the planner sees the stock.
    void startUpCompletesALeftBooking()
    {
        QVERIFY(QDir(dir_->path()).mkpath("Data"));
        const std::string data = dir_->filePath("Data").toStdString();
        CsStockDb booked;
        booked.LastId = 7;
        const std::string job = SavedJob("booked.vcj").toStdString();
        const BookingJournal journal{
            {{data + "/stock.db", booked.Bytes()}, {data + "/stkused.db", "7|A|1|"}, {job, "flagged"}}};
        QCOMPARE(WriteFileAtomically(data + "/stock.db", CsStockDb().Bytes()), FileError::None);
        QCOMPARE(WriteFileAtomically(JournalPath(data), JournalBytes(journal)), FileError::None);

        auto app = MakeApp();
        QVERIFY(app->InitInstance({}));
        std::string bytes;
        QCOMPARE(ReadWholeFile(data + "/stock.db", bytes), FileError::None);
        QCOMPARE(bytes, booked.Bytes());
        QCOMPARE(ReadWholeFile(job, bytes), FileError::None);
        QCOMPARE(bytes, std::string("flagged"));
        QVERIFY(!QFile::exists(QString::fromStdString(JournalPath(data))));
        QVERIFY(messages_.shown.empty());
    }

    void cutSettingsOkDiscardsTheResult()
    {
        auto app = MakeApp();
        QVERIFY(app->InitInstance({}));
        CMainFrame* frame = app->MainFrame();
        CVellicorDoc& doc = frame->ActiveJob()->GetDocument();
        doc.AddCoil(std::make_unique<CCoil>("C1", 1250, "crca", 1.5, 10000, 3, "", 1, 10, 15));
        doc.Layouts.Add(std::make_unique<CLayout>(doc.GetCoil(0), CSlitPosList{}, 100, 0));

        // Cancel changes nothing.
        WhenModal<CCutSettingsDlg>([](CCutSettingsDlg* d) { d->reject(); });
        frame->Action(cmd::CutSettings)->trigger();
        QVERIFY(doc.HasResults());
        QVERIFY(!doc.IsModified());

        // OK without a change still discards the result.
        WhenModal<CCutSettingsDlg>([](CCutSettingsDlg* d) {
            QCOMPARE(d->KerfEdit()->text(), QString("0"));
            QCOMPARE(d->MinOffCutEdit()->text(), QString("10"));
            d->accept();
        });
        frame->Action(cmd::CutSettings)->trigger();
        QVERIFY(!doc.HasResults());
        QVERIFY(doc.IsModified());

        // Values are typed in the current unit: 0.0625 decimal inches is 1.5875 mm.
        UnitSettings inches;
        inches.lengthUnit = kUnitInchDecimal;
        SetUnitSettings(inches);
        WhenModal<CCutSettingsDlg>([](CCutSettingsDlg* d) {
            d->KerfEdit()->setText("0.0625");
            d->MinOffCutEdit()->setText("abc");
            d->accept();
        });
        frame->Action(cmd::CutSettings)->trigger();
        QCOMPARE(doc.Settings.Kerf, 1.5875);
        QCOMPARE(doc.Settings.MinOffCut, 0.0);
    }

    void cutSettingsSavedAsDefaultAreWhatANewJobGets()
    {
        auto app = MakeApp();
        QVERIFY(app->InitInstance({}));
        CMainFrame* frame = app->MainFrame();
        WhenModal<CCutSettingsDlg>([](CCutSettingsDlg* d) {
            d->MaxKnivesEdit()->setText("24");
            d->MinPatWtEdit()->setText("80");
            d->KerfEdit()->setText("2");
            d->EngineBox()->setCurrentIndex(d->EngineBox()->findText("Compatible"));
            FindButton(d, CCutSettingsDlg::IdSaveDefault)->click();
            d->reject();
        });
        frame->Action(cmd::CutSettings)->trigger();
        // Cancel leaves the job as it was; the defaults are stored all the same.
        QCOMPARE(frame->ActiveJob()->GetDocument().Settings.MaxKnives, 10);
        frame->Action(cmd::FileNew)->trigger();
        const CSettings& s = frame->ActiveJob()->GetDocument().Settings;
        QCOMPARE(s.MaxKnives, 24);
        QCOMPARE(s.MinPatWt, 80.0);
        QCOMPARE(s.Kerf, 2.0);
        QCOMPARE(LoadEngine(app->Store()), EOptimiserEngine::Compatible);

        // OK puts every value into the job.
        WhenModal<CCutSettingsDlg>([](CCutSettingsDlg* d) {
            d->MaxDifSlitsEdit()->setText("4");
            d->accept();
        });
        frame->Action(cmd::CutSettings)->trigger();
        QCOMPARE(frame->ActiveJob()->GetDocument().Settings.MaxDifSlits, 4);
        QCOMPARE(frame->ActiveJob()->GetDocument().Settings.MaxKnives, 24);
    }

    void printCommandsShowTheResult()
    {
        auto app = MakeApp();
        QVERIFY(app->InitInstance({}));
        CMainFrame* frame = app->MainFrame();
        for (int command : {cmd::FilePrintPreview, cmd::FilePrint, cmd::ExportPdf, cmd::KnifeSheet}) {
            QVERIFY(frame->Action(command)->isEnabled());
            frame->Action(command)->trigger();
        }
        QCOMPARE(messages_.Ids(), (std::vector<int>{176, 176, 176, 176}));

        CVellicorDoc& doc = frame->ActiveJob()->GetDocument();
        doc.AddCoil(std::make_unique<CCoil>("C1", 1250, "crca", 1.5, 10000, 3, "", 1, 10, 15));
        doc.AddSlit(std::make_unique<CCoilPart>("S1", "crca", 1.5, 300.0, 2000.0, "", 0));
        frame->Action(cmd::Optimise)->trigger();
        QVERIFY(doc.HasResults());
        int pages = 0;
        WhenModal<CPrintPreviewDlg>([&pages](CPrintPreviewDlg* d) {
            d->Preview()->updatePreview();
            pages = d->Preview()->pageCount();
            d->reject();
        });
        frame->Action(cmd::KnifeSheet)->trigger();
        QCOMPARE(pages, doc.GetLayouts().GetCount());
        frame->MdiArea()->closeAllSubWindows();
        QCoreApplication::processEvents();
        QVERIFY(!frame->Action(cmd::KnifeSheet)->isEnabled());
    }

    // The report and its header are files for other programs: the planner learns where they went and
    // that nothing on this desktop opens them.
    void writtenFilesAreNamedWhenNoProgramOpensThem()
    {
        test::RecordingShell shell;
        shell.succeed = false;
        auto app = MakeApp(&shell);
        QVERIFY(app->InitInstance({}));
        CMainFrame* frame = app->MainFrame();
        CChildFrame* job = frame->ActiveJob();
        AddJobWithOldResult(job->GetDocument());
        QVERIFY(frame->SaveJobTo(*job, dir_->filePath("order.vcj")));
        const std::string folder = dir_->path().toStdString();
        struct Case {
            int command;
            std::string file;
        };
        const Case cases[] = {{cmd::ExportRtf, dir_->filePath("order.rtf").toStdString()},
                              {cmd::CustomiseHeader, dir_->filePath("Data/Header.rtf").toStdString()}};
        for (const Case& c : cases) {
            messages_ = {};
            shell = {};
            shell.succeed = false;
            frame->Action(c.command)->trigger();
            QCOMPARE(shell.opened, std::vector<std::string>{c.file});
            QCOMPARE(messages_.Ids(), (std::vector<int>{ids::NoProgramOpens, c.command == cmd::ExportRtf
                                                                               ? ids::ReportWrittenTo
                                                                               : ids::HeaderWrittenTo,
                                                        ids::NoProgramOpens}));
            QCOMPARE(messages_.shown[0].args, std::vector<std::string>{c.file});
            QCOMPARE(messages_.shown[1].args, std::vector<std::string>{c.file});
            QCOMPARE(shell.folders.size(), size_t(1));
            QCOMPARE(messages_.shown[2].args, shell.folders);
        }
    }

    void toolMenuOpensTheDialogs()
    {
        auto app = MakeApp();
        QVERIFY(app->InitInstance({}));
        CMainFrame* frame = app->MainFrame();

        // Manage Inventory: OK saves the edited inventory.
        // Planners sharing a database see which inventory they edit, in the caption and the status bar.
        const QString store = QString::fromStdString(app->Paths().DataDir());
        QVERIFY(frame->statusBar()->findChild<QLabel*>()->text().contains(store));
        WhenModal<CsInventoryDlg>([frame, store](CsInventoryDlg* dialog) {
            QCOMPARE(dialog->GetMode(), CsInventoryDlg::Mode::Edit);
            QVERIFY(dialog->windowTitle().contains(store));
            QCOMPARE(dialog->parentWidget(), frame);
            dialog->Grid()->SetValue(1, CsInventoryDlg::ColName, "R1");
            dialog->Grid()->SetValue(1, CsInventoryDlg::ColQty, "3");
            dialog->Grid()->SetValue(1, CsInventoryDlg::ColThickness, "1.5");
            dialog->accept();
        });
        frame->Action(cmd::ManageInventory)->trigger();
        CsStockDb db;
        QVERIFY(db.Open(app->Paths().DataDir() + "/stock.db", messages_));
        QCOMPARE(db.Records.size(), std::size_t{1});
        QCOMPARE(db.Records[0].Id, 1);
        QCOMPARE(db.Records[0].Name, std::string("R1"));

        // View Stock Used Db: the log in stocks-used mode.
        QFile log(QString::fromStdString(app->Paths().DataDir() + "/stkused.db"));
        QVERIFY(log.open(QIODevice::WriteOnly) && log.write("1|A12|2|08/12/2026||crca|2500.00|1250.00|1.00|\n") > 0);
        log.close();
        WhenModal<CsInventoryDlg>([](CsInventoryDlg* dialog) {
            QCOMPARE(dialog->GetMode(), CsInventoryDlg::Mode::StocksUsed);
            QCOMPARE(dialog->Grid()->GetValue(1, CsInventoryDlg::ColOrderNo), QString("A12"));
            dialog->reject();
        });
        frame->Action(cmd::ViewStockUsed)->trigger();
        QCOMPARE(frame->Action(cmd::ViewStockUsed)->shortcut(), QKeySequence(Qt::Key_F4));

        // The Rolls page's way to the selection: the services every job window is given.
        const UiServices services = app->Services();
        QCOMPARE(services.inventory, &app->Inventory());
        WhenModal<CsInventoryDlg>([](CsInventoryDlg* dialog) {
            QCOMPARE(dialog->GetMode(), CsInventoryDlg::Mode::Select);
            dialog->Grid()->SetValue(1, CsInventoryDlg::ColSel, "1");
            dialog->accept();
        });
        std::vector<CsStockRec> picked;
        QCOMPARE(services.inventory->SelectStock(*services.inventoryDialogs, picked), kInventoryDone);
        QCOMPARE(picked.size(), std::size_t{1});

        // Add and Edit Material: OK changes the library the application holds, then asks for a restart.
        const std::size_t materials = app->Materials().Records.size();
        WhenModal<CsMaterialDlg>([](CsMaterialDlg* dialog) {
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

    void selectUnitWritesOnlyWhatChanged()
    {
        auto app = MakeApp();
        QVERIFY(app->InitInstance({}));
        CMainFrame* frame = app->MainFrame();
        QSettings settings(dir_->filePath("settings.ini"), QSettings::IniFormat);

        // The same units again: nothing written, nothing changed.
        WhenModal<CUnitDlg>([](CUnitDlg* d) {
            QVERIFY(d->DecimalsList()->isEnabled());
            QVERIFY(!d->DenominatorList()->isEnabled());
            d->accept();
        });
        QVERIFY(!EditUnitSettings(app->Store(), frame));
        QVERIFY(!settings.contains("Settings/UnitLen"));

        // Fractional inches with 1/16: the two values that changed are written.
        WhenModal<CUnitDlg>([](CUnitDlg* d) {
            d->LengthList()->setCurrentIndex(kUnitInchFraction);
            QVERIFY(!d->DecimalsList()->isEnabled());
            QVERIFY(d->DenominatorList()->isEnabled());
            d->DenominatorList()->setCurrentIndex(1);
            d->accept();
        });
        QVERIFY(EditUnitSettings(app->Store(), frame));
        settings.sync();
        QCOMPARE(settings.value("Settings/UnitLen").toString(), QString("Inch (Fractional 8/32\")"));
        QCOMPARE(settings.value("Settings/UnitInchFractionDenom").toInt(), 16);
        QVERIFY(!settings.contains("Settings/UnitArea"));
        QVERIFY(!settings.contains("Settings/UnitNoOfDecimals"));
        QCOMPARE(CurrentFractionDenominator(), 16);

        // Cancel keeps everything.
        WhenModal<CUnitDlg>([](CUnitDlg* d) {
            d->LengthList()->setCurrentIndex(kUnitMm);
            d->reject();
        });
        QVERIFY(!EditUnitSettings(app->Store(), frame));
        QCOMPARE(CurrentUnitSettings().lengthUnit, kUnitInchFraction);
    }

    // The main window names the active job, marked while it has unsaved changes, through New, edits,
    // Save As, switching windows and closing the last one; no title placeholder ever shows.
    void titleNamesTheActiveJob()
    {
        auto app = MakeApp();
        QVERIFY(app->InitInstance({}));
        CMainFrame* frame = app->MainFrame();
        QVERIFY(QTest::qWaitForWindowActive(frame));
        const QString program = Text(ids::AppTitle);
        auto windowMenuTexts = [frame] {
            QStringList texts;
            for (QAction* m : frame->menuBar()->actions())
                if (QMenu* menu = m->menu()) {
                    emit menu->aboutToShow();
                    for (QAction* a : menu->actions())
                        texts.append(a->text());
                }
            return texts.join('\n');
        };
        auto check = [&](const QString& job) {
            QCOMPARE(frame->windowTitle(), job.isEmpty() ? program : job + " - " + program);
            const QString menus = windowMenuTexts();
            QVERIFY2(!menus.contains("[*]"), qPrintable(menus));
            for (CChildFrame* j : frame->Jobs())
                QVERIFY2(!j->windowTitle().contains("[*]"), qPrintable(j->windowTitle()));
        };

        CChildFrame* first = frame->ActiveJob();
        check("Vellicor1");
        CSGridWnd* grid = first->GetView().Sheet()->GetActivePage()->GetGrid();
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(grid));
        // A whole roll, typed into the cells and not yet stored into the job.
        for (const char* cell : {"C1", "1250", "2", "", "100000"}) {
            QTest::keyClicks(QApplication::focusWidget(), cell);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QVERIFY(!first->GetDocument().IsModified());
        check("Vellicor1*");

        QVERIFY(frame->SaveJobTo(*first, dir_->filePath("sample.vcj")));
        check("sample.vcj");
        frame->Action(cmd::FileNew)->trigger();
        check("Vellicor2");
        QVERIFY(windowMenuTexts().contains("sample.vcj"));
        frame->MdiArea()->setActiveSubWindow(first);
        check("sample.vcj");
        frame->MdiArea()->closeAllSubWindows();
        QTRY_VERIFY(frame->Jobs().isEmpty());
        check("");
    }

    void newJobsAreNumbered()
    {
        auto app = MakeApp();
        QVERIFY(app->InitInstance({}));
        CMainFrame* frame = app->MainFrame();
        QCOMPARE(frame->Jobs().size(), 1);
        QCOMPARE(frame->ActiveJob()->GetDocument().GetTitle(), std::string("Vellicor1"));
        frame->Action(cmd::FileNew)->trigger();
        QCOMPARE(frame->ActiveJob()->GetDocument().GetTitle(), std::string("Vellicor2"));
        QVERIFY(!frame->ActiveJob()->GetDocument().IsModified());
        QVERIFY(messages_.shown.empty());
    }

    void menusFollowTheActiveJob()
    {
        auto app = MakeApp();
        QVERIFY(app->InitInstance({}));
        CMainFrame* frame = app->MainFrame();
        QCOMPARE(frame->menuBar()->actions().size(), 6);  // File Edit View Tool Window Help
        frame->MdiArea()->closeAllSubWindows();
        QCoreApplication::processEvents();
        QCOMPARE(frame->menuBar()->actions().size(), 4);  // File View Tool Help
        QVERIFY(!frame->Action(cmd::FileSave)->isEnabled());
    }

    void openAndSaveThroughTheWindow()
    {
        const QString path = SavedJob("order.vcj");
        auto app = MakeApp();
        QVERIFY(app->InitInstance({}));
        CMainFrame* frame = app->MainFrame();
        CChildFrame* job = frame->OpenJob(path);
        QVERIFY(job);
        QCOMPARE(job->GetDocument().GetTitle(), std::string("order.vcj"));
        QCOMPARE(job->GetDocument().OrderNo, std::string("A-17"));
        QCOMPARE(frame->OpenJob(path), job);  // an open job is brought forward, not opened twice

        job->GetDocument().OrderNo = "B-2";
        job->GetDocument().SetModifiedFlag();
        const QString copy = dir_->filePath("copy.vcj");
        QVERIFY(frame->SaveJobTo(*job, copy));
        QVERIFY(!job->GetDocument().IsModified());
        QCOMPARE(LoadJobFile(copy.toStdString(), MemorySettingsStore()).doc->OrderNo, std::string("B-2"));
        QCOMPARE(app->Store().GetProfileString("Recent File List", "File1", ""), copy.toStdString());

        // A save into a folder that does not exist is reported and leaves the job modified.
        job->GetDocument().SetModifiedFlag();
        QVERIFY(!frame->SaveJobTo(*job, dir_->filePath("missing/x.vcj")));
        QVERIFY(job->GetDocument().IsModified());
        QCOMPARE(messages_.Ids(), std::vector<int>{ids::FileNotFound});
    }

    void damagedFileIsReportedAndOpensNothing()
    {
        const QString path = dir_->filePath("damaged.vcj");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("\xDA\x00\x01\x00garbage", 11);
        f.close();
        auto app = MakeApp();
        QVERIFY(app->InitInstance({}));
        const int before = app->MainFrame()->Jobs().size();
        QVERIFY(!app->MainFrame()->OpenJob(path));
        QCOMPARE(app->MainFrame()->Jobs().size(), before);
        QCOMPARE(messages_.Ids(), std::vector<int>{ids::UnexpectedFileFormat});
    }

    void closingAModifiedJobAsks()
    {
        auto app = MakeApp();
        QVERIFY(app->InitInstance({}));
        CMainFrame* frame = app->MainFrame();
        CChildFrame* job = frame->ActiveJob();
        job->GetDocument().SetModifiedFlag();

        messages_.answers = {MessageAnswer::Cancel};
        QVERIFY(!job->close());
        QCOMPARE(frame->Jobs().size(), 1);
        QCOMPARE(messages_.shown.back().id, ids::SaveChanges);
        QCOMPARE(messages_.shown.back().text, std::string("Save changes to Vellicor1?"));

        messages_.answers = {MessageAnswer::No};
        QVERIFY(job->close());
        QCoreApplication::processEvents();
        QCOMPARE(frame->Jobs().size(), 0);
        QCOMPARE(messages_.shown.size(), std::size_t(2));
    }

    void quantitiesByLengthToggleChangesNothingElse()
    {
        auto app = MakeApp();
        QVERIFY(app->InitInstance({}));
        CMainFrame* frame = app->MainFrame();
        CVellicorDoc& doc = frame->ActiveJob()->GetDocument();
        QAction* toggle = frame->Action(cmd::QtyByLength);
        QVERIFY(toggle->isChecked());
        toggle->trigger();
        QCOMPARE(doc.QtyByLength, 0);
        QVERIFY(!toggle->isChecked());
        toggle->trigger();
        QCOMPARE(doc.QtyByLength, 1);
        QVERIFY(toggle->isChecked());
        QVERIFY(!doc.IsModified());
    }

    void windowRectangleRules_data()
    {
        QTest::addColumn<QList<int>>("stored");  // X, Y, CX, CY; -1 for a missing value
        QTest::addColumn<QRect>("rect");
        QTest::newRow("no values") << QList<int>{-1, -1, -1, -1} << QRect(0, 0, 792, 590);
        QTest::newRow("CX 150") << QList<int>{10, 20, 150, 400} << QRect(10, 20, 792, 400);
        QTest::newRow("X 1500") << QList<int>{1500, 20, 800, 600} << QRect(0, 20, 800, 600);
        QTest::newRow("Y 1025, CY 199") << QList<int>{5, 1025, 800, 199} << QRect(5, 0, 800, 590);
        QTest::newRow("X 1024, CX 200") << QList<int>{1024, 0, 200, 200} << QRect(1024, 0, 200, 200);
    }

    void windowRectangleRules()
    {
        QFETCH(QList<int>, stored);
        QFETCH(QRect, rect);
        MemorySettingsStore store;
        const char* names[] = {"X", "Y", "CX", "CY"};
        for (int i = 0; i < 4; ++i)
            if (stored[i] >= 0)
                store.WriteInt("WindowSizes", names[i], stored[i]);
        QCOMPARE(LoadWindowRect(store), rect);
        SaveWindowRect(store, rect);
        QCOMPARE(LoadWindowRect(store), rect);
    }

    // A whole job by keyboard only, as a planner types it.
    void wholeJobByKeyboard()
    {
        auto app = MakeApp();
        QVERIFY(app->InitInstance({}));
        CMainFrame* frame = app->MainFrame();
        QVERIFY(QTest::qWaitForWindowActive(frame));
        // Key by key to whatever has the focus: the first one opens the cell's editor.
        auto focus = [frame]() -> QWidget* {
            return QApplication::focusWidget() ? QApplication::focusWidget() : frame;
        };
        auto keys = [focus](const QString& text) {
            for (const QChar c : text)
                QTest::keyClicks(focus(), QString(c));
        };
        auto key = [focus](Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(focus(), k, m); };
        // Each text is typed into the current cell and left with TAB; an empty one just TABs on.
        auto row = [&](const QStringList& cells) {
            for (const QString& cell : cells) {
                keys(cell);
                key(Qt::Key_Tab);
            }
        };
        auto results = [](CChildFrame& job) {
            CSGridWnd* patterns = job.GetView().Sheet()->GetActivePage()->GetGrid();
            QStringList figures;
            for (int r = 1; r <= patterns->GetRowCount(); ++r)
                for (int c = 1; c <= patterns->GetColCount(); ++c)
                    if (!patterns->IsColHidden(c))
                        figures.append(patterns->GetDisplayText(r, c));
            return figures;
        };

        frame->Action(cmd::FileNew)->trigger();
        CChildFrame* job = frame->ActiveJob();
        CSSheet* sheet = job->GetView().Sheet();
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(sheet->GetActivePage()->GetGrid()));

        // Rolls: name, width, qty, material, length, cost, trims, remarks; TAB at the end adds a row.
        row({"C1", "1250", "2", "", "100000", "1", "5", "5", ""});
        row({"C2", "1000"});
        key(Qt::Key_Return);
        key(Qt::Key_PageDown, Qt::ControlModifier);
        QCOMPARE(sheet->currentIndex(), 1);
        QCOMPARE(job->GetDocument().GetCoilCount(), 2);

        // Slits: name, width, material, required length, remarks.
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(sheet->GetActivePage()->GetGrid()));
        row({"S1", "300", "", "20000", ""});
        row({"S2", "200", "", "15000", ""});
        row({"S3", "150", "", "10000"});
        key(Qt::Key_Return);
        key(Qt::Key_PageDown, Qt::ControlModifier);
        QCOMPARE(sheet->currentIndex(), 2);
        QCOMPARE(job->GetDocument().GetSlitCount(), 3);

        // Parts: name, length, width, rotation, count.
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(sheet->GetActivePage()->GetGrid()));
        row({"P1", "400", "250", ""});
        keys("20");
        key(Qt::Key_Return);

        key(Qt::Key_F9);
        QCOMPARE(sheet->currentIndex(), int(CVellicorView::ResultsTab));
        QVERIFY(job->GetDocument().HasResults());
        QCOMPARE(job->GetDocument().GetPartCount(), 1);
        const QStringList figures = results(*job);
        QVERIFY(figures.size() > 3);
        // The keys go on to the results once the progress window is gone.
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(sheet->GetActivePage()->GetGrid()));

        // Saved, closed and opened again, the result shows the same figures. The file dialogs are
        // answered as the planner does, typing the name and Enter.
        const QString path = dir_->filePath("keyboard.vcj");
        auto typeFileName = [](const QString& name) {
            test::WhenModal<QFileDialog>([name](QFileDialog* dialog) {
                // Keys reach the dialog once it is the active window; its name box has the focus.
                QTRY_VERIFY(dialog->isActiveWindow());
                auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit");
                QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(edit));
                QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
                QTest::keyClicks(edit, name);
                QTest::keyClick(edit, Qt::Key_Return);
            });
        };
        typeFileName(path);
        key(Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(job->GetDocument().GetPathName(), path.toStdString());
        QVERIFY(QFileInfo::exists(path));
        QVERIFY(!job->GetDocument().IsModified());
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(sheet->GetActivePage()->GetGrid()));
        // Closed by the platform's standard key for it (Ctrl+F4 or Ctrl+W).
        const QPointer<CChildFrame> closing(job);
        QTest::keySequence(focus(), QKeySequence(QKeySequence::Close));
        QTRY_VERIFY(closing.isNull());
        typeFileName(path);
        key(Qt::Key_O, Qt::ControlModifier);
        QTRY_VERIFY(frame->ActiveJob() && frame->ActiveJob()->GetDocument().GetPathName() == path.toStdString());
        CChildFrame* reopened = frame->ActiveJob();
        QVERIFY(reopened->GetView().Sheet()->SetActivePage(CVellicorView::ResultsTab));
        QCOMPARE(results(*reopened), figures);
    }

    void optimiseShowsTheResultsOrSaysWhyNot()
    {
        auto app = MakeApp();
        QVERIFY(app->InitInstance({}));
        CMainFrame* frame = app->MainFrame();
        CChildFrame* job = frame->ActiveJob();
        CVellicorDoc& doc = job->GetDocument();
        doc.AddCoil(std::make_unique<CCoil>("C1", 1250, "crca", 1.5, 10000, 3, "", 1, 10, 15));
        doc.AddSlit(std::make_unique<CCoilPart>("S1", "crca", 1.5, 300.0, 2000.0, "", 0));
        doc.AddSlit(std::make_unique<CCoilPart>("S2", "crca", 1.5, 200.0, 900.0, "", 0));

        frame->Action(cmd::Optimise)->trigger();
        QVERIFY(doc.HasResults());
        QCOMPARE(job->GetView().Sheet()->currentIndex(), int(CVellicorView::ResultsTab));
        QVERIFY(messages_.shown.empty());

        // Nothing in stock: the old result is gone and the user is told.
        doc.GetCoil(0)->Qty = 0;
        frame->Action(cmd::Optimise)->trigger();
        QVERIFY(!doc.HasResults());
        QCOMPARE(messages_.Ids(), std::vector<int>{198});
    }

    void optimiseRefusesAJobWithABadFieldBeforeRunning()
    {
        auto app = MakeApp();
        QVERIFY(app->InitInstance({}));
        CMainFrame* frame = app->MainFrame();
        CVellicorDoc& doc = frame->ActiveJob()->GetDocument();
        AddJobWithOldResult(doc);
        doc.Settings.Kerf = -1;

        frame->Action(cmd::Optimise)->trigger();
        QCOMPARE(messages_.Ids(), std::vector<int>{ids::JobNumberOutOfRange});
        QCOMPARE(messages_.shown[0].text, std::string("The cut settings: kerf must be a number from 0 to 1000000."));
        // The old result stays: nothing ran.
        QCOMPARE(doc.Layouts.GetCount(), 1);
        QVERIFY(frame->findChildren<QProgressDialog*>().isEmpty());
    }

    void cancelledOptimisationLeavesNoResult()
    {
        auto app = MakeApp();
        QVERIFY(app->InitInstance({}));
        CMainFrame* frame = app->MainFrame();
        CVellicorDoc& doc = frame->ActiveJob()->GetDocument();
        AddJobWithOldResult(doc);

        WhenModal<QProgressDialog>([](QProgressDialog* d) { d->findChild<QPushButton*>()->click(); });
        frame->Action(cmd::Optimise)->trigger();
        QVERIFY(!doc.HasResults());
        QCOMPARE(messages_.Ids(), std::vector<int>{ids::OptimiseCancelled});
    }

    void firstStartSeedsTheDataDirectory()
    {
        auto app = MakeApp();
        QVERIFY(app->InitInstance({}));
        const QString data = QString::fromStdString(app->Paths().DataDir());
        QCOMPARE(data, dir_->filePath("Data"));
        QVERIFY(QFile::exists(data + "/slitmate.db"));
        QVERIFY(QFile::exists(data + "/stock.db"));
        QVERIFY(app->Materials().MaterialChoiceList().find("not_used\n") != std::string::npos);
        QVERIFY(messages_.shown.empty());

        // A second start reads what the first one wrote.
        const QByteArray library = [&] {
            QFile f(data + "/slitmate.db");
            f.open(QIODevice::ReadOnly);
            return f.readAll();
        }();
        auto again = MakeApp();
        QVERIFY(again->InitInstance({}));
        QCOMPARE(again->Materials().Records.size(), app->Materials().Records.size());
        QFile f(data + "/slitmate.db");
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), library);
    }

    void editMenuWorksOnTheFocusedGridOrTextBox()
    {
        auto app = MakeApp();
        QVERIFY(app->InitInstance({}));
        CMainFrame* frame = app->MainFrame();
        QVERIFY(QTest::qWaitForWindowActive(frame));
        CSGridWnd* grid = frame->ActiveJob()->GetView().Sheet()->GetActivePage()->GetGrid();
        QVERIFY(grid);
        grid->SetValue(1, 1, "C7");
        grid->setFocus();
        grid->SetCurrentCell(1, 1);
        frame->Action(cmd::EditCopy)->trigger();
        QCOMPARE(QApplication::clipboard()->text().trimmed(), QString("C7"));

        grid->SetCurrentCell(1, 12);
        frame->Action(cmd::EditPaste)->trigger();
        QCOMPARE(grid->GetValue(1, 12), QString("C7"));
        frame->Action(cmd::EditUndo)->trigger();
        QCOMPARE(grid->GetValue(1, 12), QString());

        // A text box with the focus takes the command itself.
        QLineEdit box("typed text", frame);
        box.show();
        box.setFocus();
        box.selectAll();
        frame->Action(cmd::EditCopy)->trigger();
        QCOMPARE(QApplication::clipboard()->text(), QString("typed text"));
    }

    void jobFileOnTheCommandLine()
    {
        const QString path = SavedJob("cmdline.vcj");
        auto app = MakeApp();
        QVERIFY(app->InitInstance({path}));
        QCOMPARE(app->MainFrame()->Jobs().size(), 1);
        QCOMPARE(app->MainFrame()->ActiveJob()->GetDocument().GetTitle(), std::string("cmdline.vcj"));
    }

    void missingLanguagePackIsReportedOnce()
    {
        {
            QSettings settings(dir_->filePath("settings.ini"), QSettings::IniFormat);
            settings.setValue("Settings/Language", "missing.lng");
        }
        auto app = MakeApp();
        QVERIFY(app->InitInstance({}));
        QCOMPARE(messages_.Ids(), std::vector<int>{164});
        QCOMPARE(app->MainFrame()->windowTitle(), QString("Vellicor1 - VANT Vellicor"));
    }

    void languagePackReplacesMenuTexts()
    {
        QFile pack(dir_->filePath("de.lng"));
        QVERIFY(pack.open(QIODevice::WriteOnly));
        pack.write("1100001\t&Datei\n143\tVANT Vellicor (deutsch)\n");
        pack.close();
        {
            QSettings settings(dir_->filePath("settings.ini"), QSettings::IniFormat);
            settings.setValue("Settings/Language", "de.lng");
        }
        auto app = MakeApp();
        QVERIFY(app->InitInstance({}));
        QVERIFY(messages_.shown.empty());
        QCOMPARE(app->MainFrame()->menuBar()->actions().first()->text(), QString("&Datei"));
        QCOMPARE(app->MainFrame()->windowTitle(), QString("Vellicor1 - VANT Vellicor (deutsch)"));
    }
};

QTEST_MAIN(ShellTest)
#include "shell_test.moc"
