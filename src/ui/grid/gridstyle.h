#pragma once

#include <QColor>
#include <QString>

#include <optional>

namespace vellicor {

// How a cell is edited.
enum class CellControl {
    Edit,        // plain text
    LenEdit,     // a length (or an area) in millimetres, shown and typed in the current unit
    ChoiceList,  // a drop-down list of the style's choices
};

// The look and behaviour of a cell. A grid keeps styles for the whole table, for columns, for rows
// and for single cells; a cell's style is made of them in that order, each set field overriding.
struct CGridStyle {
    std::optional<CellControl> control;
    // The choices of a choice list, each followed by "\n".
    std::optional<QString> choices;
    std::optional<bool> readOnly;
    std::optional<QColor> interior;
    std::optional<QString> tooltip;
    // Of a length cell: "A" makes it an area, anything else a length.
    std::optional<QString> lengthOrArea;

    CGridStyle& SetControl(CellControl c) { control = c; return *this; }
    CGridStyle& SetChoices(const QString& c) { choices = c; return *this; }
    CGridStyle& SetReadOnly(bool r) { readOnly = r; return *this; }
    CGridStyle& SetInterior(const QColor& c) { interior = c; return *this; }
    CGridStyle& SetTooltip(const QString& t) { tooltip = t; return *this; }
    CGridStyle& SetLengthOrArea(const QString& a) { lengthOrArea = a; return *this; }

    // Takes every field that `over` sets.
    void Merge(const CGridStyle& over);

    bool IsArea() const { return lengthOrArea.value_or(QString()) == QLatin1String("A"); }
};

// Row colours of the pages.
inline const QColor kNormalRowColour{254, 254, 254};
inline const QColor kFlaggedRowColour{255, 96, 96};
// The corner of a grid whose column widths are kept.
inline const QColor kCornerColour{128, 128, 255};

// A part of a grid a style is set on; rows and columns count from 1.
struct CGridRange {
    enum class Kind { Table, Rows, Cols, Cells };

    Kind kind = Kind::Table;
    int top = 0;
    int left = 0;
    int bottom = 0;
    int right = 0;

    static CGridRange Table() { return {}; }
    static CGridRange Rows(int first, int last) { return {Kind::Rows, first, 0, last, 0}; }
    static CGridRange Cols(int first, int last) { return {Kind::Cols, 0, first, 0, last}; }
    static CGridRange Cell(int row, int col) { return {Kind::Cells, row, col, row, col}; }
    static CGridRange Cells(int top, int left, int bottom, int right) { return {Kind::Cells, top, left, bottom, right}; }
};

} // namespace vellicor
