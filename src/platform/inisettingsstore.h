#pragma once

#include "platform/memorysettingsstore.h"

#include <string>

namespace vellicor {

// Settings kept in an INI file (UTF-8): one [section] per registry section, name=value lines.
// Used by vellicor-cli --profile. Reading and writing happen only when asked for.
class IniSettingsStore : public MemorySettingsStore {
public:
    explicit IniSettingsStore(std::string path) : path_(std::move(path)) {}

    // A missing file is an empty store; false only when the file exists but cannot be read.
    bool Load();
    // Writes to a temporary file beside the target, then renames it over the target.
    bool Save() const;

    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

} // namespace vellicor
