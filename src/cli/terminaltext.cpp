#include "cli/terminaltext.h"

#include <cstdio>

namespace vellicor::cli {

std::string TerminalText(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        char escape[8];
        if (c == '\t') {
            out += "\\t";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c < 0x20 || c == 0x7F) {
            std::snprintf(escape, sizeof escape, "\\x%02x", c);
            out += escape;
        } else if (c == 0xC2 && i + 1 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) >= 0x80
                   && static_cast<unsigned char>(utf8[i + 1]) <= 0x9F) {
            std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned char>(utf8[++i]));
            out += escape;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

} // namespace vellicor::cli
