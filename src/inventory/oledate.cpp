#include "inventory/oledate.h"

#include "units/textutil.h"

#include <cmath>
#include <cstdio>
#include <ctime>

namespace vellicor {
namespace {

constexpr double kSecondsPerDay = 86400.0;
// 1 January 100 and 31 December 9999, the range the files allow.
constexpr double kFirstDay = -657434.0;
constexpr double kLastDay = 2958466.0;

// Days since 1 January 1970 of a proleptic Gregorian date.
constexpr long long DaysFromCivil(long long y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

void CivilFromDays(long long z, int& year, int& month, int& day)
{
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(static_cast<long long>(yoe) + era * 400 + (month <= 2));
}

int DaysInMonth(int year, int month)
{
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

constexpr long long kEpoch = DaysFromCivil(1899, 12, 30);

// Reads up to `maxDigits` digits at `pos`; false when there are none.
bool ReadNumber(const std::string& text, std::size_t& pos, std::size_t maxDigits, int& value)
{
    const std::size_t start = pos;
    value = 0;
    while (pos < text.size() && pos - start < maxDigits && text[pos] >= '0' && text[pos] <= '9')
        value = value * 10 + (text[pos++] - '0');
    return pos > start;
}

} // namespace

OleDate MakeOleDate(const CivilDateTime& when)
{
    if (when.year < 100 || when.year > 9999 || when.month < 1 || when.month > 12 || when.day < 1
        || when.day > DaysInMonth(when.year, when.month) || when.hour < 0 || when.hour > 23 || when.minute < 0
        || when.minute > 59 || when.second < 0 || when.second > 59)
        return OleDate{0.0, OleDate::Invalid};
    const double days = static_cast<double>(
        DaysFromCivil(when.year, static_cast<unsigned>(when.month), static_cast<unsigned>(when.day)) - kEpoch);
    const double fraction = (when.hour * 3600 + when.minute * 60 + when.second) / kSecondsPerDay;
    return OleDate{days >= 0 ? days + fraction : days - fraction, OleDate::Valid};
}

std::optional<CivilDateTime> CivilOf(const OleDate& date)
{
    if (date.status != OleDate::Valid || !(date.value > kFirstDay - 1.0 && date.value < kLastDay))
        return std::nullopt;
    long long days = static_cast<long long>(date.value);
    long long seconds = std::llround(std::fabs(date.value - static_cast<double>(days)) * kSecondsPerDay);
    if (seconds >= static_cast<long long>(kSecondsPerDay)) {
        ++days;
        seconds = 0;
    }
    CivilDateTime civil;
    CivilFromDays(days + kEpoch, civil.year, civil.month, civil.day);
    civil.hour = static_cast<int>(seconds / 3600);
    civil.minute = static_cast<int>(seconds / 60 % 60);
    civil.second = static_cast<int>(seconds % 60);
    if (civil.year < 100 || civil.year > 9999)
        return std::nullopt;
    return civil;
}

OleDate OleDateNow()
{
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    if (!local)
        return OleDate{0.0, OleDate::Invalid};
    return MakeOleDate({local->tm_year + 1900, local->tm_mon + 1, local->tm_mday, local->tm_hour, local->tm_min,
                        local->tm_sec > 59 ? 59 : local->tm_sec});
}

std::string FormatDayMonthYear(const OleDate& date)
{
    const auto civil = CivilOf(date);
    if (!civil)
        return {};
    char text[16];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d", civil->day, civil->month, civil->year);
    return text;
}

OleDate ParseDayMonthYear(const std::string& text)
{
    const std::string day = Trim(text);
    std::size_t pos = 0;
    CivilDateTime civil;
    if (!ReadNumber(day, pos, 2, civil.day) || pos >= day.size() || day[pos++] != '/'
        || !ReadNumber(day, pos, 2, civil.month) || pos >= day.size() || day[pos++] != '/'
        || !ReadNumber(day, pos, 4, civil.year) || pos != day.size())
        return OleDate{0.0, OleDate::Invalid};
    return MakeOleDate(civil);
}

} // namespace vellicor
