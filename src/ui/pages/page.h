#pragma once

#include "ui/uiservices.h"

#include <QWidget>

namespace vellicor {

class CSGridWnd;
class CVellicorDoc;

// A page of the job sheet: one grid that is loaded from the job when the page is shown and
// validated and stored into the job when it is left.
class CSPage : public QWidget {
    Q_OBJECT
public:
    // `templateId` names the page (its caption is that dialog's text) and is its help context;
    // `tipId` is the string of its tab tip.
    CSPage(int templateId, int tipId, CVellicorDoc& doc, UiServices services, QWidget* parent = nullptr);

    CVellicorDoc& GetDocument() const { return doc_; }
    int GetTemplateId() const { return templateId_; }
    QString GetCaption() const;
    virtual QString GetTabTip() const;
    // Null until the page was first shown.
    CSGridWnd* GetGrid() const { return grid_; }

    // The sheet's page protocol: shown (the first time the page initialises itself, which loads
    // it), and left (false keeps the page).
    void OnSetActive();
    bool OnKillActive();
    // Loading fills the grid from the job. Storing commits the edit in progress and validates the
    // grid; only a valid and modified grid is written into the job, which loses its result.
    virtual bool UpdateData(bool save);

    // Gives a control of the page the bold font shared by all pages.
    static void SetBoldFont(QWidget* control);

signals:
    // The page wrote into the job.
    void DocumentChanged();
    // The grid took edits that are not in the job yet.
    void Edited();

protected:
    // Concrete pages create and set up their grid, then call this, which loads the page.
    virtual void OnInitDialog();
    CSGridWnd* CreateGrid(const QString& layout);
    UiServices Services() const { return services_; }

    virtual void LoadGrid() = 0;
    // Tells the user of the first error; false keeps the page.
    virtual bool ValidateGrid() = 0;
    virtual void StoreGrid() = 0;

private:
    int templateId_;
    int tipId_;
    CVellicorDoc& doc_;
    UiServices services_;
    CSGridWnd* grid_ = nullptr;
    bool initialised_ = false;
};

} // namespace vellicor
