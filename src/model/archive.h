#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vellicor {

// The document framework's persistent-object archive, shared by the job file and the inventory
// databases: little-endian values without padding, counted strings, object-array counts and
// class-tagged objects numbered by one running index per archive (0 is the null reference, then
// every class and every object written takes the next number). Every class has schema 1.

// Writes an archive into memory; the caller stores the bytes.
class ArchiveWriter {
public:
    void WriteByte(std::uint8_t value);
    void WriteWord(std::uint16_t value);
    void WriteDword(std::uint32_t value);
    void WriteInt(std::int32_t value);
    void WriteFloat(float value);
    void WriteDouble(double value);
    // A UTF-8 text as code page 1252 bytes behind its length prefix; a text that code page 1252
    // cannot hold goes in the two-byte form (0xFF, WORD 0xFFFE, the prefix again, UTF-16LE).
    void WriteString(std::string_view text);
    // The element count of an object array.
    void WriteCount(std::uint32_t count);
    // The tag in front of a new object of `className`: the class itself the first time it occurs,
    // afterwards its index (in the long form once the index reaches 0x7FFF).
    void WriteObjectTag(std::string_view className);

    const std::string& Bytes() const { return bytes_; }
    std::string TakeBytes() { return std::move(bytes_); }

private:
    void WriteLengthPrefix(std::uint32_t length);

    std::string bytes_;
    std::uint32_t mapCount_ = 1;
    std::vector<std::pair<std::string, std::uint32_t>> classes_;
};

// What stands in front of an object in an archive.
struct ObjectTag {
    enum class Kind { Null, NewObject, Reference };
    Kind kind = Kind::Null;
    // NewObject: the position of the object's class in the list the reader was given.
    std::size_t classIndex = 0;
    // NewObject: the index the object was given; Reference: the index of the object referred to.
    std::uint32_t objectIndex = 0;
};

// Reads an archive from memory, safe against damaged input: nothing is allocated for a count or
// length that the remaining bytes cannot hold. The first failure (truncation or a bad tag) sticks:
// that read and every later one return false.
class ArchiveReader {
public:
    // The bytes stay the caller's and must outlive the reader.
    explicit ArchiveReader(std::string_view bytes) : bytes_(bytes) {}
    explicit ArchiveReader(std::string&&) = delete;

    [[nodiscard]] bool ReadByte(std::uint8_t& value);
    [[nodiscard]] bool ReadWord(std::uint16_t& value);
    [[nodiscard]] bool ReadDword(std::uint32_t& value);
    [[nodiscard]] bool ReadInt(std::int32_t& value);
    [[nodiscard]] bool ReadFloat(float& value);
    [[nodiscard]] bool ReadDouble(double& value);
    // Either string form, returned as UTF-8.
    [[nodiscard]] bool ReadString(std::string& text);
    // An object array's element count; fails unless `minElementBytes` per element remain.
    [[nodiscard]] bool ReadCount(std::uint32_t& count, std::size_t minElementBytes);
    // Fails unless `count` elements of at least `minElementBytes` each remain; for plain counts.
    [[nodiscard]] bool Require(std::uint64_t count, std::size_t minElementBytes);
    // The tag in front of an object. A new class must be one of `classes`, with a name below 64
    // bytes and schema 1; a class index or a reference must name an existing class or object.
    [[nodiscard]] bool ReadObjectTag(std::span<const std::string_view> classes, ObjectTag& tag);

    std::size_t Remaining() const { return bytes_.size() - pos_; }
    bool Failed() const { return failed_; }

private:
    bool Take(std::size_t n, const char*& data);
    bool Fail();
    bool ReadLength(std::uint32_t& length, bool& twoByte);

    std::string_view bytes_;
    std::size_t pos_ = 0;
    bool failed_ = false;
    // Per running index: the position of the class in the reader's list, or -1 for an object.
    std::vector<std::int32_t> entries_{-1};
};

} // namespace vellicor
