#include "csv/csvlayout.h"

#include "units/codepage.h"
#include "units/numtext.h"
#include "units/textutil.h"

#include <array>

namespace vellicor {
namespace {

bool IsUtf8Continuation(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

int FieldCount(const std::string& line, const std::string& delimiter)
{
    std::vector<std::string> fields;
    return SplitString(line, fields, delimiter);
}

} // namespace

std::vector<std::string> ReadCsvLines(std::string_view bytes)
{
    std::string text = ExternalToUtf8(bytes);
    if (text.starts_with("\xEF\xBB\xBF"))
        text.erase(0, 3);

    std::vector<std::string> lines;
    std::size_t i = 0;
    while (i < text.size()) {
        // One read: up to a line feed or kCsvMaxReadChars characters. "\r\n" counts as the line
        // feed alone, and a character is never cut in the middle of its bytes.
        std::string chunk;
        int chars = 0;
        while (i < text.size()) {
            const char c = text[i];
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
                continue;
            }
            if (IsUtf8Continuation(c)) {
                chunk += c;
                ++i;
                continue;
            }
            if (chars == kCsvMaxReadChars)
                break;
            ++i;
            if (c == '\n')
                break;
            chunk += c;
            ++chars;
        }
        lines.push_back(Trim(chunk));
    }
    return lines;
}

int CountLeadingBlankLines(const std::vector<std::string>& lines)
{
    int blanks = 0;
    while (blanks < static_cast<int>(lines.size()) && lines[static_cast<std::size_t>(blanks)].empty())
        ++blanks;
    return blanks;
}

CsvLayout DetectCsvLayout(const std::vector<std::string>& lines, char decimalPoint)
{
    CsvLayout layout;
    const int count = static_cast<int>(lines.size());
    const int leading = CountLeadingBlankLines(lines);
    if (leading >= count) {
        layout.skipLines = count > 0 ? count - 1 : 0;
        return layout;
    }
    const auto line = [&lines](int index) -> const std::string& { return lines[static_cast<std::size_t>(index)]; };

    static const std::array<std::string, 6> kCandidates{",", ":", "\t", ";", " ", "::"};
    int middleCount = 1;
    for (const auto& candidate : kCandidates) {
        if (candidate.size() == 1 && LowerAscii(candidate[0]) == LowerAscii(decimalPoint))
            continue;
        const int a = FieldCount(line(leading), candidate);
        const int b = FieldCount(line((count + leading) / 2), candidate);
        const int c = FieldCount(line(count - 1), candidate);
        if ((a == b && a > 1) || (b == c && b > 1)) {
            layout.delimiter = candidate;
            middleCount = b;
            break;
        }
    }

    // Without a line of the middle line's field count only the blank lines are skipped.
    layout.skipLines = leading;
    for (int i = leading; i < count; ++i) {
        if (FieldCount(line(i), layout.delimiter) == middleCount) {
            layout.skipLines = i;
            break;
        }
    }

    std::vector<std::string> fields;
    SplitString(line(layout.skipLines), fields, layout.delimiter);
    int numbers = 0;
    for (const auto& field : fields)
        if (ParseDouble(field) > 0)
            ++numbers;
    layout.hasHeaders = numbers <= 1;
    return layout;
}

} // namespace vellicor
