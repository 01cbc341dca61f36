#include "model/archive.h"

#include "units/codepage.h"

#include <bit>

namespace vellicor {
namespace {

constexpr std::uint16_t kNullTag = 0x0000;
constexpr std::uint16_t kNewClassTag = 0xFFFF;
constexpr std::uint16_t kClassTag = 0x8000;
constexpr std::uint16_t kBigObjectTag = 0x7FFF;
constexpr std::uint32_t kBigClassTag = 0x80000000;
constexpr std::uint16_t kSchema = 1;
constexpr std::size_t kMaxClassName = 64;
constexpr std::uint16_t kTwoByteMark = 0xFFFE;

std::uint32_t LoadLe(const char* data, int n)
{
    std::uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(data[i]);
    return v;
}

} // namespace

void ArchiveWriter::WriteByte(std::uint8_t value)
{
    bytes_ += static_cast<char>(value);
}

void ArchiveWriter::WriteWord(std::uint16_t value)
{
    WriteByte(static_cast<std::uint8_t>(value));
    WriteByte(static_cast<std::uint8_t>(value >> 8));
}

void ArchiveWriter::WriteDword(std::uint32_t value)
{
    WriteWord(static_cast<std::uint16_t>(value));
    WriteWord(static_cast<std::uint16_t>(value >> 16));
}

void ArchiveWriter::WriteInt(std::int32_t value)
{
    WriteDword(static_cast<std::uint32_t>(value));
}

void ArchiveWriter::WriteFloat(float value)
{
    WriteDword(std::bit_cast<std::uint32_t>(value));
}

void ArchiveWriter::WriteDouble(double value)
{
    const auto bits = std::bit_cast<std::uint64_t>(value);
    WriteDword(static_cast<std::uint32_t>(bits));
    WriteDword(static_cast<std::uint32_t>(bits >> 32));
}

void ArchiveWriter::WriteLengthPrefix(std::uint32_t length)
{
    if (length < 0xFF) {
        WriteByte(static_cast<std::uint8_t>(length));
    } else if (length < kTwoByteMark) {
        WriteByte(0xFF);
        WriteWord(static_cast<std::uint16_t>(length));
    } else {
        WriteByte(0xFF);
        WriteWord(0xFFFF);
        WriteDword(length);
    }
}

void ArchiveWriter::WriteString(std::string_view text)
{
    if (const auto single = Utf8ToCp1252(text)) {
        WriteLengthPrefix(static_cast<std::uint32_t>(single->size()));
        bytes_ += *single;
        return;
    }
    const std::u16string wide = Utf8ToUtf16(text);
    WriteByte(0xFF);
    WriteWord(kTwoByteMark);
    WriteLengthPrefix(static_cast<std::uint32_t>(wide.size()));
    for (char16_t c : wide)
        WriteWord(static_cast<std::uint16_t>(c));
}

void ArchiveWriter::WriteCount(std::uint32_t count)
{
    if (count < 0xFFFF) {
        WriteWord(static_cast<std::uint16_t>(count));
    } else {
        WriteWord(0xFFFF);
        WriteDword(count);
    }
}

void ArchiveWriter::WriteObjectTag(std::string_view className)
{
    for (const auto& [name, index] : classes_) {
        if (name != className)
            continue;
        if (index < kBigObjectTag) {
            WriteWord(static_cast<std::uint16_t>(kClassTag | index));
        } else {
            WriteWord(kBigObjectTag);
            WriteDword(kBigClassTag | index);
        }
        ++mapCount_;
        return;
    }
    WriteWord(kNewClassTag);
    WriteWord(kSchema);
    WriteWord(static_cast<std::uint16_t>(className.size()));
    bytes_ += className;
    classes_.emplace_back(std::string(className), mapCount_++);
    ++mapCount_;
}

bool ArchiveReader::Fail()
{
    failed_ = true;
    return false;
}

bool ArchiveReader::Take(std::size_t n, const char*& data)
{
    if (failed_ || n > Remaining())
        return Fail();
    data = bytes_.data() + pos_;
    pos_ += n;
    return true;
}

bool ArchiveReader::ReadByte(std::uint8_t& value)
{
    const char* data = nullptr;
    if (!Take(1, data))
        return false;
    value = static_cast<std::uint8_t>(*data);
    return true;
}

bool ArchiveReader::ReadWord(std::uint16_t& value)
{
    const char* data = nullptr;
    if (!Take(2, data))
        return false;
    value = static_cast<std::uint16_t>(LoadLe(data, 2));
    return true;
}

bool ArchiveReader::ReadDword(std::uint32_t& value)
{
    const char* data = nullptr;
    if (!Take(4, data))
        return false;
    value = LoadLe(data, 4);
    return true;
}

bool ArchiveReader::ReadInt(std::int32_t& value)
{
    std::uint32_t v = 0;
    if (!ReadDword(v))
        return false;
    value = static_cast<std::int32_t>(v);
    return true;
}

bool ArchiveReader::ReadFloat(float& value)
{
    std::uint32_t v = 0;
    if (!ReadDword(v))
        return false;
    value = std::bit_cast<float>(v);
    return true;
}

bool ArchiveReader::ReadDouble(double& value)
{
    const char* data = nullptr;
    if (!Take(8, data))
        return false;
    const std::uint64_t bits = LoadLe(data, 4) | (static_cast<std::uint64_t>(LoadLe(data + 4, 4)) << 32);
    value = std::bit_cast<double>(bits);
    return true;
}

bool ArchiveReader::ReadLength(std::uint32_t& length, bool& twoByte)
{
    twoByte = false;
    std::uint8_t b = 0;
    if (!ReadByte(b))
        return false;
    if (b < 0xFF) {
        length = b;
        return true;
    }
    std::uint16_t w = 0;
    if (!ReadWord(w))
        return false;
    if (w == kTwoByteMark) {
        // The two-byte form repeats the prefix, in which 0xFFFE is a plain length.
        twoByte = true;
        if (!ReadByte(b))
            return false;
        if (b < 0xFF) {
            length = b;
            return true;
        }
        if (!ReadWord(w))
            return false;
    }
    if (w < 0xFFFF) {
        length = w;
        return true;
    }
    return ReadDword(length);
}

bool ArchiveReader::ReadString(std::string& text)
{
    std::uint32_t length = 0;
    bool twoByte = false;
    if (!ReadLength(length, twoByte))
        return false;
    const std::uint64_t size = twoByte ? 2ull * length : length;
    if (size > Remaining())
        return Fail();
    const char* data = nullptr;
    if (!Take(static_cast<std::size_t>(size), data))
        return false;
    if (!twoByte) {
        text = Cp1252ToUtf8(std::string_view(data, length));
        return true;
    }
    std::u16string wide(length, u'\0');
    for (std::uint32_t i = 0; i < length; ++i)
        wide[i] = static_cast<char16_t>(LoadLe(data + 2 * i, 2));
    text = Utf16ToUtf8(wide);
    return true;
}

bool ArchiveReader::Require(std::uint64_t count, std::size_t minElementBytes)
{
    if (failed_)
        return false;
    if (minElementBytes != 0 && count > Remaining() / minElementBytes)
        return Fail();
    return true;
}

bool ArchiveReader::ReadCount(std::uint32_t& count, std::size_t minElementBytes)
{
    std::uint16_t w = 0;
    if (!ReadWord(w))
        return false;
    count = w;
    if (w == 0xFFFF && !ReadDword(count))
        return false;
    return Require(count, minElementBytes);
}

bool ArchiveReader::ReadObjectTag(std::span<const std::string_view> classes, ObjectTag& tag)
{
    std::uint16_t w = 0;
    if (!ReadWord(w))
        return false;
    if (w == kNullTag) {
        tag = ObjectTag{};
        return true;
    }
    std::int32_t classPos = -1;
    if (w == kNewClassTag) {
        std::uint16_t schema = 0;
        std::uint16_t nameLength = 0;
        if (!ReadWord(schema) || !ReadWord(nameLength))
            return false;
        const char* name = nullptr;
        if (nameLength >= kMaxClassName || schema != kSchema || !Take(nameLength, name))
            return Fail();
        const std::string_view className(name, nameLength);
        for (std::size_t i = 0; i < classes.size() && classPos < 0; ++i)
            if (classes[i] == className)
                classPos = static_cast<std::int32_t>(i);
        if (classPos < 0)
            return Fail();
        entries_.push_back(classPos);
    } else {
        std::uint32_t index = 0;
        bool isClass = false;
        if (w == kBigObjectTag) {
            std::uint32_t dw = 0;
            if (!ReadDword(dw))
                return false;
            isClass = (dw & kBigClassTag) != 0;
            index = dw & ~kBigClassTag;
        } else {
            isClass = (w & kClassTag) != 0;
            index = w & ~kClassTag;
        }
        if (!isClass && index == 0) {
            tag = ObjectTag{};
            return true;
        }
        if (index >= entries_.size() || (entries_[index] >= 0) != isClass)
            return Fail();
        if (!isClass) {
            tag = ObjectTag{ObjectTag::Kind::Reference, 0, index};
            return true;
        }
        classPos = entries_[index];
    }
    tag = ObjectTag{ObjectTag::Kind::NewObject, static_cast<std::size_t>(classPos),
                    static_cast<std::uint32_t>(entries_.size())};
    entries_.push_back(-1);
    return true;
}

} // namespace vellicor
