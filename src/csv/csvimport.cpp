#include "csv/csvimport.h"

#include "platform/settingsstore.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"
#include "platform/usermessages.h"
#include "units/numtext.h"
#include "units/textutil.h"

#include <algorithm>

namespace vellicor {
namespace {

constexpr const char* kMappedColumnNos = "MappedColumnNos";
constexpr const char* kMappedColumnDefaults = "MappedColumnDefaults";
constexpr const char* kDelimiterStr = "DelimiterStr";
constexpr const char* kFirstHeaderSkipLines = "FirstHeaderSkipLines";
constexpr const char* kSeparator = "::";

CCsvImport::Radio RadioOf(const std::string& delimiter)
{
    if (delimiter == ",")
        return CCsvImport::RadioComma;
    if (delimiter == "\t")
        return CCsvImport::RadioTab;
    if (delimiter == " ")
        return CCsvImport::RadioSpace;
    return CCsvImport::RadioOther;
}

std::string HeaderSkipText(bool hasHeaders, int skipLines)
{
    return std::to_string(hasHeaders ? 1 : 0) + kSeparator + std::to_string(skipLines) + kSeparator;
}

bool IsAsciiLetterOrDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// One character of UTF-8 text, whatever its number of bytes.
bool IsOneCharacter(const std::string& text)
{
    if (text.empty())
        return false;
    const auto lead = static_cast<unsigned char>(text[0]);
    const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    return text.size() == length;
}

int ReadErrorMessage(FileError error)
{
    switch (error) {
    case FileError::NotFound:
        return ids::FileNotFound;
    case FileError::AccessDenied:
        return ids::ReadAccessDenied;
    default:
        return ids::ReadError;
    }
}

} // namespace

std::string ExpandDefaultText(const std::string& text, const std::vector<std::string>& fields, int rowNo)
{
    if (text.find('$') == std::string::npos)
        return text;
    // One pass over the text, so that a field holding "$1" is not expanded again (repeated
    // replacement over substituted text can grow without bound).
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] != '$') {
            out += text[i++];
            continue;
        }
        if (i + 1 < text.size() && text[i + 1] == 'N') {
            out += std::to_string(rowNo);
            i += 2;
            continue;
        }
        // The longest run of digits after "$" that names a field.
        std::size_t best = 0;
        std::size_t field = 0;
        if (i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
            std::size_t value = 0;
            for (std::size_t j = i + 1; j < text.size() && text[j] >= '0' && text[j] <= '9'; ++j) {
                value = value * 10 + static_cast<std::size_t>(text[j] - '0');
                if (value > fields.size())
                    break;
                best = j - i;
                field = value;
            }
        }
        if (best == 0) {
            out += text[i++];
            continue;
        }
        out += fields[field - 1];
        i += 1 + best;
    }
    return out;
}

CCsvImport::CCsvImport(std::vector<std::string> items, std::vector<std::string> examples, std::string caption,
                       std::string file, std::string section, ISettingsStore& settings, IUserMessages& messages)
    : items_(std::move(items)),
      examples_(std::move(examples)),
      caption_(std::move(caption)),
      file_(std::move(file)),
      section_(std::move(section)),
      settings_(settings),
      messages_(messages),
      columns_(items_.size(), 0),
      defaults_(items_.size())
{
    examples_.resize(items_.size());
}

FileError CCsvImport::ReadFile()
{
    std::string bytes;
    const FileError error = ReadWholeFile(file_, bytes);
    Load(error == FileError::None ? std::string_view(bytes) : std::string_view());
    fileError_ = error;
    return error;
}

void CCsvImport::SetContent(std::string_view bytes)
{
    Load(bytes);
    fileError_ = FileError::None;
}

void CCsvImport::Load(std::string_view bytes)
{
    lines_ = ReadCsvLines(bytes);
    const auto read = std::min(lines_.size(), static_cast<std::size_t>(kCsvLinesRead));
    linesRead_.assign(lines_.begin(), lines_.begin() + static_cast<std::ptrdiff_t>(read));
    leadingBlanks_ = CountLeadingBlankLines(linesRead_);

    const CsvLayout layout = DetectCsvLayout(linesRead_, DecimalPointChar());
    SetDelimiter(layout.delimiter);
    skipLines_ = layout.skipLines;
    hasHeaders_ = layout.hasHeaders;
}

void CCsvImport::SetDelimiter(const std::string& delimiter)
{
    delimiter_ = delimiter;
    radio_ = RadioOf(delimiter);
    if (radio_ == RadioOther)
        otherText_ = delimiter;
}

