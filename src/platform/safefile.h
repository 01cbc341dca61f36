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

// Writes the whole content to a temporary file beside `path`, then renames it over `path`, so that
// a failed or interrupted write never damages the previous file. Paths are UTF-8.
FileError WriteFileAtomically(const std::string& path, std::string_view content);

// Reads a whole file. Paths are UTF-8.
FileError ReadWholeFile(const std::string& path, std::string& content);

} // namespace vellicor
