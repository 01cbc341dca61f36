#include "report/rtfwriter.h"

#include "platform/printer.h"
#include "platform/safefile.h"
#include "units/codepage.h"

#include <filesystem>
#include <fstream>

namespace vellicor {
namespace {

constexpr std::string_view kProlog =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1031{\\fonttbl{\\f0\\fnil\\fcharset0 Times New Roman;}"
    "{\\f1\\fswiss\\fprq2\\fcharset0 Arial;}{\\f2\\fmodern\\fprq1\\fcharset0 Courier New;}} "
    "{\\colortbl;\\red0\\green0\\blue0;\\red0\\green0\\blue255;\\red0\\green255\\blue255;"
    "\\red0\\green255\\blue0;\\red255\\green0\\blue255;\\red255\\green0\\blue0;\\red255\\green255\\blue0;"
    "\\red255\\green255\\blue255;\\red0\\green0\\blue128;\\red0\\green128\\blue128;\\red0\\green128\\blue0;"
    "\\red128\\green0\\blue128;\\red128\\green0\\blue0;\\red128\\green128\\blue0;\\red128\\green128\\blue128;"
    "\\red192\\green192\\blue192;}{\\stylesheet{ Normal;}{\\s1 heading 1;}{\\s2 heading 2;}{\\s3 heading 3;}}"
    "\\viewkind4\\uc1\\pard";

constexpr std::string_view kRowBorders = "\\trbrdrt\\brdrs\\brdrw20\\brdrcf2\\trbrdrl\\brdrs\\brdrw20\\brdrcf2"
                                         "\\trbrdrb\\brdrs\\brdrw20\\brdrcf2\\trbrdrr\\brdrs\\brdrw20\\brdrcf2";
constexpr std::string_view kCellBorders =
    "\\clbrdrt\\brdrw15\\brdrs\\clbrdrl\\brdrw15\\brdrs\\clbrdrb\\brdrw15\\brdrs\\clbrdrr\\brdrw15\\brdrs";

// The code page 1252 byte of a character, or 0 when it has none.
unsigned char Cp1252Byte(char16_t unit)
{
    const auto bytes = Utf8ToCp1252(Utf16ToUtf8(std::u16string(1, unit)));
    return bytes && bytes->size() == 1 ? static_cast<unsigned char>((*bytes)[0]) : 0;
}

// RTF takes a signed 16-bit number; a character beyond the first plane is its two surrogates.
void AppendUnicode(std::string& out, char16_t unit)
{
    out += "\\u";
    out += std::to_string(static_cast<std::int16_t>(unit));
    out += '?';
}

// Cells arrive escaped by the caller and are only moved into the file's code page.
void AppendLiteral(std::string& out, std::string_view utf8)
{
    for (const char16_t unit : Utf8ToUtf16(utf8)) {
        if (unit < 0x80) {
            out += static_cast<char>(unit);
        } else if (const unsigned char byte = Cp1252Byte(unit)) {
            out += static_cast<char>(byte);
        } else {
            AppendUnicode(out, unit);
        }
    }
}

} // namespace

std::string EscapeRtfText(std::string_view utf8)
{
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    out.reserve(utf8.size());
    char16_t previous = 0;
    for (const char16_t unit : Utf8ToUtf16(utf8)) {
        const bool lineFeedOfCrLf = unit == '\n' && previous == '\r';
        previous = unit;
        if (unit == '\t') {
            out += "\\tab ";
        } else if (unit == '\r' || (unit == '\n' && !lineFeedOfCrLf)) {
            out += "\\line ";
        } else if (unit < 0x20 || unit == 0x7F) {
            // Other control characters have no place in a document; a NUL would end it for some readers.
        } else if (unit == '\\' || unit == '{' || unit == '}') {
            out += '\\';
            out += static_cast<char>(unit);
        } else if (unit < 0x80) {
            out += static_cast<char>(unit);
        } else if (const unsigned char byte = Cp1252Byte(unit)) {
            out += "\\'";
            out += kHex[byte >> 4];
            out += kHex[byte & 0x0F];
        } else {
            AppendUnicode(out, unit);
        }
    }
    return out;
}

std::string_view DefaultRtfProlog()
{
    return kProlog;
}

CRtfWriter::CRtfWriter(std::string path, const IPrinterMetrics* printer) : path_(std::move(path))
{
    if (printer && printer->PageWidthTwips() > 0)
        pageWidth_ = printer->PageWidthTwips();
}

CRtfWriter::~CRtfWriter()
{
    Close();
}

bool CRtfWriter::Open()
{
    namespace fs = std::filesystem;
    const fs::path target = fs::u8path(path_);
    const fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::error_code ec;
    if (!fs::is_directory(dir, ec) || fs::is_directory(target, ec))
        return false;
    if (fs::exists(target, ec)) {
        std::fstream probe(target, std::ios::in | std::ios::out | std::ios::binary);
        if (!probe)
            return false;
    }
    content_.clear();
    open_ = true;
    return true;
}

bool CRtfWriter::Close()
{
    columnAligns_.clear();
    if (!open_)
        return true;
    open_ = false;
    content_ += '}';
    const bool written = WriteFileAtomically(path_, content_) == FileError::None;
    content_.clear();
    return written;
}

void CRtfWriter::WriteProlog(const std::string& headerPath)
{
    if (!headerPath.empty()) {
        std::string header;
        if (ReadWholeFile(headerPath, header) == FileError::None) {
            // The user's document stays open so that the report continues inside it.
            const auto lastBrace = header.rfind('}');
            if (lastBrace != std::string::npos) {
                content_.append(header, 0, lastBrace);
                return;
            }
        }
    }
    content_ += kProlog;
}

void CRtfWriter::WriteTitle(std::string_view text)
{
    content_ += "\\pard\\keepn\\s1\\sb240\\sa60\\kerning32\\b\\f1\\fs32";
    content_ += EscapeRtfText(text);
    content_ += "\\par\\pard\\kerning0\\b0\\f0\\fs20";
}

void CRtfWriter::WriteSectionHeading(std::string_view text)
{
    content_ += "\\pard\\keepn\\s3\\sb240\\sa60\\b\\f0\\fs26";
    content_ += EscapeRtfText(text);
    content_ += "\\par\\pard\\b0\\f1\\fs20";
}

void CRtfWriter::BeginTable(std::span<const RtfColumn> columns)
{
    columnAligns_.clear();
    bodyCellDefs_.clear();

    long long sum = 0;
    for (const auto& c : columns)
        sum += c.Width;

    content_ += "\\trowd\\trgaph108\\trleft-108\\trhdr";
    content_ += kRowBorders;
    int edge = 0;
    for (const auto& c : columns) {
        columnAligns_.push_back(c.Align);
        edge += static_cast<int>(sum > 0 ? c.Width * static_cast<long long>(pageWidth_) / sum : 0);
        const std::string cellx = "\\cellx" + std::to_string(edge);
        content_ += kCellBorders;
        content_ += "\\clcfpat9\\clcbpat8";
        content_ += cellx;
        bodyCellDefs_ += kCellBorders;
        bodyCellDefs_ += cellx;
    }
    content_ += "\\pard\\intbl\\cf0\\b\\f0\\fs20";
    content_ += "\\intbl";
    for (const auto& c : columns) {
        content_ += "\\q";
        content_ += c.Align;
        content_ += ' ';
        content_ += EscapeRtfText(c.Title);
        content_ += "\\cell ";
    }
    content_ += "\\row";
    content_ += "\\pard\\intbl\\cf0\\b0";
}

void CRtfWriter::WriteRow(std::span<const std::string> cells)
{
    if (cells.empty())
        return;
    content_ += "\\trowd\\trgaph108\\trleft-108";
    content_ += kRowBorders;
    content_ += bodyCellDefs_;
    content_ += "\\intbl\\intbl";
    for (std::size_t i = 0; i < cells.size(); ++i) {
        content_ += "\\q";
        content_ += i < columnAligns_.size() ? columnAligns_[i] : 'l';
        content_ += ' ';
        AppendLiteral(content_, cells[i]);
        content_ += "\\cell ";
    }
    content_ += "\\row";
}

void CRtfWriter::EndTable()
{
    content_ += "\\pard\\f0\\fs20";
}

} // namespace vellicor
