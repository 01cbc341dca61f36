#pragma once

#include <QMainWindow>

#include <map>

class QAction;
class QMdiArea;
class QMenu;

namespace vellicor {

class CChildFrame;
class CVellicorApp;
class CVellicorDoc;
struct ReportContent;

// The main window: the job windows in a multiple-document area, the menus (a shorter one while no
// job is open), the toolbar and the status bar.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(CVellicorApp& app);
    ~CMainFrame() override;

    CVellicorApp& App() const { return app_; }
    QMdiArea* MdiArea() const { return mdi_; }
    QAction* Action(int commandId) const;
    CChildFrame* ActiveJob() const;
    QList<CChildFrame*> Jobs() const;

    // File New: an empty job titled Vellicor1, Vellicor2, ...
    CChildFrame* NewJob();
    // Opens a job file in a new window; nullptr (after telling the user) when it cannot be read.
    CChildFrame* OpenJob(const QString& path);
    // Save (or Save As when asked or when the job has no file yet); false when nothing was saved.
    bool SaveJob(CChildFrame& job, bool askForName);
    // Stores the active page, then writes the job to `path`; tells the user when that failed.
    bool SaveJobTo(CChildFrame& job, const QString& path);
    // Before a modified job is closed: asks whether to save it; false when the user cancelled or the
    // save failed.
    bool SaveModified(CChildFrame& job);
    // Optimise: the run goes on a worker thread behind a progress dialog that can stop it.
    void OptimiseJob(CChildFrame& job);

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QAction* AddAction(int id, QKeySequence shortcut = {});
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void UpdateMenus();
    // "file - program" for the active job, the program's name alone without one.
    void UpdateTitle();
    void UpdateRecentFiles();
    void AddRecentFile(const QString& path);
    CChildFrame* AddJobWindow(std::unique_ptr<CVellicorDoc> doc);

    void TakeKeysBack();
    void OnOpen();
    void OnToggleQtyByLength();
    // The active job after storing its page, when it has a result; else null, told to the user.
    const CVellicorDoc* ResultOfActiveJob();
    // Beside the job file, named after it with `suffix`; in the home folder for a job not yet saved.
    QString PdfPathFor(const CVellicorDoc& doc, const QString& suffix) const;
    void OnPreview(ReportContent (*describe)(const CVellicorDoc&), const QString& pdfSuffix);
    void OnCutSettings();
    void OnMaterialLibrary();
    void OnUnitSettings();
    void OnSendMail();

    CVellicorApp& app_;
    QMdiArea* mdi_;
    std::map<int, QAction*> actions_;
    QList<QMenu*> noJobMenus_;
    QList<QMenu*> jobMenus_;
    QList<QAction*> recentActions_;
    QMenu* windowMenu_ = nullptr;
    bool jobMenuShown_ = false;
};

} // namespace vellicor
