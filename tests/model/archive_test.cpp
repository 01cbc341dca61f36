#include "model/archive.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace vellicor {
namespace {

std::string Bytes(std::initializer_list<int> values)
{
    std::string s;
    for (int v : values)
        s += static_cast<char>(v);
    return s;
}

constexpr std::array<std::string_view, 2> kClasses{"CCoil", "CCoilPart"};

TEST(ArchiveWriter, PrimitivesAreLittleEndianWithoutPadding)
{
    ArchiveWriter w;
    w.WriteByte(0xAB);
    w.WriteWord(0x1234);
    w.WriteDword(0x89ABCDEF);
    w.WriteInt(-2);
    w.WriteFloat(1.0f);
    w.WriteDouble(1.0);
    EXPECT_EQ(w.Bytes(), Bytes({0xAB, 0x34, 0x12, 0xEF, 0xCD, 0xAB, 0x89, 0xFE, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x80,
                                0x3F, 0, 0, 0, 0, 0, 0, 0xF0, 0x3F}));

    ArchiveReader r(w.Bytes());
    std::uint8_t b = 0;
    std::uint16_t word = 0;
    std::uint32_t dword = 0;
    std::int32_t i = 0;
    float f = 0;
    double d = 0;
    ASSERT_TRUE(r.ReadByte(b) && r.ReadWord(word) && r.ReadDword(dword) && r.ReadInt(i) && r.ReadFloat(f)
                && r.ReadDouble(d));
    EXPECT_EQ(b, 0xAB);
    EXPECT_EQ(word, 0x1234);
    EXPECT_EQ(dword, 0x89ABCDEFu);
    EXPECT_EQ(i, -2);
    EXPECT_EQ(f, 1.0f);
    EXPECT_EQ(d, 1.0);
    EXPECT_EQ(r.Remaining(), 0u);
}

TEST(ArchiveWriter, StringLengthPrefixes)
{
    struct Case {
        std::size_t length;
        std::string prefix;
    };
    const Case cases[] = {
        {0, Bytes({0})},
        {1, Bytes({1})},
        {254, Bytes({254})},
        {255, Bytes({0xFF, 0xFF, 0x00})},
        {300, Bytes({0xFF, 0x2C, 0x01})},
        {65533, Bytes({0xFF, 0xFD, 0xFF})},
        {65534, Bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00})},
        {70000, Bytes({0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.length);
        const std::string text(c.length, 'x');
        ArchiveWriter w;
        w.WriteString(text);
        EXPECT_EQ(w.Bytes(), c.prefix + text);
        ArchiveReader r(w.Bytes());
        std::string back;
        ASSERT_TRUE(r.ReadString(back));
        EXPECT_EQ(back, text);
        EXPECT_EQ(r.Remaining(), 0u);
    }
}

TEST(ArchiveWriter, TextsAreCodePage1252OrTheTwoByteForm)
{
    struct Case {
        std::string utf8;
        std::string bytes;
    };
    const Case cases[] = {
        {"\xE2\x82\xAC" "5 \xC3\xA9", Bytes({4, 0x80, '5', ' ', 0xE9})},
        {"\xCE\xA9" "1", Bytes({0xFF, 0xFE, 0xFF, 2, 0xA9, 0x03, '1', 0})},
        // A character outside the basic plane is a surrogate pair: two code units.
        {"\xF0\x9F\x99\x82", Bytes({0xFF, 0xFE, 0xFF, 2, 0x3D, 0xD8, 0x42, 0xDE})},
    };
    for (const auto& c : cases) {
        ArchiveWriter w;
        w.WriteString(c.utf8);
        EXPECT_EQ(w.Bytes(), c.bytes);
        ArchiveReader r(w.Bytes());
        std::string back;
        ASSERT_TRUE(r.ReadString(back));
        EXPECT_EQ(back, c.utf8);
    }
}

TEST(ArchiveReader, ReadsTheTwoByteFormWithEveryPrefix)
{
    const std::u16string wide(300, u'\u03A9');
    std::string utf8;
    for (std::size_t i = 0; i < wide.size(); ++i)
        utf8 += "\xCE\xA9";
    std::string body;
    for (char16_t c : wide)
        body += Bytes({c & 0xFF, c >> 8});

    ArchiveWriter w;
    w.WriteString(utf8);
    EXPECT_EQ(w.Bytes(), Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0x2C, 0x01}) + body);

    // Written by others: the long DWORD prefix inside the two-byte form.
    const std::string longForm = Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0x2C, 0x01, 0, 0}) + body;
    for (const std::string& bytes : {w.Bytes(), longForm}) {
        ArchiveReader r(bytes);
        std::string back;
        ASSERT_TRUE(r.ReadString(back));
        EXPECT_EQ(back, utf8);
        EXPECT_EQ(r.Remaining(), 0u);
    }
}

