#pragma once

#include <string>

namespace vellicor {

// Where the program finds its installed files and keeps its data files (UTF-8 paths, no trailing
// separator).
class IPaths {
public:
    virtual ~IPaths() = default;
    // Help, tips, starter files and the optional language pack.
    virtual std::string InstallDir() const = 0;
    // stock.db, stkused.db, slitmate.db and Header.rtf.
    virtual std::string DataDir() const = 0;
};

} // namespace vellicor