std::pair<int, int> CCsvImport::SkipLinesRange() const
{
    const int last = std::max(static_cast<int>(linesRead_.size()) - 1, 0);
    const int low = std::min(leadingBlanks_, last);
    return {low, std::max(low, std::min(14, last))};
}

void CCsvImport::Open()
{
    std::string savedDelimiter = settings_.GetProfileString(section_, kDelimiterStr, delimiter_);
    if (savedDelimiter.empty())
        savedDelimiter = delimiter_;

    std::vector<std::string> headerSkip;
    SplitString(settings_.GetProfileString(section_, kFirstHeaderSkipLines, HeaderSkipText(hasHeaders_, skipLines_)),
                headerSkip, kSeparator);
    const bool savedHeaders = headerSkip.size() > 0 ? ParseInt(headerSkip[0]) != 0 : hasHeaders_;
    const int savedSkip = headerSkip.size() > 1 ? ParseInt(headerSkip[1]) : skipLines_;
    const auto [low, high] = SkipLinesRange();
    skipLines_ = std::clamp(savedSkip, low, high);

    // A file without a non-blank line has nothing to differ from.
    bool useSaved = true;
    if ((savedDelimiter != delimiter_ || savedHeaders != hasHeaders_)
        && leadingBlanks_ < static_cast<int>(linesRead_.size()))
        useSaved = messages_.Ask(kMsgFormatDiffers, MessageButtons::YesNo) == MessageAnswer::Yes;
    if (useSaved) {
        SetDelimiter(savedDelimiter);
        hasHeaders_ = savedHeaders;
    }

    BuildPreview();
    if (useSaved)
        RestoreMapping();
}

void CCsvImport::BuildPreview()
{
    std::vector<std::string> fields;
    if (skipLines_ < static_cast<int>(linesRead_.size()))
        SplitString(linesRead_[static_cast<std::size_t>(skipLines_)], fields, delimiter_);
    previewColumns_ = static_cast<int>(fields.size());

    const std::string expression = Strings().Text(kTextExpression);
    choices_.assign(1, expression);
    for (std::size_t i = 0; i < fields.size(); ++i)
        choices_.push_back(hasHeaders_ ? Trim(fields[i]) : "Col " + std::to_string(i + 1));

    previewRows_.clear();
    const int first = skipLines_ + (hasHeaders_ ? 1 : 0);
    for (int i = first; i < static_cast<int>(linesRead_.size()) && i < first + kMaxPreviewLines; ++i) {
        SplitString(linesRead_[static_cast<std::size_t>(i)], fields, delimiter_);
        fields.resize(static_cast<std::size_t>(previewColumns_));
        previewRows_.push_back(fields);
    }

    if (choices_.size() < items_.size())
        choices_.resize(items_.size(), expression);
    for (std::size_t i = 0; i < items_.size(); ++i)
        columns_[i] = static_cast<int>(i);
}

void CCsvImport::RestoreMapping()
{
    std::string defaultNos;
    for (std::size_t i = 0; i < items_.size(); ++i)
        defaultNos += std::to_string(i) + kSeparator;
    std::vector<std::string> nos;
    std::vector<std::string> defaults;
    SplitString(settings_.GetProfileString(section_, kMappedColumnNos, defaultNos), nos, kSeparator);
    SplitString(settings_.GetProfileString(section_, kMappedColumnDefaults,
                                           JoinStrings(std::vector<std::string>(items_.size()), kSeparator)),
                defaults, kSeparator);
    // Too few column numbers would leave items without one, so that count is checked as well.
    if (defaults.size() != items_.size() || nos.size() != items_.size()) {
        messages_.Tell(kMsgSavedMappingInvalid, {}, MessageIcon::Warning);
        return;
    }
    for (std::size_t i = 0; i < items_.size(); ++i) {
        const int column = ParseInt(nos[i]);
        columns_[i] = column >= 1 && column <= previewColumns_ ? column : 0;
        defaults_[i] = defaults[i];
    }
}

std::size_t CCsvImport::FirstImportedLine() const
{
    return static_cast<std::size_t>(skipLines_ + (hasHeaders_ ? 1 : 0));
}

void CCsvImport::SetImportColumn(std::size_t item, int choice)
{
    columns_[item] = choice >= 0 && choice < static_cast<int>(choices_.size()) ? choice : 0;
}

int CCsvImport::ColumnNumber(std::size_t item) const
{
    // Positions past the header's fields are the "<Expression>" padding.
    return columns_[item] <= previewColumns_ ? columns_[item] : 0;
}

