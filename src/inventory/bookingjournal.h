#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vellicor {

class IUserMessages;

// The files one booking replaces, each with its whole new content, written and synced before the
// first of them is touched: a booking that was interrupted is completed from it.
struct BookingJournal {
    struct Entry {
        std::string Path;
        std::string Bytes;
        // For a file that is saved without the lock (the job): the checksum of what it held when
        // the booking was planned, or empty. Found holding something else when the entry is
        // applied, it was changed meanwhile, and that version is kept beside it.
        std::string Before = {};
    };
    std::vector<Entry> Entries;
};

// The journal's place in a data directory.
std::string JournalPath(const std::string& dataDir);

// A text header, then each entry as a line "file <path bytes> <content bytes>[ <before>]" followed
// by the path and the content, then a checksum line over everything before it.
std::string JournalBytes(const BookingJournal& journal);
// The checksum the journal keeps, 16 hex digits.
std::string JournalChecksum(std::string_view bytes);
// Nothing when the bytes are not a whole journal.
std::optional<BookingJournal> ParseJournal(std::string_view bytes);

// Writes every entry's file, keeping a file changed since the booking was planned beside it as
// "<path>.changed" (or .changed-2, ...) and saying so; on the first failure the message has been
// shown and the result is false. Writing an entry again gives the same file, so a journal may be
// applied any number of times.
bool ApplyJournal(const BookingJournal& journal, IUserMessages& messages);

// With the data directory locked: completes the booking whose journal is left and removes the
// journal. False, after the message, when it cannot; a damaged journal is left where it is.
bool RollForwardBooking(const std::string& dataDir, IUserMessages& messages);

} // namespace vellicor
