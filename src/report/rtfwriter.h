#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vellicor {

class IPrinterMetrics;

// The page width used when no printer is known, in twips.
inline constexpr int kDefaultPageWidth = 8736;

// One column of a table as the report declares it: relative width, alignment letter 'l' or 'r'.
struct RtfColumn {
    const char* Title;
    std::uint16_t Width;
    char Align;
};

// A text made safe for RTF: backslash and braces escaped, tabs as \tab and line breaks as \line,
// other control characters dropped, characters of code page 1252 above 127 as \'hh, all others as
// \uN with a "?" fallback. The result is ASCII.
std::string EscapeRtfText(std::string_view utf8);

// Writes the reports' RTF: a prolog, headings and bordered tables scaled to the page width.
// Headings and column titles are escaped here, whatever a language pack makes of them; cells are
// written as given (the caller escapes user data); the document is built in memory and written
// as code page 1252 bytes on Close, replacing the old file only when the whole write succeeds.
class CRtfWriter {
public:
    // `printer` may be null: no printer known.
    explicit CRtfWriter(std::string path, const IPrinterMetrics* printer = nullptr);
    CRtfWriter(const CRtfWriter&) = delete;
    CRtfWriter& operator=(const CRtfWriter&) = delete;
    // Finishes the document if Close was not called.
    ~CRtfWriter();

    // False when the file cannot be written: its folder is missing, or it exists and cannot be
    // opened for writing (typically another program holds it).
    bool Open();
    // Writes the closing "}" and the file; false when the file could not be written. Does nothing
    // (and returns true) when the writer is not open.
    bool Close();

    // The default prolog, or the header file's content before its last "}" when that file exists,
    // can be read and has one. An empty path means the default.
    void WriteProlog(const std::string& headerPath);
    void WriteTitle(std::string_view text);
    void WriteSectionHeading(std::string_view text);
    // Starts a table and writes its header row.
    void BeginTable(std::span<const RtfColumn> columns);
    // One body row, one text per column; nothing for no cells.
    void WriteRow(std::span<const std::string> cells);
    void EndTable();

private:
    std::vector<char> columnAligns_;
    std::string bodyCellDefs_;
    std::string content_;
    std::string path_;
    int pageWidth_ = kDefaultPageWidth;
    bool open_ = false;
};

// The prolog written when no usable header file is given.
std::string_view DefaultRtfProlog();

} // namespace vellicor
