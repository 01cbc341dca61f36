#pragma once

#include <string>
#include <string_view>

namespace vellicor {

enum class FileError {
    None,
    NotFound,      // missing file or bad path
    AccessDenied,  // read-only, locked or not permitted
    DiskFull,
    Other,         // any other input/output failure
};

// Replaces the whole content of `path` so that a failed or interrupted write never damages the
// previous file: a temporary file beside the real file (a symlink is written through) is created
// exclusively, written, synced and renamed over it, and the folder is synced. The real file keeps
// its mode and group; a read-only one is refused with AccessDenied. Temporaries that an ended
// process left in the folder are removed. Paths are UTF-8.
FileError WriteFileAtomically(const std::string& path, std::string_view content);

// Whether WriteFileAtomically could replace `path`, checked without writing anything.
FileError CheckWritable(const std::string& path);

// Reads a whole file. Paths are UTF-8.
FileError ReadWholeFile(const std::string& path, std::string& content);

// Removes `path` and syncs its folder; an absent file is no error.
FileError RemoveFileDurably(const std::string& path);

// Whether both paths name one file, through links and different spellings; also one that does not
// exist yet.
bool IsSameFile(const std::string& a, const std::string& b);

// Removes the temporaries of WriteFileAtomically in `dir` whose writing process has ended.
void RemoveStaleTemporaries(const std::string& dir);

// For tests of interrupted work: the `nth` call of WriteFileAtomically from now on (1 = the next)
// fails with Other, or with Stop leaves its temporary half written and throws WriteStopped, as if
// the program had been killed at that moment. One fault at a time; a new one replaces it.
enum class WriteFault { Fail, Stop };
void InjectWriteFault(int nth, WriteFault fault);
void ClearWriteFault();

// Not a std::exception: no error handling may catch what stands for the end of the program.
struct WriteStopped {};

} // namespace vellicor
