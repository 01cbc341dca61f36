#include "platform/inisettingsstore.h"

#include "platform/safefile.h"
#include "units/textutil.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace vellicor {
namespace {

// Values with surrounding blanks or a leading quote are written in double quotes, as QSettings does.
std::string Unquote(const std::string& v)
{
    if (v.size() < 2 || v.front() != '"' || v.back() != '"')
        return v;
    std::string out;
    for (std::size_t i = 1; i + 1 < v.size(); ++i) {
        if (v[i] == '\\' && i + 2 < v.size())
            ++i;
        out += v[i];
    }
    return out;
}

std::string Quote(const std::string& v)
{
    const bool needs = !v.empty() && (v.front() == '"' || v.front() == ' ' || v.back() == ' '
                                      || v.front() == '\t' || v.back() == '\t');
    if (!needs)
        return v;
    std::string out = "\"";
    for (char c : v) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + '"';
}

} // namespace

bool IniSettingsStore::Load()
{
    std::error_code ec;
    if (!std::filesystem::exists(std::filesystem::u8path(path_), ec))
        return !ec;
    std::ifstream in(std::filesystem::u8path(path_), std::ios::binary);
    if (!in)
        return false;
    std::string section;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::string t = Trim(line);
        if (t.empty() || t[0] == ';' || t[0] == '#')
            continue;
        if (t.front() == '[' && t.back() == ']') {
            section = Trim(t.substr(1, t.size() - 2));
            continue;
        }
        auto eq = t.find('=');
        if (eq == std::string::npos || section.empty())
            continue;
        WriteString(section, Trim(t.substr(0, eq)), Unquote(Trim(t.substr(eq + 1))));
    }
    return !in.bad();
}

bool IniSettingsStore::Save() const
{
    std::ostringstream out;
    std::string section;
    for (const auto& [key, value] : Values()) {
        if (key.first != section) {
            if (!section.empty())
                out << '\n';
            section = key.first;
            out << '[' << section << "]\n";
        }
        out << key.second << '=';
        if (const auto* s = std::get_if<std::string>(&value))
            out << Quote(*s);
        else
            out << std::get<int>(value);
        out << '\n';
    }
    return WriteFileAtomically(path_, out.str()) == FileError::None;
}

} // namespace vellicor
