#pragma once

#include <cstdint>
#include <fstream>
#include <string>

namespace vellicor {

// The tips file, read one tip at a time. A tip is a line that does not begin with a tab, a space
// or ";" and is not empty; only its first 1023 bytes count. Reading goes on at the beginning when
// it reaches the end, and gives up after one full pass without a tip.
class CTipFile {
public:
    enum class Status { Tip, NoTip, ReadError };
    struct Result {
        Status status;
        std::string text;  // UTF-8
    };

    static constexpr std::size_t kMaxLine = 1023;

    // False when the file cannot be opened. Path is UTF-8.
    bool Open(const std::string& path);
    // The next read starts at `offset`; one past the end starts at the beginning, one inside a line
    // at the next line.
    void Seek(std::int64_t offset);
    Result NextTip();
    // Where the next read starts.
    std::int64_t Offset() const { return offset_; }

private:
    bool ReadLine(std::string& line);

    std::ifstream in_;
    std::int64_t size_ = 0;
    std::int64_t offset_ = 0;
};

} // namespace vellicor
