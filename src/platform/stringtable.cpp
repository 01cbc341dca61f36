#include "platform/stringtable.h"

#include "platform/builtinstrings.h"

#include <algorithm>
#include <cstdlib>

namespace vellicor {

const char* BuiltinText(int id)
{
    const auto& table = BuiltinStrings();
    auto it = std::lower_bound(table.begin(), table.end(), id,
                               [](const BuiltinString& s, int value) { return s.id < value; });
    if (it == table.end() || it->id != id)
        return nullptr;
    return it->text;
}

std::string CStringTable::Text(int id) const
{
    if (auto it = pack_.find(id); it != pack_.end())
        return it->second;
    const char* text = BuiltinText(id);
    return text ? std::string(text) : std::string();
}

bool CStringTable::Has(int id) const
{
    return pack_.count(id) != 0 || BuiltinText(id) != nullptr;
}

std::string CStringTable::Format(int id, const std::vector<std::string>& args) const
{
    return FormatText(Text(id), args);
}

std::string FormatText(const std::string& text, const std::vector<std::string>& args)
{
    if (args.empty())
        return text;
    std::string out;
    out.reserve(text.size());
    std::size_t next = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '%' || i + 1 >= text.size()) {
            out += c;
            continue;
        }
        const char d = text[i + 1];
        if (d >= '1' && d <= '9') {
            const std::size_t k = static_cast<std::size_t>(d - '1');
            out += k < args.size() ? args[k] : std::string();
            ++i;
        } else if (d == 's' || d == 'd') {
            out += next < args.size() ? args[next] : std::string();
            ++next;
            ++i;
        } else if (d == '%') {
            out += '%';
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

bool CStringTable::LoadLanguagePack(const std::string& content)
{
    std::map<int, std::string> pack;
    std::size_t pos = 0;
    if (content.compare(0, 3, "\xEF\xBB\xBF") == 0)
        pos = 3;
    while (pos < content.size()) {
        std::size_t end = content.find('\n', pos);
        if (end == std::string::npos)
            end = content.size();
        std::string line = content.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        const auto tab = line.find('\t');
        if (tab == std::string::npos || tab == 0)
            return false;
        const std::string idText = line.substr(0, tab);
        if (!std::all_of(idText.begin(), idText.end(), [](char ch) { return ch >= '0' && ch <= '9'; })
            || idText.size() > 9)
            return false;
        std::string text;
        for (std::size_t i = tab + 1; i < line.size(); ++i) {
            if (line[i] == '\\' && i + 1 < line.size()) {
                switch (line[++i]) {
                case 'n': text += '\n'; break;
                case 'r': text += '\r'; break;
                case 't': text += '\t'; break;
                case '\\': text += '\\'; break;
                default: text += '\\'; text += line[i]; break;
                }
            } else {
                text += line[i];
            }
        }
        pack[std::atoi(idText.c_str())] = std::move(text);
    }
    pack_ = std::move(pack);
    return true;
}

CStringTable& Strings()
{
    static CStringTable table;
    return table;
}

} // namespace vellicor
