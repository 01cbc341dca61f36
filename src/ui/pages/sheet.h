#pragma once

#include <QTabWidget>

namespace vellicor {

class CSPage;

// The job window's tabs. Leaving a page stores it and is refused when the page does not validate;
// entering a page loads it.
class CSSheet : public QTabWidget {
    Q_OBJECT
public:
    explicit CSSheet(QWidget* parent = nullptr);

    // Adds a tab with the page's caption and tip and the next tab image; the sheet owns the page.
    void AddPage(CSPage* page);
    int GetPageCount() const { return count(); }
    CSPage* GetPage(int index) const;
    CSPage* GetActivePage() const;
    // False when the active page refused to be left.
    bool SetActivePage(int index);

signals:
    void DocumentChanged();
    void Edited();

private:
    void OnCurrentChanged(int index);

    int active_ = -1;
    bool reverting_ = false;
};

} // namespace vellicor
