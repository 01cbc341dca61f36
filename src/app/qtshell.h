#pragma once

#include "platform/shell.h"

namespace vellicor {

// Opens files and web addresses with the desktop's associated programs.
class QtShell : public IShell {
public:
    bool OpenDocument(const std::string& path) override;
    bool OpenFolder(const std::string& path) override;
    bool OpenUrl(const std::string& url) override;
};

} // namespace vellicor
