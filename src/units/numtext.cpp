#include "units/numtext.h"

#include "units/numeric.h"

#include <clocale>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace vellicor {
namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

const char* LocaleDecimalPoint()
{
    const char* dp = std::localeconv()->decimal_point;
    return (dp && *dp) ? dp : ".";
}

} // namespace

int TruncToInt(double x)
{
    if (std::isnan(x))
        return 0;
    if (x >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (x <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(x);
}

std::string FormatFixed(double value, int decimals)
{
    if (decimals < 0)
        decimals = 0;
    char buf[512];
    if (!std::isfinite(value) || decimals > 100) {
        std::snprintf(buf, sizeof buf, "%.*f", decimals > 100 ? 100 : decimals, value);
        return buf;
    }

    // The 17 significant digits and the decimal exponent of the value.
    std::snprintf(buf, sizeof buf, "%.16e", std::fabs(value));
    std::string digits;
    const char* p = buf;
    for (; *p && *p != 'e'; ++p)
        if (IsDigit(*p))
            digits += *p;
    const int exponent = *p == 'e' ? std::atoi(p + 1) : 0;

    const int keep = exponent + 1 + decimals;
    if (keep >= static_cast<int>(digits.size())) {
        // No digit is dropped, so there is no tie to break.
        std::snprintf(buf, sizeof buf, "%.*f", decimals, value);
        return buf;
    }

    // Integer n with value ~ n * 10^-decimals, rounded half away from zero on the 17 digits.
    std::string n = keep > 0 ? digits.substr(0, static_cast<std::size_t>(keep)) : std::string();
    const char first = keep >= 0 ? digits[static_cast<std::size_t>(keep)] : '0';
    if (first >= '5') {
        int i = static_cast<int>(n.size()) - 1;
        while (i >= 0 && n[static_cast<std::size_t>(i)] == '9')
            n[static_cast<std::size_t>(i--)] = '0';
        if (i >= 0)
            ++n[static_cast<std::size_t>(i)];
        else
            n.insert(n.begin(), '1');
    }
    if (n.size() <= static_cast<std::size_t>(decimals))
        n.insert(n.begin(), static_cast<std::size_t>(decimals) + 1 - n.size(), '0');
    const bool isZero = n.find_first_not_of('0') == std::string::npos;

    std::string out;
    if (value < 0 && !isZero)
        out += '-';
    out.append(n, 0, n.size() - static_cast<std::size_t>(decimals));
    if (decimals > 0) {
        out += LocaleDecimalPoint();
        out.append(n, n.size() - static_cast<std::size_t>(decimals), std::string::npos);
    }
    return out;
}

std::string FormatNumber(double value, int decimals)
{
    const double rest = value - std::trunc(value);
    return FormatFixed(value, std::fabs(rest) < 0.001 ? 0 : decimals);
}

double RoundDecimals(double x, int n)
{
    return ParseDouble(FormatFixed(x, n));
}

double ParseDouble(std::string_view text, std::size_t* consumed)
{
    if (consumed)
        *consumed = 0;
    const char* dp = LocaleDecimalPoint();
    const std::size_t dpLen = std::strlen(dp);

    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    const std::size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    std::size_t mantissaDigits = 0;
    while (i < text.size() && IsDigit(text[i]))
        ++i, ++mantissaDigits;
    if (text.substr(i, dpLen) == dp) {
        std::size_t j = i + dpLen;
        std::size_t fraction = 0;
        while (j < text.size() && IsDigit(text[j]))
            ++j, ++fraction;
        if (mantissaDigits + fraction > 0) {
            i = j;
            mantissaDigits += fraction;
        }
    }
    if (mantissaDigits == 0)
        return 0.0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        if (j < text.size() && IsDigit(text[j])) {
            while (j < text.size() && IsDigit(text[j]))
                ++j;
            i = j;
        }
    }
    const std::string number(text.substr(start, i - start));
    const double value = std::strtod(number.c_str(), nullptr);
    if (!std::isfinite(value))
        return 0.0;
    if (consumed)
        *consumed = i;
    return value;
}

bool IsNumberText(std::string_view text)
{
    std::size_t end = text.size();
    while (end > 0 && IsBlank(text[end - 1]))
        --end;
    std::size_t consumed = 0;
    ParseDouble(text.substr(0, end), &consumed);
    return consumed > 0 && consumed == end;
}

int ParseInt(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

char DecimalPointChar()
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%4.2lf", 1.2);
    return buf[1];
}

} // namespace vellicor
