#pragma once

#include "ui/pages/resultservices.h"
#include "ui/pages/sheet.h"
#include "ui/uiservices.h"

#include <QWidget>

namespace vellicor {

class CVellicorDoc;

// The job window's content: the sheet with the tabs "Rolls", "Slits", "Parts" and "Results".
class CVellicorView : public QWidget {
    Q_OBJECT
public:
    static constexpr int ResultsTab = 3;

    // `results` serve the Results page.
    CVellicorView(CVellicorDoc& doc, UiServices services, ResultServices results, QWidget* parent = nullptr);

    CVellicorDoc& GetDocument() const { return doc_; }
    CSSheet* Sheet() const { return sheet_; }

    // Moves the active page's data into the document, with its validation; false when it refused.
    bool StoreActivePage();
    // Shows the document's data again, as after a change of units.
    void ReloadActivePage();
    // Whether the active page holds edits not yet stored into the document.
    bool HasUnstoredEdits() const;

protected:
    void showEvent(QShowEvent* event) override;

signals:
    // A page wrote into the document.
    void DocumentChanged();
    // A page took edits it has not stored yet.
    void Edited();

private:
    CVellicorDoc& doc_;
    CSSheet* sheet_;
};

} // namespace vellicor
