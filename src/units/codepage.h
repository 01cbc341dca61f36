#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vellicor {

// Texts are UTF-8 inside; files of the Windows world carry code page 1252 or UTF-16LE.

bool IsValidUtf8(std::string_view text);

// Every byte has a character (the five unassigned ones become U+0081, U+008D, U+008F, U+0090, U+009D).
std::string Cp1252ToUtf8(std::string_view bytes);

// The code page 1252 bytes of a UTF-8 text, or nothing when a character has no byte there or the
// text is not valid UTF-8.
std::optional<std::string> Utf8ToCp1252(std::string_view text);

// Every letter that code page 1252 holds in lower case: A to Z, the accented capitals, OE, S and Z
// with caron, Y with diaeresis. Every other character, and any byte that is not valid UTF-8, stays.
std::string ToLowerCp1252Letters(std::string_view text);

// A text from outside: UTF-8 when it is valid UTF-8, otherwise read as code page 1252.
std::string ExternalToUtf8(std::string_view bytes);

// Invalid sequences become U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);
// Unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

} // namespace vellicor
