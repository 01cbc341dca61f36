#pragma once

#include "platform/shell.h"

#include <string>
#include <vector>

namespace vellicor::test {

// Records what the program asks the desktop to open; answers with `succeed`.
struct RecordingShell : IShell {
    bool OpenDocument(const std::string& path) override
    {
        opened.push_back(path);
        return succeed;
    }
    bool OpenFolder(const std::string& path) override
    {
        folders.push_back(path);
        return succeed;
    }
    bool OpenUrl(const std::string& url) override
    {
        urls.push_back(url);
        return succeed;
    }
    std::vector<std::string> opened;
    std::vector<std::string> folders;
    std::vector<std::string> urls;
    bool succeed = true;
};

} // namespace vellicor::test
