#pragma once

#include "ui/uiservices.h"

#include <QDialog>

#include <memory>
#include <string>
#include <vector>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace vellicor {

class CCoilPart;
class CLayout;
class CLayoutDrawing;
class CLenEdit;
class CSGridWnd;
class CVellicorDoc;

// The pattern length one step up from `length`, given the extents along the coil of the parts it
// cuts: the smallest multiple of an extent that exceeds `length` + 1, so that the part runs out in
// whole pieces; without parts, `length` + 1.
double LongerPatternLength(double length, const std::vector<double>& extents);
// One step down: the largest multiple of an extent below `length`; `length` itself when there is
// none above 0.
double ShorterPatternLength(double length, const std::vector<double>& extents);

// "Edit Pattern": one layout of the result changed by hand, or a new layout built from it. The
// coil, the items cut side by side with their widths and the pattern length can be changed; the
// remaining width and a drawing follow every change. The job's layouts change only when the dialog
// is closed with "Save Changes..." (the layout is replaced) or "Add As New..." (a layout is
// appended).
class CEditPatternDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int Id = 153;
    // Controls of the dialog, which also number their texts.
    enum Control {
        IdCoil = 1019,
        IdWidth = 1044,
        IdMaterial = 1045,
        IdRemainingWidth = 1046,
        IdGrid = 1048,
        IdAddAsNew = 1050,
        IdPatternLength = 1056,
        IdLonger = 1070,
        IdShorter = 1071,
    };
    enum Column { ColType = 1, ColItem, ColLengthProduced, ColWeightProduced, ColWidth };

    // `layout` indexes the job's layouts.
    CEditPatternDlg(CVellicorDoc& doc, int layout, UiServices services, QWidget* parent = nullptr);

    CSGridWnd* Grid() const { return grid_; }
    QComboBox* CoilList() const { return coils_; }
    QLineEdit* WidthText() const { return width_; }
    QLineEdit* MaterialText() const { return material_; }
    CLenEdit* PatternLengthEdit() const { return patternLength_; }
    QLineEdit* RemainingWidthText() const { return remaining_; }
    CLayoutDrawing* Drawing() const { return drawing_; }
    QPushButton* Button(int id) const;

    double PatternWeight() const { return patternWeightKg_; }
    double RemainingWidth() const { return remainingMm_; }

    // Makes every row consistent with its type and item, and refreshes the figures, the row
    // tooltips, the remaining width and the drawing.
    void Recompute();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Item {
        CCoilPart* part = nullptr;
        int kind = 0;
    };

    void BuildLayout();
    void FillGrid();
    void HideProducedColumns();
    // The first record of that exact name: parts, then slits, then fillers.
    Item FindItem(const QString& name) const;
    const std::vector<std::unique_ptr<CCoilPart>>& Records(int kind) const;
    QString KindText(int kind) const;
    int KindOfText(const QString& text) const;
    QString TypeChoices() const;
    QString ItemChoices(int kind) const;
    // Type and width consistency of one row; its choice lists follow.
    void NormaliseRow(int row);
    // Whether the row's width text shows the item turned (not at its Length).
    bool ShowsRotated(int row, const CCoilPart& part) const;
    std::vector<double> PartExtents() const;
    void SetCoil(int index);
    void ShowCoilTexts();
    void ApplyPatternLength();
    void ShowDrawing();
    std::unique_ptr<CLayout> BuildPattern();

    void OnLonger();
    void OnShorter();
    void OnSaveChanges();
    void OnAddAsNew();

    CVellicorDoc& doc_;
    int layoutIndex_;
    // The chosen coil.
    int coilIndex_ = -1;
    std::string coilMaterial_;
    double coilThickness_ = 0.0;
    double coilWidth_ = 0.0;
    double trimTotal_ = 0.0;
    double patternWeightKg_ = 0.0;
    double patternLengthMm_ = 0.0;
    double remainingMm_ = 0.0;
    std::string originalCoil_;
    bool initialised_ = false;

    QComboBox* coils_;
    QLineEdit* width_;
    QLineEdit* material_;
    CSGridWnd* grid_;
    CLayoutDrawing* drawing_;
    CLenEdit* patternLength_;
    QLineEdit* remaining_;
};

} // namespace vellicor
