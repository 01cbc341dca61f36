#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vellicor {

// Lines taken from the start of a file to detect its layout and to preview it.
inline constexpr int kCsvLinesRead = 17;

// The characters one read takes at most; a longer line goes on as the next line.
inline constexpr int kCsvMaxReadChars = 1023;

// The lines of a delimited file, each with surrounding blanks removed. The bytes are decoded as
// UTF-8 when they are valid UTF-8 (a byte-order mark is dropped), otherwise as code page 1252.
// A line of more than kCsvMaxReadChars characters is cut into several lines.
std::vector<std::string> ReadCsvLines(std::string_view bytes);

// Number of empty lines before the first non-empty one.
int CountLeadingBlankLines(const std::vector<std::string>& lines);

struct CsvLayout {
    std::string delimiter = ",";
    int skipLines = 0;
    bool hasHeaders = false;
};

// The layout of a file from its first lines (at most kCsvLinesRead of them). The delimiter is the
// first of ",", ":", tab, ";", space and "::" that splits the first and the middle line, or the
// middle and the last line, into the same number of fields (more than one); a one-character
// candidate equal to `decimalPoint` is not tried. SkipLines counts the leading blank lines and the
// lines after them up to the first one with the middle line's field count; the line after the
// skipped ones holds headers unless more than one of its fields is a number above 0.
CsvLayout DetectCsvLayout(const std::vector<std::string>& lines, char decimalPoint);

} // namespace vellicor
