#include "inventory/bookingjournal.h"

#include "model/jobfile.h"
#include "platform/safefile.h"
#include "platform/stringids.h"
#include "platform/usermessages.h"

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <filesystem>

namespace vellicor {
namespace {

constexpr std::string_view kHeader = "vellicor-booking 1\n";
constexpr std::string_view kEnd = "end ";

} // namespace

std::string JournalChecksum(std::string_view bytes)
{
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

namespace {

bool ReadNumber(std::string_view& bytes, std::size_t& value)
{
    const auto [end, ec] = std::from_chars(bytes.data(), bytes.data() + bytes.size(), value);
    if (ec != std::errc() || end == bytes.data())
        return false;
    bytes.remove_prefix(static_cast<std::size_t>(end - bytes.data()));
    return true;
}

bool Take(std::string_view& bytes, std::string_view expected)
{
    if (!bytes.starts_with(expected))
        return false;
    bytes.remove_prefix(expected.size());
    return true;
}

// A name beside the path that nothing holds yet.
std::string AsidePath(const std::string& path)
{
    std::string aside = path + ".changed";
    std::error_code ec;
    for (int n = 2; std::filesystem::exists(std::filesystem::u8path(aside), ec); ++n)
        aside = path + ".changed-" + std::to_string(n);
    return aside;
}

} // namespace

std::string JournalPath(const std::string& dataDir)
{
    return dataDir + "/booking.jnl";
}

std::string JournalBytes(const BookingJournal& journal)
{
    std::string bytes(kHeader);
    for (const auto& entry : journal.Entries) {
        bytes += "file " + std::to_string(entry.Path.size()) + ' ' + std::to_string(entry.Bytes.size());
        if (!entry.Before.empty())
            bytes += ' ' + entry.Before;
        bytes += '\n';
        bytes += entry.Path;
        bytes += entry.Bytes;
        bytes += '\n';
    }
    bytes += std::string(kEnd) + JournalChecksum(bytes) + '\n';
    return bytes;
}

std::optional<BookingJournal> ParseJournal(std::string_view bytes)
{
    const std::size_t endLine = bytes.rfind(kEnd);
    if (endLine == std::string_view::npos
        || bytes.substr(endLine) != std::string(kEnd) + JournalChecksum(bytes.substr(0, endLine)) + '\n')
        return std::nullopt;
    std::string_view rest = bytes.substr(0, endLine);
    if (!Take(rest, kHeader))
        return std::nullopt;
    BookingJournal journal;
    while (!rest.empty()) {
        std::size_t pathSize = 0;
        std::size_t size = 0;
        std::string before;
        if (!Take(rest, "file ") || !ReadNumber(rest, pathSize) || !Take(rest, " ") || !ReadNumber(rest, size))
            return std::nullopt;
        if (Take(rest, " ")) {
            const std::size_t digits = JournalChecksum("").size();
            if (rest.size() < digits)
                return std::nullopt;
            before = rest.substr(0, digits);
            rest.remove_prefix(digits);
        }
        if (!Take(rest, "\n") || rest.size() < pathSize + size + 1 || rest[pathSize + size] != '\n')
            return std::nullopt;
        journal.Entries.push_back(
            {std::string(rest.substr(0, pathSize)), std::string(rest.substr(pathSize, size)), std::move(before)});
        rest.remove_prefix(pathSize + size + 1);
    }
    return journal;
}

bool ApplyJournal(const BookingJournal& journal, IUserMessages& messages)
{
    for (const auto& entry : journal.Entries) {
        std::string current;
        if (!entry.Before.empty() && ReadWholeFile(entry.Path, current) == FileError::None && current != entry.Bytes
            && JournalChecksum(current) != entry.Before) {
            const std::string aside = AsidePath(entry.Path);
            if (const int error = SaveErrorId(WriteFileAtomically(aside, current)); error != 0) {
                messages.Tell(error, {aside}, MessageIcon::Error);
                return false;
            }
            messages.Tell(ids::ChangedFileKeptAside, {entry.Path, aside}, MessageIcon::Warning);
        }
        if (const int error = SaveErrorId(WriteFileAtomically(entry.Path, entry.Bytes)); error != 0) {
            messages.Tell(error, {entry.Path}, MessageIcon::Error);
            return false;
        }
    }
    return true;
}

bool RollForwardBooking(const std::string& dataDir, IUserMessages& messages)
{
    const std::string path = JournalPath(dataDir);
    std::string bytes;
    const FileError error = ReadWholeFile(path, bytes);
    if (error == FileError::NotFound)
        return true;
    if (error != FileError::None) {
        messages.Tell(OpenErrorId(error), {path}, MessageIcon::Error);
        return false;
    }
    const auto journal = ParseJournal(bytes);
    if (!journal) {
        messages.Tell(ids::DamagedFile, {path}, MessageIcon::Error);
        return false;
    }
    if (!ApplyJournal(*journal, messages))
        return false;
    if (const int removeError = SaveErrorId(RemoveFileDurably(path)); removeError != 0) {
        messages.Tell(removeError, {path}, MessageIcon::Error);
        return false;
    }
    return true;
}

} // namespace vellicor
