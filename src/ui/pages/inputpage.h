#pragma once

#include "ui/pages/page.h"

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

class QHBoxLayout;
class QPushButton;

namespace vellicor {

class CCoilPart;

// A page on which the user types the job's stock or requirements. The page works in the quantity
// mode the grid was loaded in (the job's "Quantities by Length" flag at that time): columns that
// only weight mode uses are hidden in length mode, and what the grid holds is read back in the same
// mode even when the flag changed meanwhile. A pending row gets its derived quantity recomputed
// when the current cell leaves it; a row appended at the end is filled from the row above.
class CSInputPage : public CSPage {
    Q_OBJECT
public:
    static constexpr int kTableTip = 166;
    static constexpr int kCsvFileTitle = 150;
    // The requirement pages' messages.
    static constexpr int kMsgEmptyPartName = 184;
    static constexpr int kMsgZeroPartSize = 185;
    static constexpr int kMsgDuplicatePartName = 186;

    CSInputPage(int templateId, int tipId, CVellicorDoc& doc, UiServices services, QWidget* parent = nullptr);

    bool IsLengthMode() const { return lengthMode_; }

protected:
    struct GridSetup {
        const char* layout;
        std::vector<int> lengthCols;
        std::vector<int> numericExprCols;
        std::vector<int> textExprCols;
        int materialCol;
        // Hidden in length mode.
        std::vector<int> weightModeCols;
        // Entering one of them makes the row pending.
        std::vector<int> pendingCols;
        // What is typed there must read as a number (a length in length columns), and in the
        // second list must not be negative; the user is told at once otherwise.
        std::vector<int> numberCols;
        std::vector<int> nonNegativeCols;
    };

    // One item a CSV file may fill, with its example and the column it goes to.
    struct CsvItem {
        int textId;
        const char* example;
        int col;
    };
    struct CsvImportPlan {
        std::vector<CsvItem> items;
        int captionId;
        const char* section;
        // Values for these columns are lengths in the current unit.
        std::vector<int> lengthCols;
        // The last row takes the first line when these cells are all empty.
        std::vector<int> emptyCols;
    };

    // The grid as `setup` describes it, with the table's tooltip; then the page's buttons go below.
    CSGridWnd* CreateInputGrid(const GridSetup& setup);
    QPushButton* AddButton(int controlId);
    QHBoxLayout* ButtonRow() const { return buttons_; }
    // After the first load: the first cell is current and focused, the column widths come back.
    void FinishInit(const QString& layoutName);

    // Loading starts from `rows` empty rows (at least one) in the job's current mode, with fresh
    // material choices; EndLoad redraws and puts the current cell back where it was.
    void BeginLoad(int rows);
    void EndLoad();

    QString Text(int row, int col) const;
    // The name in column 1, trimmed.
    QString Name(int row) const;
    double Number(int row, int col) const;
    int Integer(int row, int col) const;
    std::string StdText(int row, int col) const;
    void SetNumber(int row, int col, double value);
    void PaintRow(int row, bool flagged);
    void CopyFromRowAbove(int row, std::initializer_list<int> cols);
    // The row where an import starts: the last one when `emptyCols` are all empty there, else a new one.
    int FirstImportRow(const std::vector<int>& emptyCols) const;

    // The thickness a row's quantities are converted with: nominal in length mode.
    double ConversionThickness(int row, int col) const;
    // Recomputes the pending row, if any, and forgets it.
    void RecomputePending();

    // Asks for a file and imports it into the grid as `plan` says.
    void ImportCsv(const CsvImportPlan& plan);

    // The rules of the requirement pages, row by row; the first failure is told and gives false.
    // A row needs a name after the first and where `firstNeedsName` holds; `zeroSize` tells a row
    // that would be stored without its size; names are unique among the rows and, ignoring case,
    // against the job's `others`.
    using Records = std::vector<std::unique_ptr<CCoilPart>>;
    bool ValidateRequirementRows(const std::function<bool(int)>& firstNeedsName, const std::function<bool(int)>& zeroSize,
                                 std::initializer_list<const Records*> others) const;

    // The row's derived quantity from what the user gives in this mode; none by default.
    virtual void RecomputeRow(int /*row*/) {}
    // Row `row` (2 or later) was appended.
    virtual void OnRowAppended(int row) = 0;

private:
    void OnGridNotification(int code);
    void CheckTypedCell(int row, int col, const QString& typed);
    void ImportCsvFile(const CsvImportPlan& plan, const QString& path);

    QHBoxLayout* buttons_ = nullptr;
    int materialCol_ = 0;
    std::vector<int> weightModeCols_;
    std::vector<int> pendingCols_;
    std::vector<int> numberCols_;
    std::vector<int> nonNegativeCols_;
    bool lengthMode_ = true;
    int pending_ = 0;
    // The current cell before a load, kept across it.
    int loadRow_ = 0;
    int loadCol_ = 0;
};

// A derived quantity as the grid shows it: with `decimals` decimals, or with -1 as a plain number;
// empty when it could not be computed (a zero width or thickness).
QString DerivedText(double value, int decimals);

} // namespace vellicor
