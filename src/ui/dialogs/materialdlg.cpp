#include "ui/dialogs/materialdlg.h"

#include "inventory/inventory.h"
#include "inventory/inventorylock.h"
#include "inventory/matedb.h"
#include "platform/stringids.h"
#include "platform/usermessages.h"
#include "ui/dialogs/dialogbuttons.h"
#include "ui/grid/gridwnd.h"
#include "ui/helpcontext.h"
#include "ui/uitext.h"
#include "units/codepage.h"
#include "units/numtext.h"
#include "units/textutil.h"

#include <QItemSelectionModel>
#include <QVBoxLayout>

#include <cstdio>
#include <filesystem>

namespace vellicor {
namespace {

const QColor kReservedColour{0, 255, 255};

QString FloatText(float value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.7g", static_cast<double>(value));
    return QString::fromLatin1(text);
}

} // namespace

CsMaterialDlg::CsMaterialDlg(CsMateDb& library, std::string reservedCode, UiServices services, QWidget* parent)
    : CBoldFontDlg(parent), library_(library), reservedCode_(std::move(reservedCode)), services_(services),
      grid_(new CSGridWnd(QStringLiteral("IDR_DB_MATE_OGL"), services, this))
{
    setWindowTitle(UiText(DialogTextId(Id)));
    SetHelpContext(this, Id);
    grid_->setObjectName(QString::number(IdGrid));
    grid_->SetStyleRange(CGridRange::Cols(ColMinOffcutLength, ColMinOffcutWidth),
                         CGridStyle().SetControl(CellControl::LenEdit));
    // Only the name, the code and the offcut width are the user's to see.
    grid_->HideCols(ColDensity, ColMinOffcutLength);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_, 1);
    layout->addWidget(CreateOkCancel(this, Id));
    resize(440, 360);

    connect(grid_, &CSGridWnd::Notification, this, [this](int code) {
        if (code == NotifyDeletingRows)
            OnDeletingRows();
    });
    FillGrid();
}

bool CsMaterialDlg::IsReservedRow(int row) const
{
    return grid_->GetValue(row, ColCode).compare(QString::fromStdString(reservedCode_), Qt::CaseInsensitive) == 0;
}

void CsMaterialDlg::FillGrid()
{
    const int rows = static_cast<int>(library_.Records.size());
    // An empty library still needs a row to type into; a row left blank is no material.
    grid_->SetRowCount(std::max(rows, 1));
    for (int r = 1; r <= rows; ++r) {
        const CsMaterialRec& rec = library_.Records[static_cast<std::size_t>(r - 1)];
        grid_->SetValue(r, ColName, QString::fromStdString(rec.Name));
        grid_->SetValue(r, ColCode, QString::fromStdString(ToLowerCp1252Letters(rec.Code)));
        grid_->SetValue(r, ColDensity, FloatText(rec.Density));
        grid_->SetValue(r, ColCostPerKg, FloatText(rec.CostPerKg));
        grid_->SetValue(r, ColMinOffcutLength, FloatText(rec.MinOffcutLength));
        grid_->SetValue(r, ColMinOffcutWidth, FloatText(rec.MinOffcutWidth));
        if (IsReservedRow(r))
            grid_->SetStyleRange(CGridRange::Cell(r, ColCode), CGridStyle().SetInterior(kReservedColour).SetReadOnly(true));
    }
}

void CsMaterialDlg::OnDeletingRows()
{
    for (int r = 1; r <= grid_->GetRowCount(); ++r) {
        if (grid_->selectionModel()->isRowSelected(r - 1, QModelIndex()) && IsReservedRow(r)) {
            grid_->SetDeleteProceed(false);
            services_.messages.Tell(kMsgReservedRow, {reservedCode_}, MessageIcon::Warning);
            return;
        }
    }
}

void CsMaterialDlg::accept()
{
    grid_->TransferCurrentCell();
    CsMateDb edited = library_;
    edited.Records.clear();
    for (int r = 1; r <= grid_->GetRowCount(); ++r) {
        if (grid_->IsRowBlank(r))
            continue;
        auto number = [this, r](int col) { return static_cast<float>(grid_->GetNumber(r, col)); };
        CsMaterialRec rec;
        rec.Name = grid_->GetValue(r, ColName).toStdString();
        rec.Code = ToLowerCp1252Letters(grid_->GetValue(r, ColCode).toStdString());
        rec.Density = number(ColDensity);
        rec.CostPerKg = number(ColCostPerKg);
        rec.MinOffcutLength = number(ColMinOffcutLength);
        rec.MinOffcutWidth = number(ColMinOffcutWidth);
        edited.Records.push_back(std::move(rec));
    }
    const std::string path = library_.PathName();
    std::unique_ptr<DirectoryLock> lock;
    if (!path.empty()) {
        lock = LockInventory(std::filesystem::u8path(path).parent_path().string(), services_.messages);
        if (!lock)
            return;
        // Saving over another planner's library saved meanwhile would lose it.
        if (library_.ChangedOnDisk()) {
            if (services_.messages.Ask(ids::FileChangedSinceLoaded, MessageButtons::YesNo, {path}) == MessageAnswer::Yes) {
                library_.Open(path, services_.messages);
                FillGrid();
            }
            return;
        }
    }
    // A library that came from no file lives in the database store, if there is one.
    const bool saved = path.empty() && services_.inventory
        ? services_.inventory->SaveMaterialLibrary(edited) == kInventoryDone
        : edited.Save(services_.messages);
    if (!saved)
        return;
    library_ = std::move(edited);
    services_.messages.Tell(kMsgRestart);
    QDialog::accept();
}

} // namespace vellicor
