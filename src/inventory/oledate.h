#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vellicor {

// A date and time as the inventory files keep it: days since 30 December 1899 (the fraction is the
// time of day; before that day the fraction still counts forward from midnight) with a status.
struct OleDate {
    enum Status : std::int32_t { Valid = 0, Invalid = 1, Null = 2 };

    double value = 0.0;
    std::int32_t status = Valid;

    bool operator==(const OleDate&) const = default;
};

struct CivilDateTime {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// The date of a calendar day and time; an invalid date when a field is out of range (years 100 to
// 9999, as the files allow).
OleDate MakeOleDate(const CivilDateTime& when);

// The calendar day and time of a valid date, to the nearest second.
std::optional<CivilDateTime> CivilOf(const OleDate& date);

// The local date and time now.
OleDate OleDateNow();

// "dd/mm/yyyy" of a valid date; empty otherwise.
std::string FormatDayMonthYear(const OleDate& date);

// A day written as FormatDayMonthYear writes it, blanks around allowed; an invalid date when the
// text is not such a day.
OleDate ParseDayMonthYear(const std::string& text);

} // namespace vellicor
