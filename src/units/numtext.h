#pragma once

#include <string>
#include <string_view>

namespace vellicor {

// Fixed-decimal printing as "%.Nlf" does, in the C runtime locale's decimal separator, except that a
// value whose 17-significant-digit expansion lies exactly half-way is rounded away from zero
// (0.125 -> "0.13" with 2 decimals). A result of zero carries no minus sign. Every fixed-decimal
// number the system prints goes through here.
std::string FormatFixed(double value, int decimals);

// The number display rule: `decimals` decimals, or none when the value is within 0.001 of its
// integer part.
std::string FormatNumber(double value, int decimals);

// x rounded to n decimals through its printed form.
double RoundDecimals(double x, int n);

// The longest leading decimal number of the text (blanks first are skipped; the C runtime locale's
// decimal separator), 0 when there is none. Infinities, NaN and hexadecimal forms are not numbers
// here, and a result out of the double range reads as 0. `consumed`, if given, receives the number
// of characters read.
double ParseDouble(std::string_view text, std::size_t* consumed = nullptr);

// The text, blanks around it aside, is one decimal number as ParseDouble reads it.
bool IsNumberText(std::string_view text);

// The leading integer as the C runtime reads it: blanks, a sign, digits; 0 when there are none.
// Saturates at the int range.
int ParseInt(std::string_view text);

// The decimal separator the C runtime currently prints.
char DecimalPointChar();

} // namespace vellicor
