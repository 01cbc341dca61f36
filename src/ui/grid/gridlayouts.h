#pragma once

#include <QString>

#include <vector>

namespace vellicor {

// The starting shape of a grid: its rows, and its columns with header texts and widths in pixels.
struct CGridLayout {
    struct Column {
        const char* header;
        int width;
    };
    const char* name;
    int rows;
    std::vector<Column> columns;
};

// The layout of that name, or nullptr.
const CGridLayout* FindGridLayout(const QString& name);

// A header as the grid shows it: trimmed, and when a built-in text reads the same, that text as
// the current language gives it.
QString HeaderText(const QString& text);

} // namespace vellicor
