#pragma once

#include "platform/shell.h"

namespace vellicor {

// Opens files with the desktop's associated program.
class QtShell : public IShell {
public:
    bool OpenDocument(const std::string& path) override;
};

} // namespace vellicor
