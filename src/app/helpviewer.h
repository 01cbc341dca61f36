#pragma once

#include <QMainWindow>

class QTextBrowser;

namespace vellicor {

class IShell;

// The help window: the program's HTML help pages in a browser with Back, Forward and Contents.
// Links to web pages open in the desktop's browser.
class CHelpViewer : public QMainWindow {
    Q_OBJECT
public:
    CHelpViewer(IShell& shell, QWidget* parent = nullptr);

    // Shows `page` of the help folder `dir`, or says that it is missing.
    void ShowPage(const QString& dir, const QString& page);

    QTextBrowser* Browser() const { return browser_; }
    // The file name of the page shown; empty while the missing-help text is shown.
    QString CurrentPage() const;

private:
    void OnLink(const QUrl& url);

    IShell& shell_;
    QTextBrowser* browser_;
    QString contents_;
    bool missing_ = false;
};

} // namespace vellicor
