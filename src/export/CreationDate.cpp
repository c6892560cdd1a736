#include "export/CreationDate.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <ctime>

namespace slicewright {
namespace {

constexpr std::array<const char*, 12> kMonthNames{"January",   "February", "March",    "April",
                                                  "May",       "June",     "July",     "August",
                                                  "September", "October",  "November", "December"};

}  // namespace

std::string FormatCreationDate(const CalendarDate& date) {
  const int32_t month = date.month >= 1 && date.month <= 12 ? date.month : 1;
  char text[64];
  std::snprintf(text, sizeof text, "%s %d ,%04d", kMonthNames[static_cast<size_t>(month - 1)], date.day,
                date.year);
  return text;
}

CalendarDate DateFromEpochSeconds(int64_t seconds) {
  using namespace std::chrono;
  const year_month_day ymd{floor<days>(sys_seconds{std::chrono::seconds{seconds}})};
  return {static_cast<int32_t>(ymd.year()), static_cast<int32_t>(static_cast<unsigned>(ymd.month())),
          static_cast<int32_t>(static_cast<unsigned>(ymd.day()))};
}

CalendarDate LocalToday() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

}  // namespace slicewright
