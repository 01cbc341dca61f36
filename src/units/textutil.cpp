#include "units/textutil.h"

namespace vellicor {
namespace {

constexpr const char* kBlanks = " \t\r\n\v\f";

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

} // namespace

std::string Trim(const std::string& text)
{
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string::npos)
        return std::string();
    const auto last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

std::string CollapseSpaces(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    for (; i < text.size(); ++i)
        if (!(IsBlank(text[i]) && !out.empty() && IsBlank(text[i - 1])))
            out += text[i];
    return out;
}

int SplitString(const std::string& text, std::vector<std::string>& out, const std::string& delimiter)
{
    std::string rest = delimiter == " " ? CollapseSpaces(text) : text;
    out.clear();
    if (!delimiter.empty()) {
        std::size_t pos = 0;
        std::size_t hit;
        while ((hit = rest.find(delimiter, pos)) != std::string::npos) {
            out.push_back(rest.substr(pos, hit - pos));
            pos = hit + delimiter.size();
        }
        rest.erase(0, pos);
    }
    rest = Trim(rest);
    if (!rest.empty())
        out.push_back(std::move(rest));
    return static_cast<int>(out.size());
}

std::string JoinStrings(const std::vector<std::string>& items, const std::string& separator)
{
    std::string out;
    for (const auto& item : items) {
        out += item;
        out += separator;
    }
    return out;
}

void StripTrailingSlash(std::string& path)
{
    path = Trim(path);
    if (!path.empty() && (path.back() == '\\' || path.back() == '/'))
        path.pop_back();
}

std::string ToLowerAscii(const std::string& text)
{
    std::string out = text;
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

} // namespace vellicor
