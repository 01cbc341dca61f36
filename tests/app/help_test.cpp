#include "app/childframe.h"
#include "app/aboutdlg.h"
#include "app/commandids.h"
#include "app/contexthelp.h"
#include "app/helptopics.h"
#include "app/helpviewer.h"
#include "app/htmlhandler.h"
#include "app/linklabel.h"
#include "app/mainframe.h"
#include "app/splashwnd.h"
#include "app/tipdlg.h"
#include "app/tipfile.h"
#include "app/vellicorapp.h"
#include "platform/memorysettingsstore.h"
#include "support/recordingmessages.h"
#include "support/recordingshell.h"
#include "ui/helpcontext.h"
#include "ui/pages/page.h"
#include "ui/grid/gridwnd.h"
#include "ui/pages/sheet.h"
#include "ui/pages/vellicorview.h"
#include "ui/dialogs/unitdlg.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

using namespace vellicor;

namespace {

// The installed files as they are in the source tree: help/ and VellicorTips.txt.
const QString kShippedDir = QStringLiteral(VELLICOR_APP_DIR);

void WriteFile(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(content) != content.size())
        qFatal("cannot write %s", qPrintable(path));
}

void SetModified(const QString& path, const QDateTime& when)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadWrite) || !f.setFileTime(when, QFileDevice::FileModificationTime))
        qFatal("cannot set the time of %s", qPrintable(path));
}

// The tips read one after the other, "-" for no tip.
QStringList ReadTips(CTipFile& file, int count)
{
    QStringList tips;
    for (int i = 0; i < count; ++i) {
        const CTipFile::Result r = file.NextTip();
        tips.append(r.status == CTipFile::Status::Tip ? QString::fromStdString(r.text) : QString("-"));
    }
    return tips;
}

} // namespace

class HelpTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<CVellicorApp> MakeApp(const QString& installDir)
    {
        auto settings = std::make_unique<QSettings>(dir_->filePath("settings.ini"), QSettings::IniFormat);
        auto app = std::make_unique<CVellicorApp>(std::move(settings), &messages_, &shell_);
        app->Paths().SetInstallDir(installDir);
        return app;
    }

    QString TipsPath() const { return dir_->filePath("VellicorTips.txt"); }

    // Opens the tip dialog on the test's tips file, hands it to `act`, then closes it.
    template <typename F>
    void WithTipDialog(ISettingsStore& store, F act)
    {
        CTipDlg dialog(store, messages_, TipsPath().toStdString());
        act(dialog);
        dialog.CloseButton()->click();
    }

    std::unique_ptr<QTemporaryDir> dir_;
    test::RecordingMessages messages_;
    test::RecordingShell shell_;

