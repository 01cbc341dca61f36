#pragma once

#include "ui/pages/page.h"
#include "ui/pages/resultservices.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTextEdit;

namespace vellicor {

class CLayoutDrawing;

// The "Results" tab: the layouts in cutting order with their figures and a drawing of the selected
// one, what each requirement got, the result summary and the change cost of the order. Layouts can
// be moved, deleted and edited, and the job booked against the stock inventory. The page never
// computes a result; nothing typed into its grids reaches the job.
class CSResultPage : public CSPage {
    Q_OBJECT
public:
    static constexpr int Id = 303;
    static constexpr int kTabTip = 173;
    static constexpr int kMsgNoResult = 176;
    // Controls of the page, which also number their texts.
    enum Control {
        IdPatternGrid = 1002,
        IdPartGrid = 1003,
        IdSummary = 1013,
        IdEdit = 1049,
        IdDelete = 1066,
        IdUp = 1067,
        IdDown = 1068,
        IdChangeCost = 1069,
        IdUpdateInventory = 1081,
        IdOrderNo = 1083,
    };
    // Columns of the pattern grid.
    enum PatternColumn {
        PatName = 1, PatWidth, PatMaterial, PatThickness, PatWeight, PatRestWidth, PatDetails, PatLength,
        PatUtilisation, PatPartUtilisation, PatFillerUtilisation, PatIndex,
    };

    CSResultPage(CVellicorDoc& doc, UiServices services, ResultServices results, QWidget* parent = nullptr);

    // Loading also shows the order number; storing takes it back and marks the job modified when
    // the pattern grid was typed into, without changing the result.
    bool UpdateData(bool save) override;
    // Both grids, the summary, the change cost and the drawing from the job's result.
    void LoadResults();
    // Index into the job's layouts of the pattern grid's current row; -1 when there is none.
    int GetSelectedLayout() const;

    CSGridWnd* PatternGrid() const { return GetGrid(); }
    CSGridWnd* PartGrid() const { return partGrid_; }
    QTextEdit* Summary() const { return summary_; }
    CLayoutDrawing* Drawing() const { return drawing_; }
    QLabel* ChangeCostText() const { return changeCost_; }
    QLineEdit* OrderNoEdit() const { return orderNo_; }
    QPushButton* Button(int id) const;

protected:
    void OnInitDialog() override;
    void LoadGrid() override;
    // Nothing typed into the page is checked: it never reaches the job.
    bool ValidateGrid() override { return true; }
    void StoreGrid() override;

private:
    // A booked result changes only when the user says so.
    bool MayChangeResult();
    void BuildLayout();
    void LoadPatternGrid();
    void LoadPartGrid();
    // After the user changed the layouts: the job is modified and the page shows it anew.
    void LayoutsChanged();
    void OnPatternNotification(int code);
    void OnPartNotification(int code);
    void ColourRows(CSGridWnd& grid, const QColor& colour);
    void HighlightPartsOf(int layout);
    void ShowSelectedLayout();

    void OnEdit();
    void OnDelete();
    void OnUp();
    void OnDown();
    void OnUpdateInventory();

    ResultServices results_;
    QTextEdit* summary_ = nullptr;
    CSGridWnd* partGrid_ = nullptr;
    CLayoutDrawing* drawing_ = nullptr;
    QLabel* changeCost_ = nullptr;
    QLineEdit* orderNo_ = nullptr;
    int Loaded = 0;
    // While the grids are filled their notifications are not acted upon.
    bool loading_ = false;
};

} // namespace vellicor
