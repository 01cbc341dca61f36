#pragma once

#include <QWidget>

class QTabWidget;

namespace vellicor {

class CVellicorDoc;

// The job window's content: the sheet with the tabs "Rolls", "Slits", "Parts" and "Results".
class CVellicorView : public QWidget {
    Q_OBJECT
public:
    static constexpr int ResultsTab = 3;

    explicit CVellicorView(CVellicorDoc& doc, QWidget* parent = nullptr);

    CVellicorDoc& GetDocument() const { return doc_; }
    QTabWidget* Sheet() const { return sheet_; }

    // Moves the active page's data into the document, with its validation; false when it refused.
    bool StoreActivePage();
    // Shows the document's data again, as after a change of units.
    void ReloadActivePage();

private:
    CVellicorDoc& doc_;
    QTabWidget* sheet_;
};

} // namespace vellicor