TEST(ArchiveWriter, CountsTakeALongFormFrom0xFFFF)
{
    struct Case {
        std::uint32_t count;
        std::string bytes;
    };
    const Case cases[] = {
        {0, Bytes({0, 0})},
        {0xFFFE, Bytes({0xFE, 0xFF})},
        {0xFFFF, Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0, 0})},
        {0x12345, Bytes({0xFF, 0xFF, 0x45, 0x23, 0x01, 0})},
    };
    for (const auto& c : cases) {
        ArchiveWriter w;
        w.WriteCount(c.count);
        EXPECT_EQ(w.Bytes(), c.bytes);
        ArchiveReader r(w.Bytes());
        std::uint32_t back = 1;
        ASSERT_TRUE(r.ReadCount(back, 0));
        EXPECT_EQ(back, c.count);
    }
}

TEST(ArchiveWriter, ObjectTagsNumberClassesAndObjectsWithOneIndex)
{
    ArchiveWriter w;
    w.WriteObjectTag("CCoil");
    w.WriteObjectTag("CCoil");
    w.WriteObjectTag("CCoilPart");
    w.WriteObjectTag("CCoilPart");
    w.WriteObjectTag("CCoil");
    EXPECT_EQ(w.Bytes(), Bytes({0xFF, 0xFF, 1, 0, 5, 0, 'C', 'C', 'o', 'i', 'l', 0x01, 0x80, 0xFF, 0xFF, 1, 0, 9, 0,
                                'C', 'C', 'o', 'i', 'l', 'P', 'a', 'r', 't', 0x04, 0x80, 0x01, 0x80}));

    ArchiveReader r(w.Bytes());
    const std::pair<std::size_t, std::uint32_t> expected[] = {{0, 2}, {0, 3}, {1, 5}, {1, 6}, {0, 7}};
    for (const auto& [classIndex, objectIndex] : expected) {
        ObjectTag tag;
        ASSERT_TRUE(r.ReadObjectTag(kClasses, tag));
        EXPECT_EQ(tag.kind, ObjectTag::Kind::NewObject);
        EXPECT_EQ(tag.classIndex, classIndex);
        EXPECT_EQ(tag.objectIndex, objectIndex);
    }
    EXPECT_EQ(r.Remaining(), 0u);
}

TEST(ArchiveWriter, ClassIndexesFrom0x7FFFUseTheLongTag)
{
    ArchiveWriter w;
    w.WriteObjectTag("CCoil");
    // Indexes 1 (class) and 2 are taken; fill up to 0x7FFE so that the next class gets 0x7FFF.
    for (int i = 3; i <= 0x7FFE; ++i)
        w.WriteObjectTag("CCoil");
    w.WriteObjectTag("CCoilPart");
    const std::size_t before = w.Bytes().size();
    w.WriteObjectTag("CCoilPart");
    w.WriteObjectTag("CCoil");
    EXPECT_EQ(w.Bytes().substr(before), Bytes({0xFF, 0x7F, 0xFF, 0x7F, 0x00, 0x80, 0x01, 0x80}));

    ArchiveReader r(w.Bytes());
    ObjectTag tag;
    while (r.Remaining() > 8)
        ASSERT_TRUE(r.ReadObjectTag(kClasses, tag));
    ASSERT_TRUE(r.ReadObjectTag(kClasses, tag));
    EXPECT_EQ(tag.classIndex, 1u);
    EXPECT_EQ(tag.objectIndex, 0x8001u);
    ASSERT_TRUE(r.ReadObjectTag(kClasses, tag));
    EXPECT_EQ(tag.classIndex, 0u);
    EXPECT_EQ(tag.objectIndex, 0x8002u);
}

