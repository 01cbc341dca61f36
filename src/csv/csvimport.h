#pragma once

#include "csv/csvlayout.h"
#include "platform/safefile.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vellicor {

class ISettingsStore;
class IUserMessages;

// The default text of an item on "<Expression>" for one line: "$N" becomes the row number and
// "$1" ... "$m" the line's fields, the highest number that fits first ("$12" is field 12 of a line
// with twelve fields, field 1 followed by "2" of a shorter one). Text put in is not expanded again.
std::string ExpandDefaultText(const std::string& text, const std::vector<std::string>& fields, int rowNo);

// The CSV import behind the import dialog: detects a delimited file's layout, maps its columns to
// the caller's items, keeps the choices in the caller's settings section and makes one row per
// imported line, the item values each followed by "::". The dialog shows the state and passes the
// user's actions on; questions and messages go through IUserMessages.
class CCsvImport {
public:
    static constexpr int kMsgLinesSkipped = 155;
    static constexpr int kMsgColumnsWithoutDefaults = 156;
    static constexpr int kMsgFormatDiffers = 157;
    static constexpr int kMsgSavedMappingInvalid = 158;
    static constexpr int kMsgBadDelimiter = 159;
    static constexpr int kTextExpression = 163;

    // Positions of the delimiter radio buttons.
    enum Radio { RadioComma = 0, RadioTab = 1, RadioSpace = 2, RadioOther = 3 };

    static constexpr int kMaxPreviewLines = 4;

    CCsvImport(std::vector<std::string> items, std::vector<std::string> examples, std::string caption,
               std::string file, std::string section, ISettingsStore& settings, IUserMessages& messages);

    // Reads the file and detects its layout; a file that cannot be read counts as one without lines.
    FileError ReadFile();
    // The same from the file's content.
    void SetContent(std::string_view bytes);

    // What the dialog does when it opens: the saved delimiter and headers flag replace the detected
    // ones (asking first when they differ), the saved SkipLines replaces the detected one, the
    // preview is built and the saved mapping restored.
    void Open();

    const std::vector<std::string>& Items() const { return items_; }
    const std::vector<std::string>& Examples() const { return examples_; }
    const std::string& Caption() const { return caption_; }
    const std::string& File() const { return file_; }

    // The first lines of the file (at most kCsvLinesRead) and the blank ones among them at the start.
    const std::vector<std::string>& LinesRead() const { return linesRead_; }
    int LeadingBlankLines() const { return leadingBlanks_; }

    const std::string& Delimiter() const { return delimiter_; }
    int DelimiterRadio() const { return radio_; }
    bool OtherEnabled() const { return radio_ == RadioOther; }
    const std::string& OtherText() const { return otherText_; }
    int SkipLines() const { return skipLines_; }
    // The values SkipLines can take: from the leading blank lines to the last line read, at most 14.
    std::pair<int, int> SkipLinesRange() const;
    bool HasHeaders() const { return hasHeaders_; }
    bool CombineDuplicates() const { return combineDuplicates_; }

    // "<Expression>" followed by one name per field of the header line, padded with "<Expression>"
    // to the number of items; the names from 1 to PreviewColumnCount() head the preview's columns.
    const std::vector<std::string>& Choices() const { return choices_; }
    int PreviewColumnCount() const { return previewColumns_; }
    const std::vector<std::vector<std::string>>& PreviewRows() const { return previewRows_; }

    // Each item's position in Choices() and its default text.
    int ImportColumn(std::size_t item) const { return columns_[item]; }
    const std::string& DefaultText(std::size_t item) const { return defaults_[item]; }
    void SetImportColumn(std::size_t item, int choice);
    void SetDefaultText(std::size_t item, std::string text) { defaults_[item] = std::move(text); }

    // Comma, tab and space take their delimiter at once; Other only enables its box.
    void SelectDelimiter(Radio radio);
    // Leaving the Other box: a single character that is neither a letter nor a digit becomes the
    // delimiter; other text is refused (with message 159 unless it is empty). True when taken.
    bool LeaveOtherBox(const std::string& text);
    void SetSkipLines(int skipLines);
    void SetHasHeaders(bool hasHeaders);
    void SetCombineDuplicates(bool combine) { combineDuplicates_ = combine; }

    // Writes the mapping, the delimiter and the headers flag with SkipLines to the settings section.
    void SaveSettings();

    // OK: true when the import ran and the dialog may close. False keeps the dialog open: the file
    // could not be read or has no line to import (both told), or the user chose to give defaults.
    bool Accept();

    const std::vector<std::string>& Rows() const { return rows_; }
    int RowCount() const { return static_cast<int>(rows_.size()); }
    const std::string& Row(int index) const { return rows_[static_cast<std::size_t>(index)]; }

private:
    void Load(std::string_view bytes);
    void SetDelimiter(const std::string& delimiter);
    void BuildPreview();
    void RestoreMapping();
    // The column an item imports from: 1 to PreviewColumnCount(), or 0 for "<Expression>".
    int ColumnNumber(std::size_t item) const;
    // Index of the first line after the skipped lines and the header line.
    std::size_t FirstImportedLine() const;
    void Import();

    std::vector<std::string> items_;
    std::vector<std::string> examples_;
    std::string caption_;
    std::string file_;
    std::string section_;
    ISettingsStore& settings_;
    IUserMessages& messages_;

    FileError fileError_ = FileError::None;
    std::vector<std::string> lines_;
    std::vector<std::string> linesRead_;
    int leadingBlanks_ = 0;

    std::string delimiter_ = ",";
    int radio_ = RadioComma;
    std::string otherText_;
    int skipLines_ = 0;
    bool hasHeaders_ = false;
    bool combineDuplicates_ = false;

    std::vector<std::string> choices_;
    int previewColumns_ = 0;
    std::vector<std::vector<std::string>> previewRows_;
    std::vector<int> columns_;
    std::vector<std::string> defaults_;

    std::vector<std::string> rows_;
};

} // namespace vellicor