private slots:
    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        messages_ = {};
        shell_ = {};
    }

    void helpContextTable_data()
    {
        QTest::addColumn<int>("contextId");
        QTest::addColumn<int>("topic");
        QTest::addColumn<QString>("page");
        QTest::newRow("optimise, first") << 32771 << 1 << "optimise.html";
        QTest::newRow("rolls page") << 131 << 8 << "rolls.html";
        QTest::newRow("select unit dialog") << 300 << 9 << "selectunit.html";
        QTest::newRow("results page") << 303 << 10 << "results.html";
        QTest::newRow("material library") << 614 << 21 << "materials.html";
        QTest::newRow("print commands, last") << 57609 << 26 << "printing.html";
        QTest::newRow("high bits ignored") << (0x20000 | 300) << 9 << "selectunit.html";
        QTest::newRow("unknown id") << 12345 << 0 << "index.html";
        QTest::newRow("no id") << 0 << 0 << "index.html";
    }

    void helpContextTable()
    {
        QFETCH(int, contextId);
        QFETCH(int, topic);
        QFETCH(QString, page);
        QCOMPARE(HelpTopicOf(contextId), topic);
        QCOMPARE(QString::fromStdString(HelpTopicPage(topic)), page);
    }

    // Every topic has its page, and every link between pages leads to a page that exists.
    void shippedHelpPagesAreComplete()
    {
        const QDir help(kShippedDir + "/help");
        for (int topic = 0; topic <= HelpTopicCount(); ++topic)
            QVERIFY2(help.exists(QString::fromStdString(HelpTopicPage(topic))), HelpTopicPage(topic).c_str());
        const QRegularExpression link(R"(href="([^"#]*)(#[^"]*)?")");
        for (const QString& name : help.entryList({"*.html"})) {
            QFile page(help.filePath(name));
            QVERIFY(page.open(QIODevice::ReadOnly));
            const QString html = QString::fromUtf8(page.readAll());
            QVERIFY2(html.contains("<title>"), qPrintable(name));
            for (const QRegularExpressionMatch& m : link.globalMatch(html)) {
                const QString target = m.captured(1);
                if (!target.isEmpty() && !target.contains(':'))
                    QVERIFY2(help.exists(target), qPrintable(name + " links to " + target));
            }
        }
    }

    void contextHelpOpensTheTopicOrTheContents()
    {
        auto app = MakeApp(kShippedDir);
        QVERIFY(app->InitInstance({}));
        QVERIFY(!app->Help().Viewer());

        app->ShowHelp(300);
        CHelpViewer* viewer = app->Help().Viewer();
        QVERIFY(viewer);
        QCOMPARE(viewer->CurrentPage(), QString("selectunit.html"));
        QVERIFY(viewer->Browser()->toPlainText().contains("Decimal Precision"));
        QVERIFY(viewer->windowTitle().contains("Select Unit"));

        app->ShowHelp(4242);
        QCOMPARE(viewer->CurrentPage(), QString("index.html"));
        QCOMPARE(app->Help().Viewer(), viewer);  // one viewer for the whole run

        // A link to another topic, then Back.
        emit viewer->Browser()->anchorClicked(QUrl("rolls.html"));
        QCOMPARE(viewer->CurrentPage(), QString("rolls.html"));
        viewer->Browser()->backward();
        QCOMPARE(viewer->CurrentPage(), QString("index.html"));

        // Help Topics shows the contents.
        app->ShowHelp(131);
        app->MainFrame()->Action(cmd::HelpTopics)->trigger();
        QCOMPARE(viewer->CurrentPage(), QString("index.html"));

        // The ui layer's entry goes to the same viewer.
        ShowHelp(304);
        QCOMPARE(viewer->CurrentPage(), QString("slits.html"));
    }

    void webLinksInHelpPagesGoToTheBrowser()
    {
        auto app = MakeApp(kShippedDir);
        QVERIFY(app->InitInstance({}));
        app->ShowHelp(0);
        emit app->Help().Viewer()->Browser()->anchorClicked(QUrl("https://www.example.com/page"));
        QCOMPARE(shell_.urls, std::vector<std::string>{"https://www.example.com/page"});
        QCOMPARE(app->Help().Viewer()->CurrentPage(), QString("index.html"));
    }

    void f1AsksTheWindowWithTheFocus()
    {
        auto app = MakeApp(kShippedDir);
        QVERIFY(app->InitInstance({}));
        CMainFrame* frame = app->MainFrame();

        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<CUnitDlg*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            QTest::keyClick(dialog->LengthList(), Qt::Key_F1);
            dialog->reject();
        });
        CUnitDlg(UnitSettings{}, frame).exec();
        QCOMPARE(app->Help().Viewer()->CurrentPage(), QString("selectunit.html"));

        // Inside a job's page: that page's topic.
        QTest::keyClick(frame->ActiveJob()->GetView().Sheet()->GetActivePage(), Qt::Key_F1);
        QCOMPARE(app->Help().Viewer()->CurrentPage(), QString("rolls.html"));

        // Nothing tagged: the contents.
        QTest::keyClick(frame, Qt::Key_F1);
        QCOMPARE(app->Help().Viewer()->CurrentPage(), QString("index.html"));
    }

    // As the platform delivers it: to the window, which passes it to the widget with the focus.
    void f1ThroughTheWindowAsksTheFocus_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("page");
        QTest::newRow("rolls grid") << 0 << "rolls.html";
        QTest::newRow("slits grid") << 1 << "slits.html";
        QTest::newRow("parts grid") << 2 << "parts.html";
        QTest::newRow("results grid") << 3 << "results.html";
    }

    void f1ThroughTheWindowAsksTheFocus()
    {
        QFETCH(int, tab);
        QFETCH(QString, page);
        auto app = MakeApp(kShippedDir);
        QVERIFY(app->InitInstance({}));
        CMainFrame* frame = app->MainFrame();
        frame->show();
        QVERIFY(QTest::qWaitForWindowActive(frame));
        CSSheet* sheet = frame->ActiveJob()->GetView().Sheet();
        QVERIFY(sheet->SetActivePage(tab));
        QWidget* grid = sheet->GetActivePage()->GetGrid();
        grid->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), grid);
        QTest::keyClick(frame->windowHandle(), Qt::Key_F1);
        QVERIFY(app->Help().Viewer());
        QCOMPARE(app->Help().Viewer()->CurrentPage(), page);
    }

    void helpViewerOpensAboveAModalDialog()
    {
        auto app = MakeApp(kShippedDir);
        QVERIFY(app->InitInstance({}));
        CMainFrame* frame = app->MainFrame();
        frame->show();
        app->ShowHelp(0);
        QTimer::singleShot(0, [&app] {
            auto* dialog = qobject_cast<CUnitDlg*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            QVERIFY(QTest::qWaitForWindowActive(dialog));
            dialog->LengthList()->setFocus();
            QTest::keyClick(dialog->windowHandle(), Qt::Key_F1);
            CHelpViewer* viewer = app->Help().Viewer();
            QCOMPARE(viewer->CurrentPage(), QString("selectunit.html"));
            // Its own window is not blocked by the dialog it belongs to.
            QCOMPARE(viewer->parentWidget(), dialog);
            QVERIFY(viewer->isVisible());
            dialog->reject();
        });
        CUnitDlg(UnitSettings{}, frame).exec();
        QCOMPARE(app->Help().Viewer()->parentWidget(), frame);
        QVERIFY(app->Help().Viewer()->isVisible());
    }

    void whatsThisTakesTheClickedButton()
    {
        auto app = MakeApp(kShippedDir);
        QVERIFY(app->InitInstance({}));
        CMainFrame* frame = app->MainFrame();
        QAction* optimise = frame->Action(cmd::Optimise);
        QSignalSpy triggered(optimise, &QAction::triggered);
        auto* button = qobject_cast<QToolButton*>(frame->findChild<QToolBar*>("ToolBar")->widgetForAction(optimise));
        QVERIFY(button);

        QTest::keyClick(frame, Qt::Key_F1, Qt::ShiftModifier);
        QVERIFY(app->Help().InContextMode());
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(!app->Help().InContextMode());
        QCOMPARE(app->Help().Viewer()->CurrentPage(), QString("optimise.html"));
        QCOMPARE(triggered.count(), 0);  // the click asked for help, it did not optimise

        // Escape leaves the mode without help; the next click works as usual.
        frame->Action(cmd::ContextHelp)->trigger();
        QVERIFY(app->Help().InContextMode());
        QTest::keyClick(frame, Qt::Key_Escape);
        QVERIFY(!app->Help().InContextMode());
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(triggered.count(), 1);
    }

    void missingHelpSaysWhereItWasLookedFor()
    {
        auto app = MakeApp(dir_->path());
        QVERIFY(app->InitInstance({}));
        app->ShowHelp(300);
        CHelpViewer* viewer = app->Help().Viewer();
        QCOMPARE(viewer->CurrentPage(), QString());
        QVERIFY(viewer->Browser()->toPlainText().contains(QDir::toNativeSeparators(dir_->filePath("help"))));
    }

    void tipsFileRules_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QStringList>("tips");
        QTest::newRow("one tip between comments") << QByteArray(";first\nThe tip\n;last\n") << 0
                                                  << QStringList{"The tip", "The tip", "The tip"};
        QTest::newRow("skipped lines") << QByteArray("\ttab\n space\n;semi\n\nA\r\n\r\nB\n") << 0
                                       << QStringList{"A", "B", "A"};
        QTest::newRow("from the saved offset, wrapping") << QByteArray("A\nB\nC\n") << 2
                                                         << QStringList{"B", "C", "A"};
        QTest::newRow("offset inside a line") << QByteArray("Alpha\nBeta\n") << 2 << QStringList{"Beta", "Alpha"};
        QTest::newRow("offset past the end") << QByteArray("A\nB\n") << 100 << QStringList{"A", "B"};
        QTest::newRow("last line without newline") << QByteArray("A\nB") << 0 << QStringList{"A", "B", "A"};
        QTest::newRow("only comments") << QByteArray(";x\n \n\t\n") << 3 << QStringList{"-", "-"};
        QTest::newRow("empty file") << QByteArray() << 0 << QStringList{"-"};
        QTest::newRow("code page 1252") << QByteArray("Caf\xe9 tip\n") << 0 << QStringList{"Caf\u00e9 tip"};
    }

    void tipsFileRules()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, offset);
        QFETCH(QStringList, tips);
        WriteFile(TipsPath(), content);
        CTipFile file;
        QVERIFY(file.Open(TipsPath().toStdString()));
        file.Seek(offset);
        QCOMPARE(ReadTips(file, tips.size()), tips);
    }

    // Only the first 1023 bytes of a line are the tip; the rest of the line is no tip of its own.
    void longTipLineIsCut()
    {
        WriteFile(TipsPath(), QByteArray(1500, 'x') + "\nNext\n");
        CTipFile file;
        QVERIFY(file.Open(TipsPath().toStdString()));
        QCOMPARE(ReadTips(file, 2), (QStringList{QString(1023, 'x'), "Next"}));
    }

    void tipDialogGoesOnWhereItLeftOff()
    {
        WriteFile(TipsPath(), ";tips\nFirst\nSecond\nThird\n");
        SetModified(TipsPath(), QDateTime(QDate(2024, 3, 1), QTime(9, 0)));
        MemorySettingsStore store;
        WithTipDialog(store, [](CTipDlg& d) {
            QCOMPARE(d.TipText()->text(), QString("First"));
            QVERIFY(d.StartUpBox()->isChecked());
            d.NextButton()->click();
            QCOMPARE(d.TipText()->text(), QString("Second"));
        });
        QCOMPARE(store.GetProfileInt("Tip", "FilePos", -1), 19);
        QCOMPARE(store.GetProfileString("Tip", "TimeStamp", ""), TipsFileStamp(TipsPath().toStdString()));
        QCOMPARE(store.GetProfileInt("Tip", "StartUp", -1), 0);
        WithTipDialog(store, [](CTipDlg& d) { QCOMPARE(d.TipText()->text(), QString("Third")); });

        // A changed file starts at its first tip, wherever the saved position points.
        SetModified(TipsPath(), QDateTime(QDate(2024, 3, 2), QTime(9, 0)));
        WithTipDialog(store, [](CTipDlg& d) { QCOMPARE(d.TipText()->text(), QString("First")); });
        QVERIFY(messages_.shown.empty());
    }

    void missingOrEmptyTipsFileSaysSo()
    {
        MemorySettingsStore store;
        WithTipDialog(store, [](CTipDlg& d) {
            QCOMPARE(d.TipText()->text(), QString("Tips file does not exist in the prescribed directory"));
            QVERIFY(!d.NextButton()->isEnabled());
        });
        QVERIFY(!store.ReadInt("Tip", "FilePos"));

        WriteFile(TipsPath(), ";only\n;comments\n");
        WithTipDialog(store, [](CTipDlg& d) {
            QCOMPARE(d.TipText()->text(), QString("The tips file holds no tips."));
            QVERIFY(!d.NextButton()->isEnabled());
        });
    }

    void startUpChoiceDecidesTheTipAfterTheSplash()
    {
        WriteFile(dir_->filePath("VellicorTips.txt"), ";c\nOnly tip\n;c\n");
        {
            auto app = MakeApp(dir_->path());
            QVERIFY(app->InitInstance({}, CVellicorApp::Splash::Show));
            QVERIFY(app->SplashWindow());
            bool shown = false;
            QObject::connect(app->SplashWindow(), &CSplashWnd::Closed, [&] {
                QTimer::singleShot(0, [&] {
                    auto* tip = qobject_cast<CTipDlg*>(QApplication::activeModalWidget());
                    QVERIFY(tip);
                    shown = true;
                    QCOMPARE(tip->TipText()->text(), QString("Only tip"));
                    tip->StartUpBox()->setChecked(false);
                    tip->CloseButton()->click();
                });
            });
            QTest::keyClick(app->MainFrame(), Qt::Key_A);
            QTRY_VERIFY(shown);
            QVERIFY(!app->SplashWindow());
            QCOMPARE(app->Store().GetProfileInt("Tip", "StartUp", 0), 1);
        }
        auto app = MakeApp(dir_->path());
        QVERIFY(app->InitInstance({}, CVellicorApp::Splash::Show));
        QCOMPARE(app->SplashWindow()->frameGeometry().center(), app->MainFrame()->frameGeometry().center());
        QSignalSpy closed(app->SplashWindow(), &CSplashWnd::Closed);
        bool tipShown = false;
        QTimer guard;
        QObject::connect(&guard, &QTimer::timeout, [&] {
            if (auto* tip = qobject_cast<CTipDlg*>(QApplication::activeModalWidget())) {
                tipShown = true;
                tip->reject();
            }
        });
        guard.start(5);
        QTest::mousePress(app->MainFrame(), Qt::LeftButton);
        QCOMPARE(closed.count(), 1);
        QTest::qWait(50);
        QVERIFY(!tipShown);
    }

    void webLinksCarryTheVersion_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("address");
        QTest::newRow("support") << cmd::LinkSupport << "https://www.example.com/support?pver=218";
        QTest::newRow("demos") << cmd::LinkDemos << "https://www.example.com/downloads?pver=218";
        QTest::newRow("website") << cmd::LinkWebsite << "https://www.example.com/?pver=218";
        QTest::newRow("order") << cmd::LinkOrder << "https://www.example.org/order?pver=218";
    }

    void webLinksCarryTheVersion()
    {
        QFETCH(int, command);
        QFETCH(QString, address);
        auto app = MakeApp(dir_->path());
        QVERIFY(app->InitInstance({}));
        app->MainFrame()->Action(command)->trigger();
        QCOMPARE(shell_.urls, std::vector<std::string>{address.toStdString()});
    }

    void webLinkFromTheLanguagePackIsTrimmed()
    {
        QVERIFY(Strings().LoadLanguagePack("144\t  https://support.example.net/vellicor \n"));
        auto app = MakeApp(dir_->path());
        QVERIFY(app->InitInstance({}));
        app->MainFrame()->Action(cmd::LinkSupport)->trigger();
        Strings().ClearLanguagePack();
        QCOMPARE(shell_.urls, std::vector<std::string>{"https://support.example.net/vellicor?pver=218"});
    }

    void aboutBoxShowsVersionAndLink()
    {
        CAboutDlg about(shell_, messages_);
        QCOMPARE(about.windowTitle(), QString("About VANT - Vellicor"));
        QCOMPARE(about.VersionLine()->text(), QString("VANT Vellicor 2.18"));
        QCOMPARE(about.VersionLine()->font().weight(), QFont::ExtraBold);

        CLinkLabel* link = about.Link();
        QCOMPARE(link->Target(), QString("https://www.example.com/"));
        QCOMPARE(link->text(), link->Target());
        QCOMPARE(link->toolTip(), link->Target());
        QVERIFY(link->font().underline());
        QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(link->TextColour(), QColor(0, 0, 238));

        QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
        QApplication::sendEvent(link, &enter);
        QCOMPARE(link->TextColour(), link->palette().color(QPalette::Highlight));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(link, &leave);

        QTest::mouseClick(link, Qt::LeftButton);
        QCOMPARE(shell_.urls, std::vector<std::string>{"https://www.example.com/"});
        QVERIFY(link->Visited());
        QCOMPARE(link->TextColour(), QColor(85, 26, 139));
        QCOMPARE(link->palette().color(QPalette::WindowText), QColor(85, 26, 139));
    }

    // When the desktop cannot open the address, the program registered for HTML pages is started
    // with it; without one the user is told.
    void linkFallsBackToTheHtmlHandler()
    {
        const QString xdg[][2] = {{"XDG_CONFIG_HOME", "config"}, {"XDG_CONFIG_DIRS", "sysconfig"},
                                  {"XDG_DATA_HOME", "data"},     {"XDG_DATA_DIRS", "sysdata"}};
        for (const auto& [name, sub] : xdg)
            qputenv(name.toLatin1(), dir_->filePath(sub).toLocal8Bit());
        const QString script = dir_->filePath("browser.sh");
        const QString opened = dir_->filePath("opened.txt");
        WriteFile(script, QString("#!/bin/sh\nprintf %s \"$1\" > '%1'\n").arg(opened).toLocal8Bit());
        QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        WriteFile(dir_->filePath("data/applications/testbrowser.desktop"),
                  QString("[Desktop Entry]\nType=Application\nName=Test\nExec=%1 \"%u\"\n").arg(script).toLocal8Bit());
        WriteFile(dir_->filePath("config/mimeapps.list"),
                  "[Added Associations]\ntext/html=other.desktop;\n[Default Applications]\n"
                  "text/html=missing.desktop;testbrowser.desktop;\n");

        shell_.succeed = false;
        CLinkLabel link("Support", "https://www.example.com/support", shell_, messages_);
        QVERIFY(link.Open());
        QTRY_VERIFY(QFileInfo::exists(opened));
        QFile result(opened);
        QVERIFY(result.open(QIODevice::ReadOnly));
        QCOMPARE(result.readAll(), QByteArray("https://www.example.com/support"));
        QVERIFY(link.Visited());

        QVERIFY(QFile::remove(dir_->filePath("config/mimeapps.list")));
        CLinkLabel other("Support", "https://www.example.com/support", shell_, messages_);
        QVERIFY(!other.Open());
        QVERIFY(!other.Visited());
        QCOMPARE(messages_.shown.size(), std::size_t(1));
        QCOMPARE(messages_.shown[0].text, std::string("Unable to open hyperlink:\n\nThere is no application "
                                                      "associated\nwith the given filename extension."));
        for (const auto& entry : xdg)
            qunsetenv(entry[0].toLatin1());
    }

    void launchCommandCutsAtThePlaceholder_data()
    {
        QTest::addColumn<QString>("exec");
        QTest::addColumn<QStringList>("command");
        QTest::newRow("bare") << "firefox %u" << QStringList{"firefox", "T"};
        QTest::newRow("quoted") << "\"/opt/my browser/run\" --new \"%U\" --x" << QStringList{"/opt/my browser/run", "--new", "T"};
        QTest::newRow("file placeholder") << "viewer -f %F %u" << QStringList{"viewer", "-f", "T"};
        QTest::newRow("none") << "browser --private" << QStringList{"browser", "--private", "T"};
        QTest::newRow("empty") << "" << QStringList{};
    }

    void launchCommandCutsAtThePlaceholder()
    {
        QFETCH(QString, exec);
        QFETCH(QStringList, command);
        QCOMPARE(LaunchCommand(exec, "T"), command);
    }
};

QTEST_MAIN(HelpTest)
#include "help_test.moc"