TEST(ArchiveReader, NullAndSecondReferences)
{
    const std::string intro = Bytes({0xFF, 0xFF, 1, 0, 5, 0, 'C', 'C', 'o', 'i', 'l'});
    struct Case {
        std::string tail;
        ObjectTag::Kind kind;
        std::uint32_t objectIndex;
    };
    const Case cases[] = {
        {Bytes({0, 0}), ObjectTag::Kind::Null, 0},
        {Bytes({0xFF, 0x7F, 0, 0, 0, 0}), ObjectTag::Kind::Null, 0},
        {Bytes({2, 0}), ObjectTag::Kind::Reference, 2},
        {Bytes({0xFF, 0x7F, 2, 0, 0, 0}), ObjectTag::Kind::Reference, 2},
        {Bytes({0xFF, 0x7F, 1, 0, 0, 0x80}), ObjectTag::Kind::NewObject, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(&c - cases));
        const std::string bytes = intro + c.tail;
        ArchiveReader r(bytes);
        ObjectTag tag;
        ASSERT_TRUE(r.ReadObjectTag(kClasses, tag));
        ASSERT_TRUE(r.ReadObjectTag(kClasses, tag));
        EXPECT_EQ(tag.kind, c.kind);
        EXPECT_EQ(tag.objectIndex, c.objectIndex);
    }
}

TEST(ArchiveReader, RefusesDamagedInput)
{
    enum class Read { String, Count, Tags };
    const std::string coil = Bytes({0xFF, 0xFF, 1, 0, 5, 0, 'C', 'C', 'o', 'i', 'l'});
    struct Case {
        const char* what;
        Read read;
        std::string bytes;
    };
    const Case cases[] = {
        {"string longer than the rest", Read::String, Bytes({5, 'a', 'b'})},
        {"long string prefix cut short", Read::String, Bytes({0xFF, 0x2C})},
        {"DWORD length beyond the end", Read::String, Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 'a'})},
        {"two-byte string with half its bytes", Read::String, Bytes({0xFF, 0xFE, 0xFF, 2, 'a', 0, 'b'})},
        {"count of more elements than bytes", Read::Count, Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x0F, 0, 0})},
        {"count cut short", Read::Count, Bytes({0xFF, 0xFF, 0x01})},
        {"class name of 64 bytes", Read::Tags, Bytes({0xFF, 0xFF, 1, 0, 64, 0}) + std::string(64, 'C')},
        {"unknown class", Read::Tags, Bytes({0xFF, 0xFF, 1, 0, 5, 0, 'C', 'C', 'o', 'i', 'x'})},
        {"schema 2", Read::Tags, Bytes({0xFF, 0xFF, 2, 0, 5, 0, 'C', 'C', 'o', 'i', 'l'})},
        {"class name cut short", Read::Tags, Bytes({0xFF, 0xFF, 1, 0, 5, 0, 'C', 'C'})},
        {"class index never given", Read::Tags, coil + Bytes({0x05, 0x80})},
        {"class index of an object", Read::Tags, coil + Bytes({0x02, 0x80})},
        {"reference to an index never given", Read::Tags, coil + Bytes({0x03, 0x00})},
        {"reference to a class", Read::Tags, coil + Bytes({0x01, 0x00})},
        {"long tag cut short", Read::Tags, coil + Bytes({0xFF, 0x7F, 1, 0})},
        {"long class tag of an object", Read::Tags, coil + Bytes({0xFF, 0x7F, 2, 0, 0, 0x80})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ArchiveReader r(c.bytes);
        bool ok = true;
        if (c.read == Read::String) {
            std::string text;
            ok = r.ReadString(text);
        } else if (c.read == Read::Count) {
            std::uint32_t count = 0;
            ok = r.ReadCount(count, 2);
        } else {
            ObjectTag tag;
            while (ok && r.Remaining() > 0)
                ok = r.ReadObjectTag(kClasses, tag);
        }
        EXPECT_FALSE(ok);
        EXPECT_TRUE(r.Failed());
    }
}

TEST(ArchiveReader, FailureSticks)
{
    const std::string bytes = Bytes({1, 0, 0});
    ArchiveReader r(bytes);
    std::uint32_t dword = 0;
    std::uint16_t word = 0;
    EXPECT_FALSE(r.ReadDword(dword));
    EXPECT_FALSE(r.ReadWord(word));
    EXPECT_TRUE(r.Failed());
}

TEST(ArchiveReader, RequireChecksCountsAgainstTheRest)
{
    const std::string bytes(10, '\0');
    ArchiveReader r(bytes);
    EXPECT_TRUE(r.Require(5, 2));
    EXPECT_TRUE(r.Require(1000, 0));
    EXPECT_FALSE(r.Require(0xFFFFFFFFFFull, 4));
    EXPECT_TRUE(r.Failed());
}

} // namespace
} // namespace vellicor
