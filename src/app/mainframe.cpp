#include "app/mainframe.h"

#include "app/childframe.h"
#include "app/commandids.h"
#include "app/optimiserun.h"
#include "app/strings.h"
#include "app/vellicorapp.h"
#include "app/windowrect.h"
#include "inventory/matedb.h"
#include "model/jobcheck.h"
#include "model/jobfile.h"
#include "model/quantitymode.h"
#include "model/vellicordoc.h"
#include "platform/stringids.h"
#include "platform/safefile.h"
#include "report/jobreport.h"
#include "report/knifesheet.h"
#include "report/reportcontent.h"
#include "ui/dialogs/cutsettingsdlg.h"
#include "ui/dialogs/printpreviewdlg.h"
#include "ui/grid/gridwnd.h"
#include "ui/helpcontext.h"
#include "ui/dialogs/materialdlg.h"
#include "ui/dialogs/unitdlg.h"
#include "ui/pages/vellicorview.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QIcon>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QProcess>
#include <QStandardPaths>
#include <QLabel>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolBar>
#include <QUndoStack>


namespace vellicor {
namespace {

constexpr int kRecentFiles = 4;
constexpr int kMenuFile = 1, kMenuEdit = 2, kMenuView = 3, kMenuTool = 4, kMenuWindow = 5, kMenuHelp = 6;
constexpr int kSeparator = 0;
constexpr int kMsgNoResult = 176;

QString MenuText(int id)
{
    return Text(cmd::MenuTextBase + id);
}

// The status-bar prompt is the text before the newline of the command's string.
QString Prompt(int id)
{
    const QString text = Text(id);
    return text.section('\n', 0, 0);
}

QString ToolTip(int id)
{
    const QString text = Text(id);
    return text.contains('\n') ? text.section('\n', 1).trimmed() : QString();
}

// Fields of the document type string: title, document name, new name, filter, extension, ...
QString DocTypeField(int index)
{
    return Text(ids::DocType).section('\n', index, index);
}

QString FileFilter()
{
    return DocTypeField(3);
}

// The Edit menu works on the text box that has the focus (a cell being typed in included), else on
// the grid that holds it.
template <typename OnGrid>
void EditFocused(const char* textSlot, OnGrid onGrid)
{
    QWidget* focus = QApplication::focusWidget();
    if (qobject_cast<QLineEdit*>(focus) || qobject_cast<QTextEdit*>(focus) || qobject_cast<QPlainTextEdit*>(focus)) {
        QMetaObject::invokeMethod(focus, textSlot);
        return;
    }
    for (QWidget* w = focus; w; w = w->parentWidget())
        if (auto* grid = qobject_cast<CSGridWnd*>(w)) {
            onGrid(*grid);
            return;
        }
}

} // namespace

CMainFrame::CMainFrame(CVellicorApp& app) : app_(app), mdi_(new QMdiArea(this))
{
    setObjectName("MainFrame");
    // Job windows and dialogs take the program's icon too.
    QApplication::setWindowIcon(QIcon(":/icons/vellicor.svg"));
    setCentralWidget(mdi_);
    setAcceptDrops(true);
    CreateActions();
    CreateMenus();
    CreateToolBar();
    statusBar()->showMessage(Prompt(ids::StatusReady));
    statusBar()->addPermanentWidget(new QLabel(
        QString::fromStdString(Strings().Format(ids::StoreStatus, {app_.Inventory().StoreName()})), statusBar()));

    setGeometry(LoadWindowRect(app_.Store()));
    setWindowState(Qt::WindowMaximized);
    connect(mdi_, &QMdiArea::subWindowActivated, this, [this] {
        UpdateMenus();
        UpdateTitle();
    });
    UpdateMenus();
    UpdateTitle();
}

// The job windows go first, without questions: their close handling needs a whole frame.
CMainFrame::~CMainFrame()
{
    qDeleteAll(Jobs());
}

QAction* CMainFrame::Action(int commandId) const
{
    auto it = actions_.find(commandId);
    return it == actions_.end() ? nullptr : it->second;
}

CChildFrame* CMainFrame::ActiveJob() const
{
    return qobject_cast<CChildFrame*>(mdi_->activeSubWindow());
}

QList<CChildFrame*> CMainFrame::Jobs() const
{
    QList<CChildFrame*> jobs;
    for (QMdiSubWindow* w : mdi_->subWindowList())
        if (auto* job = qobject_cast<CChildFrame*>(w))
            jobs.append(job);
    return jobs;
}

QAction* CMainFrame::AddAction(int id, QKeySequence shortcut)
{
    auto* action = new QAction(MenuText(id), this);
    action->setShortcut(shortcut);
    action->setStatusTip(Prompt(id));
    const QString tip = ToolTip(id);
    if (!tip.isEmpty())
        action->setToolTip(tip);
    SetHelpContext(action, id);
    actions_[id] = action;
    return action;
}

void CMainFrame::CreateActions()
{
    connect(AddAction(cmd::FileNew, QKeySequence::New), &QAction::triggered, this, [this] { NewJob(); });
    connect(AddAction(cmd::FileOpen, QKeySequence::Open), &QAction::triggered, this, &CMainFrame::OnOpen);
    connect(AddAction(cmd::FileClose), &QAction::triggered, this, [this] { mdi_->closeActiveSubWindow(); });
    Action(cmd::FileClose)->setShortcuts(QKeySequence::Close);
    connect(AddAction(cmd::FileSave, QKeySequence::Save), &QAction::triggered, this, [this] {
        if (CChildFrame* job = ActiveJob())
            SaveJob(*job, false);
    });
    connect(AddAction(cmd::FileSaveAs), &QAction::triggered, this, [this] {
        if (CChildFrame* job = ActiveJob())
            SaveJob(*job, true);
    });
    connect(AddAction(cmd::FilePrintSetup), &QAction::triggered, this, [this] {
        QPrintDialog dialog(&app_.Printer().Printer(), this);
        dialog.exec();
    });
    connect(AddAction(cmd::Optimise, Qt::Key_F9), &QAction::triggered, this, [this] {
        if (CChildFrame* job = ActiveJob())
            OptimiseJob(*job);
    });
    connect(AddAction(cmd::ExportRtf), &QAction::triggered, this, [this] {
        if (CChildFrame* job = ActiveJob()) {
            job->GetView().StoreActivePage();
            ExportReport(job->GetDocument(), {app_.Messages(), app_.Shell(), app_.Printer(), app_.Paths()});
        }
    });
    connect(AddAction(cmd::FilePrintPreview), &QAction::triggered, this, [this] { OnPreview(DescribeReport, ""); });
    connect(AddAction(cmd::FilePrint, QKeySequence::Print), &QAction::triggered, this, [this] {
        if (const CVellicorDoc* doc = ResultOfActiveJob())
            PrintWithDialog(DescribeReport(*doc), app_.Printer().Printer(), this);
    });
    connect(AddAction(cmd::ExportPdf), &QAction::triggered, this, [this] {
        if (const CVellicorDoc* doc = ResultOfActiveJob())
            ExportPdfWithDialog(DescribeReport(*doc), app_.Printer().Printer(), PdfPathFor(*doc, ""), app_.Messages(),
                                this);
    });
    connect(AddAction(cmd::KnifeSheet), &QAction::triggered, this, [this] { OnPreview(DescribeKnifeSheet, "-knives"); });
    connect(AddAction(cmd::FileSendMail), &QAction::triggered, this, &CMainFrame::OnSendMail);
    connect(AddAction(cmd::AppExit), &QAction::triggered, this, &QWidget::close);

    connect(AddAction(cmd::EditUndo, QKeySequence::Undo), &QAction::triggered, this,
            [] { EditFocused("undo", [](CSGridWnd& grid) { grid.UndoStack()->undo(); }); });
    connect(AddAction(cmd::EditCut, QKeySequence::Cut), &QAction::triggered, this,
            [] { EditFocused("cut", [](CSGridWnd& grid) { grid.Cut(); }); });
    connect(AddAction(cmd::EditCopy, QKeySequence::Copy), &QAction::triggered, this,
            [] { EditFocused("copy", [](CSGridWnd& grid) { grid.Copy(); }); });
    connect(AddAction(cmd::EditPaste, QKeySequence::Paste), &QAction::triggered, this,
            [] { EditFocused("paste", [](CSGridWnd& grid) { grid.Paste(); }); });

    AddAction(cmd::ViewToolbar)->setCheckable(true);
    AddAction(cmd::ViewStatusBar)->setCheckable(true);
    connect(Action(cmd::ViewStatusBar), &QAction::toggled, statusBar(), &QWidget::setVisible);

    connect(AddAction(cmd::UnitSettings), &QAction::triggered, this, &CMainFrame::OnUnitSettings);
    QAction* qty = AddAction(cmd::QtyByLength);
    qty->setCheckable(true);
    connect(qty, &QAction::triggered, this, &CMainFrame::OnToggleQtyByLength);
    connect(AddAction(cmd::CustomiseHeader), &QAction::triggered, this,
            [this] { CustomiseHeader(app_.Paths(), app_.Shell(), app_.Messages()); });
    connect(AddAction(cmd::CutSettings), &QAction::triggered, this, &CMainFrame::OnCutSettings);
    connect(AddAction(cmd::ManageInventory), &QAction::triggered, this,
            [this] { app_.Inventory().ManageInventory(app_.InventoryDialogs()); });
    connect(AddAction(cmd::MaterialLibrary), &QAction::triggered, this, &CMainFrame::OnMaterialLibrary);
    connect(AddAction(cmd::ViewStockUsed, Qt::Key_F4), &QAction::triggered, this,
            [this] { app_.Inventory().ViewStockUsed(app_.InventoryDialogs()); });

    connect(AddAction(cmd::WindowCascade), &QAction::triggered, mdi_, &QMdiArea::cascadeSubWindows);
    connect(AddAction(cmd::WindowTile), &QAction::triggered, mdi_, &QMdiArea::tileSubWindows);
    connect(AddAction(cmd::WindowArrange), &QAction::triggered, mdi_, &QMdiArea::tileSubWindows);

    // F1 and Shift+F1 are handled application-wide, so that they work in dialogs too.
    connect(AddAction(cmd::HelpTopics), &QAction::triggered, this, [this] { app_.Help().ShowContents(); });
    connect(AddAction(cmd::ContextHelp), &QAction::triggered, this, [this] { app_.Help().EnterContextMode(); });
    connect(AddAction(cmd::TipOfTheDay), &QAction::triggered, this, [this] { app_.ShowTipOfTheDay(); });
    const std::pair<int, int> links[] = {{cmd::LinkSupport, ids::SupportPage}, {cmd::LinkDemos, ids::DownloadPage},
                                         {cmd::LinkWebsite, ids::ProductWebsite}, {cmd::LinkOrder, ids::OrderPage}};
    for (auto [command, address] : links)
        connect(AddAction(command), &QAction::triggered, this, [this, address] { app_.OpenWebLink(address); });
    connect(AddAction(cmd::AppAbout), &QAction::triggered, this, [this] { app_.ShowAbout(); });

    for (int i = 0; i < kRecentFiles; ++i) {
        auto* recent = new QAction(this);
        recent->setVisible(false);
        connect(recent, &QAction::triggered, this, [this, recent] { OpenJob(recent->data().toString()); });
        recentActions_.append(recent);
    }
}

void CMainFrame::CreateMenus()
{
    struct MenuDef {
        int title;
        bool jobOnly;
        std::vector<int> entries;  // kSeparator between groups; -1 marks the recent files
    };
    const MenuDef jobMenu[] = {
        {kMenuFile, false, {cmd::FileNew, cmd::FileOpen, cmd::FileClose, cmd::FileSave, cmd::FileSaveAs, kSeparator,
                            cmd::FilePrintPreview, cmd::FilePrint, cmd::FilePrintSetup, kSeparator, cmd::Optimise,
                            cmd::ExportRtf, cmd::ExportPdf, kSeparator,
                            cmd::FileSendMail, kSeparator, -1, cmd::AppExit}},
        {kMenuEdit, true, {cmd::EditUndo, kSeparator, cmd::EditCut, cmd::EditCopy, cmd::EditPaste}},
        {kMenuView, false, {cmd::ViewToolbar, cmd::ViewStatusBar}},
        {kMenuTool, false, {cmd::UnitSettings, cmd::QtyByLength, cmd::CustomiseHeader, cmd::CutSettings, cmd::KnifeSheet,
                            kSeparator, cmd::ManageInventory, cmd::MaterialLibrary, cmd::ViewStockUsed}},
        {kMenuWindow, true, {cmd::WindowCascade, cmd::WindowTile, cmd::WindowArrange}},
        {kMenuHelp, false, {cmd::HelpTopics, cmd::TipOfTheDay, kSeparator, cmd::LinkSupport, cmd::LinkDemos,
                            cmd::LinkWebsite, cmd::LinkOrder, kSeparator, cmd::AppAbout}},
    };
    // The no-job menu leaves out what needs a job.
    const std::vector<int> jobCommands = {cmd::FileClose, cmd::FileSave, cmd::FileSaveAs, cmd::Optimise,
                                          cmd::ExportRtf, cmd::FileSendMail, cmd::UnitSettings, cmd::QtyByLength,
                                          cmd::CustomiseHeader, cmd::CutSettings, cmd::FilePrintPreview,
                                          cmd::FilePrint, cmd::ExportPdf, cmd::KnifeSheet};

    for (int withJob = 0; withJob < 2; ++withJob) {
        for (const MenuDef& def : jobMenu) {
            if (def.jobOnly && !withJob)
                continue;
            auto* menu = new QMenu(Text(cmd::MenuTitleBase + def.title), this);
            bool pendingSeparator = false;
            for (int id : def.entries) {
                if (!withJob && std::find(jobCommands.begin(), jobCommands.end(), id) != jobCommands.end())
                    continue;
                if (id == kSeparator) {
                    pendingSeparator = !menu->actions().isEmpty();
                    continue;
                }
                if (pendingSeparator)
                    menu->addSeparator();
                pendingSeparator = false;
                if (id == -1) {
                    menu->addActions(recentActions_);
                    menu->addSeparator();
                } else {
                    menu->addAction(Action(id));
                }
            }
            if (def.title == kMenuWindow) {
                windowMenu_ = menu;
                connect(menu, &QMenu::aboutToShow, this, [this] {
                    // The open jobs follow the fixed entries, the active one checked.
                    for (QAction* a : windowMenu_->actions())
                        if (a->data().isValid())
                            windowMenu_->removeAction(a);
                    int n = 0;
                    for (CChildFrame* job : Jobs()) {
                        QAction* a = windowMenu_->addAction(QString("&%1 %2").arg(++n).arg(job->windowTitle()));
                        a->setData(n);
                        a->setCheckable(true);
                        a->setChecked(job == ActiveJob());
                        connect(a, &QAction::triggered, this, [this, job] { mdi_->setActiveSubWindow(job); });
                    }
                });
            }
            (withJob ? jobMenus_ : noJobMenus_).append(menu);
        }
    }
    UpdateRecentFiles();
}

void CMainFrame::CreateToolBar()
{
    QToolBar* bar = addToolBar(Text(cmd::MenuTitleBase + kMenuView));
    bar->setObjectName("ToolBar");
    bar->setIconSize(QSize(32, 32));
    struct Button {
        int id;
        const char* icon;
    };
    const Button buttons[] = {{cmd::FileNew, "new"},          {cmd::FileOpen, "open"},
                              {cmd::FileSave, "save"},        {kSeparator, nullptr},
                              {cmd::CustomiseHeader, "header"}, {cmd::MaterialLibrary, "material"},
                              {cmd::CutSettings, "cutsettings"}, {kSeparator, nullptr},
                              {cmd::Optimise, "optimise"},    {cmd::ExportRtf, "rtf"},
                              {kSeparator, nullptr},          {cmd::AppAbout, "about"},
                              {cmd::ContextHelp, "contexthelp"}};
    for (const Button& b : buttons) {
        if (b.id == kSeparator) {
            bar->addSeparator();
            continue;
        }
        QAction* action = Action(b.id);
        action->setIcon(QIcon(QString(":/icons/%1.svg").arg(b.icon)));
        bar->addAction(action);
    }
    QAction* toggle = Action(cmd::ViewToolbar);
    toggle->setChecked(true);
    connect(toggle, &QAction::toggled, bar, &QWidget::setVisible);
    Action(cmd::ViewStatusBar)->setChecked(true);
}

void CMainFrame::UpdateMenus()
{
    CChildFrame* job = ActiveJob();
    const bool withJob = job != nullptr;
    if (withJob != jobMenuShown_ || menuBar()->actions().isEmpty()) {
        menuBar()->clear();
        for (QMenu* menu : withJob ? jobMenus_ : noJobMenus_)
            menuBar()->addMenu(menu);
        jobMenuShown_ = withJob;
    }
    for (int id : {cmd::FileSave, cmd::Optimise, cmd::ExportRtf, cmd::CutSettings, cmd::CustomiseHeader,
                   cmd::FilePrintPreview, cmd::FilePrint, cmd::ExportPdf, cmd::KnifeSheet})
        Action(id)->setEnabled(withJob);
    Action(cmd::FileSendMail)->setEnabled(withJob && !QStandardPaths::findExecutable("xdg-email").isEmpty());
    Action(cmd::QtyByLength)->setChecked(withJob && job->GetDocument().QtyByLength == 1);
}

void CMainFrame::UpdateRecentFiles()
{
    QStringList files;
    for (int i = 1; i <= kRecentFiles; ++i) {
        const std::string f = app_.Store().GetProfileString("Recent File List", "File" + std::to_string(i), "");
        if (!f.empty())
            files.append(QString::fromStdString(f));
    }
    for (int i = 0; i < kRecentFiles; ++i) {
        QAction* a = recentActions_[i];
        a->setVisible(i < files.size());
        if (i < files.size()) {
            a->setText(QString("&%1 %2").arg(i + 1).arg(QFileInfo(files[i]).fileName()));
            a->setData(files[i]);
            a->setStatusTip(files[i]);
        }
    }
}

void CMainFrame::AddRecentFile(const QString& path)
{
    QStringList files{QFileInfo(path).absoluteFilePath()};
    for (int i = 1; i <= kRecentFiles; ++i) {
        const QString f = QString::fromStdString(
            app_.Store().GetProfileString("Recent File List", "File" + std::to_string(i), ""));
        if (!f.isEmpty() && !files.contains(f))
            files.append(f);
    }
    for (int i = 0; i < kRecentFiles && i < files.size(); ++i)
        app_.Store().WriteString("Recent File List", "File" + std::to_string(i + 1), files[i].toStdString());
    UpdateRecentFiles();
}

CChildFrame* CMainFrame::AddJobWindow(std::unique_ptr<CVellicorDoc> doc)
{
    auto* job = new CChildFrame(*this, std::move(doc));
    connect(job, &QWidget::windowTitleChanged, this, &CMainFrame::UpdateTitle);
    mdi_->addSubWindow(job);
    job->showMaximized();
    mdi_->setActiveSubWindow(job);
    UpdateMenus();
    return job;
}

CChildFrame* CMainFrame::NewJob()
{
    auto doc = std::make_unique<CVellicorDoc>(app_.Store());
    doc->SetTitle(DocTypeField(1).toStdString() + std::to_string(app_.NextDocumentNumber()));
    return AddJobWindow(std::move(doc));
}

CChildFrame* CMainFrame::OpenJob(const QString& path)
{
    const QString full = QFileInfo(path).absoluteFilePath();
    for (CChildFrame* job : Jobs()) {
        if (QString::fromStdString(job->GetDocument().GetPathName()) == full) {
            mdi_->setActiveSubWindow(job);
            return job;
        }
    }
    LoadedJob loaded = LoadJobFile(full.toStdString(), app_.Store());
    if (!loaded.doc) {
        app_.Messages().Tell(loaded.errorId, {full.toStdString()}, MessageIcon::Error);
        return nullptr;
    }
    AddRecentFile(full);
    return AddJobWindow(std::move(loaded.doc));
}

// Where no window manager hands the activation back when a dialog goes, the window's shortcuts
// would be dead until the planner clicked into it.
void CMainFrame::TakeKeysBack()
{
    activateWindow();
}

void CMainFrame::OnOpen()
{
    const QString path = QFileDialog::getOpenFileName(this, QString(), QString(), FileFilter());
    TakeKeysBack();
    if (!path.isEmpty())
        OpenJob(path);
}

bool CMainFrame::SaveJob(CChildFrame& job, bool askForName)
{
    CVellicorDoc& doc = job.GetDocument();
    QString path = QString::fromStdString(doc.GetPathName());
    if (askForName || path.isEmpty()) {
        const QString suggested = path.isEmpty() ? QString::fromStdString(doc.GetTitle()) + ".vcj" : path;
        path = QFileDialog::getSaveFileName(this, QString(), suggested, FileFilter());
        TakeKeysBack();
        if (path.isEmpty())
            return false;
        if (QFileInfo(path).suffix().isEmpty())
            path += ".vcj";
    }
    return SaveJobTo(job, path);
}

bool CMainFrame::SaveJobTo(CChildFrame& job, const QString& path)
{
    CVellicorDoc& doc = job.GetDocument();
    // The page's validation result does not stop the save: its last valid data are written.
    job.GetView().StoreActivePage();
    const int error = SaveJobFile(doc, path.toStdString());
    job.UpdateTitle();
    if (error != 0) {
        app_.Messages().Tell(error, {path.toStdString()}, MessageIcon::Error);
        return false;
    }
    AddRecentFile(path);
    return true;
}

bool CMainFrame::SaveModified(CChildFrame& job)
{
    CVellicorDoc& doc = job.GetDocument();
    if (!doc.IsModified())
        return true;
    switch (app_.Messages().Show(ids::SaveChanges, {doc.GetTitle()}, MessageButtons::YesNoCancel,
                                 MessageIcon::Warning)) {
    case MessageAnswer::Yes:
        return SaveJob(job, false);
    case MessageAnswer::No:
        return true;
    default:
        return false;
    }
}

void CMainFrame::OnToggleQtyByLength()
{
    // The page on show is read in the mode it was filled in, and filled again in the new one.
    if (CChildFrame* job = ActiveJob(); job && job->GetView().StoreActivePage()) {
        CVellicorDoc& doc = job->GetDocument();
        SetQuantitiesByLength(doc, doc.QtyByLength == 0);
        job->GetView().ReloadActivePage();
    }
    UpdateMenus();
}

void CMainFrame::OptimiseJob(CChildFrame& job)
{
    // The page's validation result does not stop the run: it works on what the job holds.
    job.GetView().StoreActivePage();
    if (const auto problem = CheckJob(job.GetDocument())) {
        app_.Messages().Tell(problem->MessageId, problem->Args, MessageIcon::Error);
        return;
    }
    if (OptimiseWithProgress(this, job.GetDocument(), app_.Messages(), LoadEngine(app_.Store())) ==
        EOptimiseEnd::Result) {
        job.GetView().Sheet()->setCurrentIndex(CVellicorView::ResultsTab);
        job.GetView().ReloadActivePage();
    }
}

const CVellicorDoc* CMainFrame::ResultOfActiveJob()
{
    CChildFrame* job = ActiveJob();
    if (!job)
        return nullptr;
    job->GetView().StoreActivePage();
    if (!job->GetDocument().HasResults()) {
        app_.Messages().Tell(kMsgNoResult);
        return nullptr;
    }
    return &job->GetDocument();
}

QString CMainFrame::PdfPathFor(const CVellicorDoc& doc, const QString& suffix) const
{
    const QFileInfo job(QString::fromStdString(doc.GetPathName()));
    const QString base = doc.GetPathName().empty() ? QString::fromStdString(doc.GetTitle()) : job.completeBaseName();
    return QDir(doc.GetPathName().empty() ? QDir::homePath() : job.absolutePath()).filePath(base + suffix + ".pdf");
}

void CMainFrame::OnPreview(ReportContent (*describe)(const CVellicorDoc&), const QString& pdfSuffix)
{
    const CVellicorDoc* doc = ResultOfActiveJob();
    if (!doc)
        return;
    CPrintPreviewDlg dialog(describe(*doc), app_.Printer().Printer(), PdfPathFor(*doc, pdfSuffix), app_.Messages(), this);
    dialog.exec();
}

void CMainFrame::OnCutSettings()
{
    CChildFrame* job = ActiveJob();
    if (!job)
        return;
    CVellicorDoc& doc = job->GetDocument();
    CCutSettingsDlg dialog(doc.Settings, app_.Store(), app_.Messages(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    doc.Settings = dialog.Settings();
    SaveEngine(app_.Store(), dialog.Engine());
    // Layouts were made for the old kerf: every OK discards the result.
    doc.ClearResults();
    job->UpdateTitle();
}

void CMainFrame::OnMaterialLibrary()
{
    CsMaterialDlg dialog(app_.Materials(), kReservedMaterial, app_.Services(), this);
    dialog.exec();
}

void CMainFrame::OnUnitSettings()
{
    CChildFrame* job = ActiveJob();
    if (job)
        job->GetView().StoreActivePage();
    if (EditUnitSettings(app_.Store(), this) && job)
        job->GetView().ReloadActivePage();
}

void CMainFrame::OnSendMail()
{
    CChildFrame* job = ActiveJob();
    if (!job)
        return;
    CVellicorDoc& doc = job->GetDocument();
    job->GetView().StoreActivePage();
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::TempLocation);
    QString name = QString::fromStdString(doc.GetTitle());
    if (!name.endsWith(".vcj", Qt::CaseInsensitive))
        name += ".vcj";
    const QString copy = dir + "/" + name;
    if (WriteFileAtomically(copy.toStdString(), JobFileBytes(doc)) != FileError::None
        || !QProcess::startDetached("xdg-email", {"--attach", copy}))
        app_.Messages().Tell(ids::SendMailFailed, {}, MessageIcon::Error);
}

void CMainFrame::UpdateTitle()
{
    const QString program = Text(ids::AppTitle);
    const CChildFrame* job = ActiveJob();
    const QString title = job ? QString::fromStdString(Strings().Format(
                                    ids::MainTitle, {job->windowTitle().toStdString(), program.toStdString()}))
                              : program;
    if (windowTitle() != title)
        setWindowTitle(title);
}

// A maximised job window puts its own title into the main window's; the job's file name is shown
// our way instead.
void CMainFrame::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowTitleChange)
        UpdateTitle();
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    SaveWindowRect(app_.Store(), normalGeometry());
    for (CChildFrame* job : Jobs()) {
        mdi_->setActiveSubWindow(job);
        if (!job->close()) {
            event->ignore();
            return;
        }
    }
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            OpenJob(url.toLocalFile());
    event->acceptProposedAction();
}

} // namespace vellicor
