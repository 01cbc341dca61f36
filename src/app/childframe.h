#pragma once

#include <QMdiSubWindow>

#include <memory>

namespace vellicor {

class CMainFrame;
class CVellicorDoc;
class CVellicorView;

// One job window: owns the job document and shows it in its view.
class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    CChildFrame(CMainFrame& frame, std::unique_ptr<CVellicorDoc> doc);
    ~CChildFrame() override;

    CVellicorDoc& GetDocument() const { return *doc_; }
    CVellicorView& GetView() const { return *view_; }

    // Shows the document's title, with a mark while it or the page on show has unsaved changes.
    void UpdateTitle();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    CMainFrame& frame_;
    std::unique_ptr<CVellicorDoc> doc_;
    CVellicorView* view_;
};

} // namespace vellicor
