#pragma once

#include <array>
#include <cstdio>
#include <string>

namespace vellicor::test {

// The standard output of a shell command; empty when it could not be run.
inline std::string CommandOutput(const std::string& command)
{
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return out;
    std::array<char, 4096> buffer;
    while (const std::size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe))
        out.append(buffer.data(), n);
    pclose(pipe);
    return out;
}

// A PDF read back with poppler-utils: its page count (0 when unreadable) and its text.
inline int PdfPageCount(const std::string& path)
{
    const std::string info = CommandOutput("pdfinfo '" + path + "' 2>/dev/null");
    const auto at = info.find("Pages:");
    return at == std::string::npos ? 0 : std::stoi(info.substr(at + 6));
}

inline std::string PdfText(const std::string& path, int page = 0)
{
    const std::string range = page > 0 ? " -f " + std::to_string(page) + " -l " + std::to_string(page) : "";
    return CommandOutput("pdftotext -layout" + range + " '" + path + "' - 2>/dev/null");
}

} // namespace vellicor::test
