#pragma once

#include <string>

namespace vellicor {

// Desktop actions the core asks for but never performs itself.
class IShell {
public:
    virtual ~IShell() = default;
    // Shows the file with the program associated with its type (or the platform's fallback
    // viewer); false when nothing could show it. Path is UTF-8.
    virtual bool OpenDocument(const std::string& path) = 0;
    // Shows the folder in the desktop's file manager; false when nothing could show it.
    virtual bool OpenFolder(const std::string& path) = 0;
    // Opens a web address in the desktop's browser; false when it could not be handed over.
    virtual bool OpenUrl(const std::string& url) = 0;
};

} // namespace vellicor
