#pragma once

#include <cstdint>
#include <string>

namespace slicewright {

struct CalendarDate {
  int32_t year = 1970;
  int32_t month = 1;  // 1..12
  int32_t day = 1;    // 1..31
};

// "December 7 ,2026": the long English month name, the day without a leading
// zero, a blank before the comma and the 4-digit year.
std::string FormatCreationDate(const CalendarDate& date);

// The UTC calendar date of a count of seconds since 1970-01-01.
CalendarDate DateFromEpochSeconds(int64_t seconds);

// Today's date in the local time zone.
CalendarDate LocalToday();

}  // namespace slicewright
