#include "ui/drawing/rtfreader.h"

#include "units/codepage.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

namespace vellicor {
namespace {

// Limits that keep hostile input cheap: deeper groups are skipped, longer rows share their last cell.
constexpr std::size_t kMaxDepth = 256;
constexpr std::size_t kMaxColumns = 63;
constexpr long long kMaxParameter = 1'000'000'000;
constexpr int kMaxTwips = 31680;  // 22 inches
constexpr double kTwipsPerPixel = 15.0;  // 1440 per inch at 96 pixels per inch
constexpr int kDefaultHalfPoints = 24;

struct Run {
    QString text;
    bool bold = false;
    int halfPoints = kDefaultHalfPoints;
};

struct Paragraph {
    std::vector<Run> runs;
    int heading = 0;
    Qt::Alignment align = Qt::AlignLeft;
    int spaceBefore = 0;
    int spaceAfter = 0;
};

using Cell = std::vector<Paragraph>;

struct Row {
    std::vector<int> edges;  // right edge of each cell in twips
    std::vector<Cell> cells;
    bool header = false;
};

// Character and paragraph properties; a group restores its parent's on closing.
struct GroupState {
    bool bold = false;
    int halfPoints = kDefaultHalfPoints;
    int style = 0;
    Qt::Alignment align = Qt::AlignLeft;
    int spaceBefore = 0;
    int spaceAfter = 0;
    bool inTable = false;
    bool skip = false;
    int fallbackChars = 1;
};

// Destinations without "\*" that hold no document text.
constexpr std::string_view kSkippedDestinations[] = {
    "fonttbl", "colortbl", "stylesheet", "info",    "pict",    "object",    "header",  "headerl",
    "headerr", "headerf",  "footer",     "footerl", "footerr", "footerf",   "footnote", "fldinst",
    "filetbl", "listtable", "listoverridetable", "revtbl",
};

const std::array<char16_t, 256>& Cp1252Table()
{
    static const std::array<char16_t, 256> table = [] {
        std::array<char16_t, 256> t{};
        for (int b = 0; b < 256; ++b)
            t[static_cast<std::size_t>(b)] = Utf8ToUtf16(Cp1252ToUtf8(std::string(1, static_cast<char>(b))))[0];
        return t;
    }();
    return table;
}

bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

int HexValue(char c)
{
    if (IsDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// \u takes code units; a surrogate without its partner becomes U+FFFD.
QString WellFormed(QString text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            text[i] = QChar::ReplacementCharacter;
    }
    return text;
}

// The prolog's blank between its tables is document text, and lands at the start of the first
// heading; a heading shows none.
void TrimLeadingBlanks(Paragraph& p)
{
    while (!p.runs.empty()) {
        QString& text = p.runs.front().text;
        while (!text.isEmpty() && text.front() == ' ')
            text.remove(0, 1);
        if (!text.isEmpty())
            return;
        p.runs.erase(p.runs.begin());
    }
}

QTextCharFormat CharFormat(const Run& run)
{
    QTextCharFormat format;
    format.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
    format.setFontPointSize(run.halfPoints / 2.0);
    return format;
}

QTextBlockFormat BlockFormat(const Paragraph& p)
{
    QTextBlockFormat format;
    format.setAlignment(p.align);
    format.setHeadingLevel(p.heading);
    format.setTopMargin(p.spaceBefore / kTwipsPerPixel);
    format.setBottomMargin(p.spaceAfter / kTwipsPerPixel);
    return format;
}

void WriteParagraphs(QTextCursor& cursor, const std::vector<Paragraph>& paragraphs, bool fresh)
{
    for (const auto& p : paragraphs) {
        if (fresh)
            cursor.setBlockFormat(BlockFormat(p));
        else
            cursor.insertBlock(BlockFormat(p));
        fresh = false;
        for (const auto& run : p.runs)
            cursor.insertText(WellFormed(run.text), CharFormat(run));
    }
}

// Appends paragraphs and table rows to a document; consecutive rows with the same number of cells
// make one table.
class DocumentWriter {
public:
    explicit DocumentWriter(QTextDocument& doc) : cursor_(&doc) {}

    void AddParagraph(const Paragraph& p)
    {
        FlushTable();
        WriteParagraphs(cursor_, {p}, fresh_);
        fresh_ = false;
    }

    void AddRow(Row row)
    {
        if (!rows_.empty() && rows_.front().cells.size() != row.cells.size())
            FlushTable();
        rows_.push_back(std::move(row));
    }

    void Finish() { FlushTable(); }

private:
    void FlushTable()
    {
        if (rows_.empty())
            return;
        const Row& first = rows_.front();
        const int columns = static_cast<int>(first.cells.size());
        QTextTableFormat format;
        format.setBorder(1);
        format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        format.setBorderCollapse(true);
        format.setCellSpacing(0);
        format.setCellPadding(3);
        format.setHeaderRowCount(static_cast<int>(
            std::find_if(rows_.begin(), rows_.end(), [](const Row& r) { return !r.header; }) - rows_.begin()));
        if (first.edges.size() >= first.cells.size()) {
            QList<QTextLength> widths;
            int left = 0;
            for (int c = 0; c < columns; ++c) {
                const int edge = first.edges[static_cast<std::size_t>(c)];
                widths.append(QTextLength(QTextLength::FixedLength,
                                          std::clamp(edge - left, 1, kMaxTwips) / kTwipsPerPixel));
                left = std::max(left, edge);
            }
            format.setColumnWidthConstraints(widths);
        }
        QTextTable* table = cursor_.insertTable(static_cast<int>(rows_.size()), columns, format);
        for (int r = 0; r < static_cast<int>(rows_.size()); ++r) {
            for (int c = 0; c < columns; ++c) {
                QTextCursor cell = table->cellAt(r, c).firstCursorPosition();
                WriteParagraphs(cell, rows_[static_cast<std::size_t>(r)].cells[static_cast<std::size_t>(c)], true);
            }
        }
        cursor_.movePosition(QTextCursor::End);
        fresh_ = true;
        rows_.clear();
    }

    QTextCursor cursor_;
    std::vector<Row> rows_;
    bool fresh_ = true;  // the block at the cursor is empty and unused
};

class RtfParser {
public:
    RtfParser(std::string_view in, DocumentWriter& out) : in_(in), out_(out) { states_.emplace_back(); }

    void Parse()
    {
        while (pos_ < in_.size()) {
            const char c = in_[pos_++];
            if (c == '{')
                OpenGroup();
            else if (c == '}')
                CloseGroup();
            else if (c == '\\')
                ReadControl();
            else if (!Skipping())
                AddByte(static_cast<unsigned char>(c));
        }
        if (!paragraph_.runs.empty())
            EndParagraph();
        EndRow();
        out_.Finish();
    }

private:
    GroupState& State() { return states_.back(); }
    bool Skipping() const { return extraDepth_ > 0 || states_.back().skip; }

    void OpenGroup()
    {
        pendingFallback_ = 0;
        if (extraDepth_ > 0 || states_.size() >= kMaxDepth)
            ++extraDepth_;
        else
            states_.push_back(states_.back());
    }

    // A closing brace without its opening one is ignored.
    void CloseGroup()
    {
        pendingFallback_ = 0;
        if (extraDepth_ > 0)
            --extraDepth_;
        else if (states_.size() > 1)
            states_.pop_back();
    }

    void ReadControl()
    {
        if (pos_ >= in_.size())
            return;
        const char c = in_[pos_];
        if (IsLetter(c)) {
            const std::size_t start = pos_;
            while (pos_ < in_.size() && IsLetter(in_[pos_]))
                ++pos_;
            const std::string_view word = in_.substr(start, pos_ - start);
            std::optional<int> parameter;
            const bool negative = pos_ + 1 < in_.size() && in_[pos_] == '-' && IsDigit(in_[pos_ + 1]);
            if (negative)
                ++pos_;
            if (pos_ < in_.size() && IsDigit(in_[pos_])) {
                long long value = 0;
                while (pos_ < in_.size() && IsDigit(in_[pos_]))
                    value = std::min(value * 10 + (in_[pos_++] - '0'), kMaxParameter);
                parameter = static_cast<int>(negative ? -value : value);
            }
            if (pos_ < in_.size() && in_[pos_] == ' ')
                ++pos_;
            ControlWord(word, parameter);
        } else if (c == '\'') {
            ++pos_;
            const int high = pos_ < in_.size() ? HexValue(in_[pos_]) : -1;
            const int low = pos_ + 1 < in_.size() ? HexValue(in_[pos_ + 1]) : -1;
            if (high < 0 || low < 0)
                return;
            pos_ += 2;
            if (!Skipping())
                AddChar(Cp1252Table()[static_cast<std::size_t>(high * 16 + low)]);
        } else {
            ++pos_;
            ControlSymbol(c);
        }
    }

    void ControlWord(std::string_view word, std::optional<int> parameter)
    {
        if (word == "bin") {
            // Binary data is skipped by its length, whatever it contains.
            const auto length = static_cast<std::size_t>(std::max(parameter.value_or(0), 0));
            pos_ += std::min(length, in_.size() - pos_);
            return;
        }
        if (Skipping())
            return;
        GroupState& s = State();
        if (word == "u") {
            AddUnicode(parameter.value_or('?'));
            return;
        }
        pendingFallback_ = 0;
        if (std::find(std::begin(kSkippedDestinations), std::end(kSkippedDestinations), word)
            != std::end(kSkippedDestinations)) {
            SkipGroup();
        } else if (word == "par") {
            EndParagraph();
        } else if (word == "line") {
            AddChar(u'\u2028');
        } else if (word == "tab") {
            AddChar('\t');
        } else if (word == "cell") {
            EndCell();
        } else if (word == "row") {
            EndRow();
        } else if (word == "trowd") {
            edges_.clear();
            headerRow_ = false;
        } else if (word == "trhdr") {
            headerRow_ = true;
        } else if (word == "cellx") {
            if (parameter && edges_.size() < kMaxColumns)
                edges_.push_back(*parameter);
        } else if (word == "intbl") {
            s.inTable = true;
        } else if (word == "pard") {
            s.style = 0;
            s.align = Qt::AlignLeft;
            s.spaceBefore = 0;
            s.spaceAfter = 0;
            s.inTable = false;
        } else if (word == "plain") {
            s.bold = false;
            s.halfPoints = kDefaultHalfPoints;
        } else if (word == "b") {
            s.bold = parameter.value_or(1) != 0;
        } else if (word == "fs") {
            if (parameter && *parameter > 0)
                s.halfPoints = std::clamp(*parameter, 8, 144);
        } else if (word == "s") {
            s.style = parameter.value_or(0);
        } else if (word == "ql") {
            s.align = Qt::AlignLeft;
        } else if (word == "qr") {
            s.align = Qt::AlignRight;
        } else if (word == "qc") {
            s.align = Qt::AlignHCenter;
        } else if (word == "qj") {
            s.align = Qt::AlignJustify;
        } else if (word == "sb") {
            s.spaceBefore = std::clamp(parameter.value_or(0), 0, 2880);
        } else if (word == "sa") {
            s.spaceAfter = std::clamp(parameter.value_or(0), 0, 2880);
        } else if (word == "uc") {
            s.fallbackChars = std::clamp(parameter.value_or(1), 0, 16);
        }
    }

    void ControlSymbol(char c)
    {
        if (Skipping())
            return;
        switch (c) {
        case '\\':
        case '{':
        case '}':
            AddChar(static_cast<char16_t>(c));
            break;
        case '~':
            AddChar(u'\u00A0');
            break;
        case '_':
            AddChar(u'\u2011');
            break;
        case '*':
            SkipGroup();
            break;
        case '\r':
        case '\n':
            EndParagraph();
            break;
        default:
            break;
        }
    }

    // The document's own group is never skipped, so that a stray destination keeps the text after it.
    void SkipGroup()
    {
        if (states_.size() > 2)
            State().skip = true;
    }

    void AddByte(unsigned char byte)
    {
        if (byte == '\t')
            AddChar('\t');
        else if (byte >= 0x20)
            AddChar(Cp1252Table()[byte]);
    }

    void AddUnicode(int value)
    {
        pendingFallback_ = 0;
        AddChar(value >= -32768 && value <= 65535 ? static_cast<char16_t>(value < 0 ? value + 65536 : value)
                                                  : u'\uFFFD');
        pendingFallback_ = State().fallbackChars;
    }

    void AddChar(char16_t c)
    {
        if (pendingFallback_ > 0) {
            --pendingFallback_;
            return;
        }
        const GroupState& s = State();
        auto& runs = paragraph_.runs;
        if (runs.empty() || runs.back().bold != s.bold || runs.back().halfPoints != s.halfPoints)
            runs.push_back({QString(), s.bold, s.halfPoints});
        runs.back().text += QChar(c);
    }

    // The paragraph read so far with the properties in force at its end.
    Paragraph TakeParagraph()
    {
        const GroupState& s = State();
        Paragraph p = std::move(paragraph_);
        paragraph_ = {};
        p.heading = s.style >= 1 && s.style <= 6 ? s.style : 0;
        if (p.heading)
            TrimLeadingBlanks(p);
        p.align = s.align;
        p.spaceBefore = s.spaceBefore;
        p.spaceAfter = s.spaceAfter;
        return p;
    }

    void EndParagraph()
    {
        if (State().inTable) {
            cell_.push_back(TakeParagraph());
        } else {
            const Paragraph p = TakeParagraph();
            EndRow();
            out_.AddParagraph(p);
        }
    }

    void EndCell()
    {
        if (!paragraph_.runs.empty() || cell_.empty())
            cell_.push_back(TakeParagraph());
        if (row_.cells.size() < kMaxColumns)
            row_.cells.push_back(std::move(cell_));
        else
            row_.cells.back().insert(row_.cells.back().end(), cell_.begin(), cell_.end());
        cell_.clear();
    }

    // Also finishes a row that was cut short, so that no text read is lost.
    void EndRow()
    {
        if (!paragraph_.runs.empty() || !cell_.empty())
            EndCell();
        if (row_.cells.empty())
            return;
        row_.edges = edges_;
        row_.header = headerRow_;
        out_.AddRow(std::move(row_));
        row_ = {};
    }

    std::string_view in_;
    std::size_t pos_ = 0;
    DocumentWriter& out_;
    std::vector<GroupState> states_;
    std::size_t extraDepth_ = 0;
    int pendingFallback_ = 0;
    Paragraph paragraph_;
    Cell cell_;
    Row row_;
    std::vector<int> edges_;
    bool headerRow_ = false;
};

} // namespace

void ReadRtf(std::string_view rtf, QTextDocument& doc)
{
    doc.clear();
    DocumentWriter writer(doc);
    RtfParser(rtf, writer).Parse();
}

} // namespace vellicor
