#pragma once

#include "ui/dialogs/boldfontdlg.h"
#include "ui/uiservices.h"

#include <string>

namespace vellicor {

class CsMateDb;
class CSGridWnd;

// "Material Library...": the materials in a grid. The row of the reserved code cannot be deleted
// and its code not changed; OK saves the library, which then holds the grid's rows.
class CsMaterialDlg : public CBoldFontDlg {
    Q_OBJECT
public:
    static constexpr int Id = 614;
    static constexpr int IdGrid = 1335;
    static constexpr int kMsgRestart = 180;
    static constexpr int kMsgReservedRow = 61800;

    // Grid columns.
    enum Col { ColName = 1, ColCode, ColDensity, ColCostPerKg, ColMinOffcutLength, ColMinOffcutWidth };

    CsMaterialDlg(CsMateDb& library, std::string reservedCode, UiServices services, QWidget* parent = nullptr);

    CSGridWnd* Grid() const { return grid_; }

    // OK: the library is rebuilt from the grid and saved, with the data directory locked; a library
    // that could not be saved, or whose file changed since it was loaded, stays as it was and the
    // dialog stays open, offering to reload the changed file.
    void accept() override;

private:
    void FillGrid();
    bool IsReservedRow(int row) const;
    void OnDeletingRows();

    CsMateDb& library_;
    std::string reservedCode_;
    UiServices services_;
    CSGridWnd* grid_;
};

} // namespace vellicor
