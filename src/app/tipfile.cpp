#include "app/tipfile.h"

#include "units/codepage.h"

#include <filesystem>

namespace vellicor {
namespace {

bool IsTip(const std::string& line)
{
    return !line.empty() && line[0] != '\t' && line[0] != ' ' && line[0] != ';';
}

// Cuts a line to the length limit, on a character boundary when the line is UTF-8.
std::string Shortened(const std::string& line)
{
    if (line.size() <= CTipFile::kMaxLine)
        return line;
    std::size_t cut = CTipFile::kMaxLine;
    if (IsValidUtf8(line))
        while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80)
            --cut;
    return line.substr(0, cut);
}

} // namespace

bool CTipFile::Open(const std::string& path)
{
    std::error_code ec;
    const std::filesystem::path p = std::filesystem::u8path(path);
    const auto size = std::filesystem::file_size(p, ec);
    if (ec)
        return false;
    in_.open(p, std::ios::binary);
    size_ = static_cast<std::int64_t>(size);
    offset_ = 0;
    return in_.is_open();
}

void CTipFile::Seek(std::int64_t offset)
{
    in_.clear();
    if (offset <= 0 || offset >= size_) {
        offset_ = 0;
        in_.seekg(0);
        return;
    }
    // A tip never starts in the middle of a line.
    in_.seekg(offset - 1);
    offset_ = offset - 1;
    std::string rest;
    ReadLine(rest);
}

bool CTipFile::ReadLine(std::string& line)
{
    if (!std::getline(in_, line))
        return false;
    offset_ = in_.eof() ? size_ : static_cast<std::int64_t>(in_.tellg());
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return true;
}

CTipFile::Result CTipFile::NextTip()
{
    const std::int64_t start = offset_;
    bool wrapped = false;
    std::string line;
    for (;;) {
        if (offset_ >= size_) {
            if (wrapped)
                return {Status::NoTip, {}};
            in_.clear();
            if (!in_.seekg(0))
                return {Status::ReadError, {}};
            offset_ = 0;
            wrapped = true;
        }
        if (wrapped && offset_ >= start)
            return {Status::NoTip, {}};
        if (!ReadLine(line))
            return {Status::ReadError, {}};
        if (IsTip(line))
            return {Status::Tip, ExternalToUtf8(Shortened(line))};
    }
}

} // namespace vellicor
