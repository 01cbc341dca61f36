#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QWidget>

namespace vellicor {

class CHelpViewer;
class AppPaths;
class IShell;

// Help requests of the whole application: F1 asks for the help of the window with the focus,
// Shift+F1 (What's This?) for the window, toolbar button or menu entry clicked next, and
// ShowHelp for a dialog or command id. All of them open the help viewer, which is made on first
// use, at the matching topic.
class CContextHelp : public QObject {
    Q_OBJECT
public:
    CContextHelp(const AppPaths& paths, IShell& shell);
    ~CContextHelp() override;

    // The viewer is made a child of this window so that it closes with it.
    void SetMainWindow(QWidget* window) { mainWindow_ = window; }

    void ShowHelp(int contextId);
    void ShowContents();
    // What's This?: the next click chooses the help; Escape leaves the mode.
    void EnterContextMode();
    bool InContextMode() const { return contextMode_; }

    // The viewer once a request has made it.
    CHelpViewer* Viewer() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowTopic(int topic);
    void PlaceViewer(QWidget* owner);
    void OnDialogFinished();
    void LeaveContextMode();
    bool OnContextClick(QObject* watched, QPoint pos);

    const AppPaths& paths_;
    IShell& shell_;
    QPointer<QWidget> mainWindow_;
    QPointer<CHelpViewer> viewer_;
    bool contextMode_ = false;
    bool swallowRelease_ = false;
};

} // namespace vellicor
