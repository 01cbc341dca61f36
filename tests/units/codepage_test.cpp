#include "units/codepage.h"

#include <gtest/gtest.h>

namespace vellicor {
namespace {

TEST(CodePage, EveryByteSurvivesTheRoundTrip)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const std::string utf8 = Cp1252ToUtf8(all);
    EXPECT_TRUE(IsValidUtf8(utf8));
    EXPECT_EQ(Utf8ToCp1252(utf8), all);
}

TEST(CodePage, KnownCharacters)
{
    EXPECT_EQ(Cp1252ToUtf8("\x80\xB2\xFC"), "\u20AC\u00B2\u00FC");
    EXPECT_EQ(Utf8ToCp1252("m\u00B2 \u2013 \u0160"), "m\xB2 \x96 \x8A");
    EXPECT_FALSE(Utf8ToCp1252("\u4E2D"));            // no byte for it
    EXPECT_FALSE(Utf8ToCp1252("\xC3"));              // broken UTF-8
    EXPECT_EQ(ExternalToUtf8("m\xB2"), "m\u00B2");   // not UTF-8: read as code page 1252
    EXPECT_EQ(ExternalToUtf8("m\u00B2"), "m\u00B2");
}

TEST(CodePage, LowerCaseOfEveryCodePageLetter)
{
    const struct {
        const char* text;
        const char* lower;
    } cases[] = {
        {"ST\u00C4HL", "st\u00E4hl"},
        {"\u00C0\u00C9\u00CE\u00D5\u00D8\u00DC\u00DE", "\u00E0\u00E9\u00EE\u00F5\u00F8\u00FC\u00FE"},
        {"\u0160\u0152\u017D\u0178", "\u0161\u0153\u017E\u00FF"},
        {"\u00D7 \u00DF \u00FF", "\u00D7 \u00DF \u00FF"}, // the sign and the letters without a capital stay
        {"\u03A9 \u4E2D", "\u03A9 \u4E2D"},               // not in the code page
        {"A\xC3", "a\xC3"},                               // broken UTF-8 stays as it is
    };
    for (const auto& c : cases)
        EXPECT_EQ(ToLowerCp1252Letters(c.text), c.lower) << c.text;

    // Lowered, every character of the code page is still one of it.
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_TRUE(Utf8ToCp1252(ToLowerCp1252Letters(Cp1252ToUtf8(all))));
}

TEST(CodePage, Utf16ConversionsKeepEveryCharacter)
{
    const std::string text = "a\u00E9\u4E2D\U0001F600";
    const std::u16string wide = Utf8ToUtf16(text);
    EXPECT_EQ(wide.size(), 5u);
    EXPECT_EQ(Utf16ToUtf8(wide), text);
    EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t(0xD800))), "\uFFFD");
    EXPECT_EQ(Utf8ToUtf16("\xFF"), std::u16string(1, char16_t(0xFFFD)));
    for (const char* bad : {"\xC0\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE2\x82"})
        EXPECT_FALSE(IsValidUtf8(bad)) << "overlong, surrogate, too large or cut short";
}

} // namespace
} // namespace vellicor
