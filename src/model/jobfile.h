#pragma once

#include "platform/safefile.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace vellicor {

class CVellicorDoc;
class ISettingsStore;

// The job file ".vcj": the archive of one job document, led by a version word.
inline constexpr std::uint16_t kJobFileVersion = 218;

// The bytes of the job file of `doc`; the same document always gives the same bytes.
std::string JobFileBytes(const CVellicorDoc& doc);

// A fresh document read from job file bytes, its cut settings first taking the stored defaults of
// `defaults`; nothing when the bytes are not a job file. Layouts whose coil or one of whose parts
// does not resolve by name are dropped.
std::unique_ptr<CVellicorDoc> ParseJobFile(std::string_view bytes, const ISettingsStore& defaults);

// Writes the job file atomically. On success the document takes the path and its file name as
// title and is no longer modified; on failure it is marked modified and the result is the id of
// the text to show, whose %1 is the path. 0 means saved.
int SaveJobFile(CVellicorDoc& doc, const std::string& path);

struct LoadedJob {
    std::unique_ptr<CVellicorDoc> doc;
    // The id of the text to show (%1 is the path) when there is no document.
    int errorId = 0;
};

// Opens a job file: the document carries the path and title and is not modified.
LoadedJob LoadJobFile(const std::string& path, const ISettingsStore& defaults);

// The id of the text that reports a file-system error when a job is opened or saved (%1 is the
// path); 0 for no error.
int OpenErrorId(FileError error);
int SaveErrorId(FileError error);

} // namespace vellicor