void CCsvImport::SelectDelimiter(Radio radio)
{
    std::string delimiter;
    switch (radio) {
    case RadioComma: delimiter = ","; break;
    case RadioTab: delimiter = "\t"; break;
    case RadioSpace: delimiter = " "; break;
    case RadioOther: radio_ = RadioOther; return;
    default: return;
    }
    radio_ = radio;
    if (delimiter != delimiter_) {
        delimiter_ = delimiter;
        BuildPreview();
    }
}

bool CCsvImport::LeaveOtherBox(const std::string& text)
{
    otherText_ = text;
    const std::string delimiter = Trim(text);
    if (delimiter.empty())
        return false;
    if (!IsOneCharacter(delimiter) || IsAsciiLetterOrDigit(delimiter[0])) {
        messages_.Tell(kMsgBadDelimiter, {}, MessageIcon::Warning);
        return false;
    }
    if (delimiter != delimiter_) {
        delimiter_ = delimiter;
        BuildPreview();
    }
    return true;
}

void CCsvImport::SetSkipLines(int skipLines)
{
    const auto [low, high] = SkipLinesRange();
    skipLines = std::clamp(skipLines, low, high);
    if (skipLines != skipLines_) {
        skipLines_ = skipLines;
        BuildPreview();
    }
}

void CCsvImport::SetHasHeaders(bool hasHeaders)
{
    if (hasHeaders != hasHeaders_) {
        hasHeaders_ = hasHeaders;
        BuildPreview();
    }
}

void CCsvImport::SaveSettings()
{
    std::string nos;
    for (std::size_t i = 0; i < items_.size(); ++i)
        nos += std::to_string(ColumnNumber(i)) + kSeparator;
    settings_.WriteString(section_, kMappedColumnNos, nos);
    settings_.WriteString(section_, kMappedColumnDefaults, JoinStrings(defaults_, kSeparator));
    settings_.WriteString(section_, kDelimiterStr, delimiter_);
    settings_.WriteString(section_, kFirstHeaderSkipLines, HeaderSkipText(hasHeaders_, skipLines_));
}

bool CCsvImport::Accept()
{
    if (fileError_ != FileError::None) {
        messages_.Tell(ReadErrorMessage(fileError_), {file_}, MessageIcon::Error);
        return false;
    }
    const auto first = lines_.begin() + std::min(static_cast<std::ptrdiff_t>(FirstImportedLine()),
                                                 static_cast<std::ptrdiff_t>(lines_.size()));
    if (std::all_of(first, lines_.end(), [](const std::string& line) { return line.empty(); })) {
        messages_.Tell(ids::NothingToImport, {file_}, MessageIcon::Warning);
        return false;
    }

    std::string skipped;
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (ColumnNumber(i) == 0 && defaults_[i].empty())
            skipped += items_[i] + ",\n";
    if (!skipped.empty()
        && messages_.Ask(kMsgColumnsWithoutDefaults, MessageButtons::YesNo, {skipped}) == MessageAnswer::Yes)
        return false;

    Import();
    return true;
}

void CCsvImport::Import()
{
    rows_.clear();
    std::vector<std::string> errors;
    int rowNo = 1;
    std::vector<std::string> fields;
    std::vector<std::string> values(items_.size());
    for (std::size_t n = FirstImportedLine(); n < lines_.size(); ++n) {
        const std::string& line = lines_[n];
        if (line.empty())
            continue;
        SplitString(line, fields, delimiter_);
        bool complete = true;
        for (std::size_t i = 0; i < items_.size(); ++i) {
            const int column = ColumnNumber(i);
            if (column == 0) {
                values[i] = ExpandDefaultText(defaults_[i], fields, rowNo);
            } else {
                values[i] = static_cast<std::size_t>(column) <= fields.size() ? fields[static_cast<std::size_t>(column - 1)]
                                                                              : std::string();
                complete = complete && !values[i].empty();
            }
        }
        if (!complete) {
            errors.push_back(line);
            continue;
        }
        for (auto& value : values)
            value.erase(std::remove(value.begin(), value.end(), '"'), value.end());
        rows_.push_back(JoinStrings(values, kSeparator));
        ++rowNo;
    }
    if (!errors.empty())
        messages_.Tell(kMsgLinesSkipped, {std::to_string(errors.size()), JoinStrings(errors, ",\n")},
                       MessageIcon::Warning);
}

} // namespace vellicor
